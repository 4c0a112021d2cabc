#include "tests/assets/AssetChecks.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>

#include "engine/audio/WavReader.h"

namespace petalune::test {
namespace {

uint32_t le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

std::string elementText(xmlNode* node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

xmlNode* nextElement(xmlNode* node) {
    while (node && node->type != XML_ELEMENT_NODE) node = node->next;
    return node;
}

bool isBlendFactor(double v) { return v == 0 || v == 1 || (v >= 0x300 && v <= 0x308); }

}  // namespace

std::string pngProblem(const std::vector<unsigned char>& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return image.message;
    if (image.width == 0 || image.height == 0 || image.width > 4096 || image.height > 4096) {
        png_image_free(&image);
        return "size out of range";
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return image.message;
    return {};
}

std::string wavProblem(const std::vector<unsigned char>& bytes) {
    if (bytes.size() < 46) return "shorter than a header and one sample";
    const unsigned char* b = bytes.data();
    if (std::memcmp(b, "RIFF", 4) || std::memcmp(b + 8, "WAVEfmt ", 8)) return "not RIFF/WAVE with fmt first";
    if (le32(b + 4) != bytes.size() - 8) return "RIFF size does not match the file";
    if (le32(b + 16) != 16 || le16(b + 20) != 1) return "not plain PCM";
    if (le16(b + 22) != 1 || le16(b + 34) != 16) return "not 16-bit mono";
    const uint32_t rate = le32(b + 24);
    if (rate < 8000 || rate > 96000 || le32(b + 28) != rate * 2 || le16(b + 32) != 2) return "bad rate fields";
    if (std::memcmp(b + 36, "data", 4) || le32(b + 40) != bytes.size() - 44) return "data chunk not at 36 or sized wrong";

    const auto parsed = CocosDenshion::parseWav(bytes.data(), bytes.size());
    if (!parsed.ok()) return std::string("the game's reader refuses it: ") + parsed.error;
    if (parsed.sound.truncated) return "the game's reader finds it truncated";

    const size_t count = (bytes.size() - 44) / 2;
    std::vector<int> samples(count);
    double sum = 0;
    int peak = 0;
    for (size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<int16_t>(le16(b + 44 + 2 * i));
        sum += samples[i];
        peak = std::max(peak, std::abs(samples[i]));
    }
    const double seconds = static_cast<double>(count) / rate;
    if (seconds < 0.03 || seconds > 4.0) return "length " + std::to_string(seconds) + " s";
    if (peak >= 32767) return "clipped";
    if (peak < 3000) return "nearly silent";
    if (std::abs(sum / static_cast<double>(count)) > 0.002 * 32768) return "DC offset";
    if (std::abs(samples.front()) > 300 || std::abs(samples.back()) > 300) return "does not start and end quietly";
    return {};
}

std::string particleProblem(const std::vector<unsigned char>& bytes, std::string& textureFile) {
    xmlDoc* doc = xmlReadMemory(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()),
                                "particle.plist", nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (!doc) return "not well-formed XML";
    std::string problem;
    std::map<std::string, std::string> values;
    xmlNode* root = xmlDocGetRootElement(doc);
    xmlNode* dict = root ? nextElement(root->children) : nullptr;
    if (!root || xmlStrcmp(root->name, BAD_CAST "plist") || !dict || xmlStrcmp(dict->name, BAD_CAST "dict")) {
        problem = "no <plist><dict>";
    }
    for (xmlNode* key = dict ? nextElement(dict->children) : nullptr; key && problem.empty();) {
        xmlNode* value = nextElement(key->next);
        if (xmlStrcmp(key->name, BAD_CAST "key") || !value) {
            problem = "keys and values do not alternate";
            break;
        }
        values[elementText(key)] = elementText(value);
        key = nextElement(value->next);
    }
    xmlFreeDoc(doc);
    if (!problem.empty()) return problem;

    auto number = [&](const char* key, double& out) {
        const auto it = values.find(key);
        if (it == values.end()) return false;
        char* end = nullptr;
        out = std::strtod(it->second.c_str(), &end);
        return end && *end == '\0';
    };
    double v = 0;
    for (const char* key : {"angle", "angleVariance", "particleLifespanVariance", "startParticleSize",
                            "finishParticleSize", "startColorRed", "startColorGreen", "startColorBlue",
                            "startColorAlpha", "finishColorRed", "finishColorGreen", "finishColorBlue",
                            "finishColorAlpha", "sourcePositionVariancex", "sourcePositionVariancey",
                            "rotationStart", "rotationEnd"}) {
        if (!number(key, v)) return std::string("missing or not a number: ") + key;
    }
    if (!number("maxParticles", v) || v < 1) return "maxParticles below 1";
    if (!number("particleLifespan", v) || v <= 0) return "particleLifespan not above 0";
    if (!number("duration", v) || v <= 0) return "duration not above 0: the system would never finish";
    double source = 0, destination = 0;
    if (!number("blendFuncSource", source) || !number("blendFuncDestination", destination) ||
        !isBlendFactor(source) || !isBlendFactor(destination)) {
        return "blend functions are not GL blend factors";
    }
    if (!number("emitterType", v) || (v != 0 && v != 1)) return "emitterType is neither 0 nor 1";
    static const std::vector<const char*> kGravityKeys = {"speed", "gravityx", "gravityy", "radialAcceleration",
                                                          "tangentialAcceleration"};
    static const std::vector<const char*> kRadiusKeys = {"maxRadius", "minRadius", "rotatePerSecond"};
    for (const char* key : v == 0 ? kGravityKeys : kRadiusKeys) {
        if (!number(key, v)) return std::string("missing or not a number: ") + key;
    }
    const auto texture = values.find("textureFileName");
    if (texture == values.end() || texture->second.empty()) return "no textureFileName";
    textureFile = texture->second;
    return {};
}

}  // namespace petalune::test
