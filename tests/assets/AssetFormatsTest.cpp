#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <utility>

#include "engine/text/BMFontParser.h"
#include "tests/assets/AssetChecks.h"
#include "tests/assets/ShippedArchive.h"

namespace petalune::test {
namespace {

bool endsWith(const std::string& s, const char* suffix) {
    return s.ends_with(suffix);
}

std::vector<unsigned char> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// A canonical mono WAV of the given samples, for showing what the checker rejects.
std::vector<unsigned char> wavOf(const std::vector<int16_t>& samples) {
    std::vector<unsigned char> out = bytesOf(std::string("RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0", 24));
    auto put32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    put32(44100);
    put32(88200);
    out.insert(out.end(), {2, 0, 16, 0, 'd', 'a', 't', 'a'});
    put32(static_cast<uint32_t>(samples.size() * 2));
    for (int16_t s : samples) {
        out.push_back(static_cast<unsigned char>(s & 0xff));
        out.push_back(static_cast<unsigned char>((s >> 8) & 0xff));
    }
    const uint32_t riff = static_cast<uint32_t>(out.size() - 8);
    for (int i = 0; i < 4; ++i) out[4 + i] = static_cast<unsigned char>(riff >> (8 * i));
    return out;
}

std::vector<int16_t> tone(size_t count, int amplitude, size_t rampEnds) {
    std::vector<int16_t> s(count);
    for (size_t i = 0; i < count; ++i) {
        double gain = 1.0;
        if (i < rampEnds) gain = static_cast<double>(i) / rampEnds;
        if (count - 1 - i < rampEnds) gain = static_cast<double>(count - 1 - i) / rampEnds;
        s[i] = static_cast<int16_t>(std::lround(amplitude * gain * std::sin(i * 0.05)));
    }
    return s;
}

TEST(AssetChecks, RejectBrokenFiles) {
    struct Case {
        const char* what;
        std::vector<unsigned char> wav;
        const char* problem;
    };
    const Case cases[] = {
        {"clean tone", wavOf(tone(4410, 20000, 200)), ""},
        {"truncated header", bytesOf("RIFF"), "shorter than a header and one sample"},
        {"starts at full level", wavOf(tone(4410, 20000, 0)), "does not start and end quietly"},
        {"clipped", wavOf(tone(4410, 32767, 200)), "clipped"},
        {"too short", wavOf(tone(441, 20000, 100)), "length 0.010000 s"},
    };
    for (const Case& c : cases) EXPECT_EQ(wavProblem(c.wav), c.problem) << c.what;

    EXPECT_FALSE(pngProblem(bytesOf("\x89PNG\r\n\x1a\n")).empty()) << "a PNG cut after its signature";
    std::string texture;
    EXPECT_EQ(particleProblem(bytesOf("<plist><dict><key>duration</key></dict></plist>"), texture),
              "keys and values do not alternate");
    EXPECT_EQ(particleProblem(bytesOf("<plist><dict>"), texture), "not well-formed XML");
}

TEST(ShippedArchive, EveryImageSoundAndParticleReads) {
    const auto names = shippedEntryNames();
    ASSERT_FALSE(names.empty()) << gameExecutable() << " carries no archive";
    int pngs = 0, wavs = 0, plists = 0;
    for (const std::string& name : names) {
        const auto bytes = shippedEntry(name);
        if (endsWith(name, ".png")) {
            ++pngs;
            EXPECT_EQ(pngProblem(bytes), "") << name;
        } else if (endsWith(name, ".wav")) {
            ++wavs;
            EXPECT_EQ(wavProblem(bytes), "") << name;
        } else if (endsWith(name, ".plist")) {
            ++plists;
            std::string texture;
            EXPECT_EQ(particleProblem(bytes, texture), "") << name;
            EXPECT_TRUE(texture.empty() || hasShippedEntry(texture)) << name << " needs " << texture;
        }
    }
    EXPECT_GT(pngs, 30);
    EXPECT_GT(wavs, 10);
    EXPECT_GT(plists, 10);
}

// Width and height of a PNG from its header.
std::pair<int, int> pngSize(const std::vector<unsigned char>& png) {
    if (png.size() < 24) return {0, 0};
    const auto be32 = [&](size_t at) {
        return png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3];
    };
    return {be32(16), be32(20)};
}

// Large windows draw "name@2x.png" and "name@3x.png" in the place of "name.png"; a size off
// by more than rounding would stretch them.
TEST(ShippedArchive, EveryImageComesAtTwiceAndThreeTimesItsSize) {
    int images = 0;
    for (const std::string& name : shippedEntryNames()) {
        if (!endsWith(name, ".png") || name.find('@') != std::string::npos || name.starts_with("playtime_40"))
            continue;
        ++images;
        const auto [width, height] = pngSize(shippedEntry(name));
        for (int scale : {2, 3}) {
            const std::string scaled =
                name.substr(0, name.size() - 4) + "@" + std::to_string(scale) + "x.png";
            ASSERT_TRUE(hasShippedEntry(scaled)) << scaled;
            const auto [scaledWidth, scaledHeight] = pngSize(shippedEntry(scaled));
            EXPECT_NEAR(scaledWidth, scale * width, scale) << scaled;
            EXPECT_NEAR(scaledHeight, scale * height, scale) << scaled;
        }
    }
    EXPECT_GT(images, 30);
}

TEST(ShippedArchive, BitmapFontSetsHaveTheirPagesAndTheGlyphsTheDisplaysUse) {
    int plainLineHeight = 0;
    for (int scale : {1, 2, 3}) {
        const std::string file =
            scale == 1 ? "playtime_40.fnt" : "playtime_40@" + std::to_string(scale) + "x.fnt";
        SCOPED_TRACE(file);
        const auto bytes = shippedEntry(file);
        cocos2d::BMFontConfiguration font;
        std::string error;
        ASSERT_TRUE(
            cocos2d::parseBMFont(reinterpret_cast<const char*>(bytes.data()), bytes.size(), font, error))
            << error;
        EXPECT_TRUE(hasShippedEntry(font.pageFile)) << font.pageFile;
        EXPECT_EQ(pngSize(shippedEntry(font.pageFile)), std::make_pair(font.pageWidth, font.pageHeight));
        for (const auto& [id, g] : font.glyphs) {
            EXPECT_LE(g.x + g.width, font.pageWidth) << "char " << static_cast<uint32_t>(id);
            EXPECT_LE(g.y + g.height, font.pageHeight) << "char " << static_cast<uint32_t>(id);
        }
        for (char c : std::string("0123456789/-:.,!?AZaz "))
            EXPECT_NE(font.glyph(c), nullptr) << "missing '" << c << "'";
        // Labels keep their size in points whichever set they draw with.
        if (scale == 1) plainLineHeight = font.lineHeight;
        EXPECT_NEAR(font.lineHeight, scale * plainLineHeight, scale);
    }
}

}  // namespace
}  // namespace petalune::test
