#include "tools/soundgen/Recipe.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <sstream>

namespace soundgen {
namespace {

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == '\0' && std::isfinite(value);
}

bool parsePair(const std::string& text, double& a, double& b) {
    const auto comma = text.find(',');
    return comma != std::string::npos && parseNumber(text.substr(0, comma), a) &&
           parseNumber(text.substr(comma + 1), b);
}

bool parseWave(const std::string& text, Wave& wave) {
    static const std::map<std::string, Wave> kWaves = {{"sine", Wave::Sine},
                                                       {"triangle", Wave::Triangle},
                                                       {"square", Wave::Square},
                                                       {"saw", Wave::Saw},
                                                       {"noise", Wave::Noise}};
    const auto it = kWaves.find(text);
    if (it == kWaves.end()) return false;
    wave = it->second;
    return true;
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> parts;
    std::stringstream stream(text);
    std::string part;
    while (std::getline(stream, part, ',')) parts.push_back(part);
    return parts;
}

// Applies one key=value of a voice or melody line; false with a message when it is wrong.
bool applyVoiceKey(Voice& voice, const std::string& key, const std::string& value, std::string& why) {
    double number = 0.0;
    auto positive = [&](double& field) {
        if (!parseNumber(value, number) || number < 0.0) {
            why = "'" + key + "' needs a number of at least 0";
            return false;
        }
        field = number;
        return true;
    };
    if (key == "wave") {
        if (!parseWave(value, voice.wave)) why = "unknown wave '" + value + "'";
        return why.empty();
    }
    if (key == "freq" || key == "to") {
        double& field = key == "freq" ? voice.freq : voice.freqEnd;
        if (!parseFrequency(value, field) || field <= 0.0) why = "bad frequency '" + value + "'";
        return why.empty();
    }
    if (key == "glide") {
        if (value != "exp" && value != "lin") why = "glide is exp or lin";
        voice.linearGlide = value == "lin";
        return why.empty();
    }
    if (key == "fm" || key == "vibrato") {
        double a = 0.0, b = 0.0;
        if (!parsePair(value, a, b) || a < 0.0 || b < 0.0) {
            why = "'" + key + "' needs two numbers: ratio,index or rate,cents";
            return false;
        }
        if (key == "fm") {
            voice.fmRatio = a;
            voice.fmIndex = b;
        } else {
            voice.vibratoRate = a;
            voice.vibratoCents = b;
        }
        return true;
    }
    if (key == "seed") {
        if (!parseNumber(value, number) || number < 0.0) why = "seed needs a whole number";
        voice.seed = static_cast<unsigned>(number) + 1u;
        return why.empty();
    }
    static const std::map<std::string, double Voice::*> kFields = {
        {"at", &Voice::start},         {"dur", &Voice::duration},   {"amp", &Voice::amp},
        {"attack", &Voice::attack},    {"decay", &Voice::decay},    {"sustain", &Voice::sustain},
        {"release", &Voice::release},  {"lowpass", &Voice::lowpass}, {"lowpass_to", &Voice::lowpassEnd},
        {"highpass", &Voice::highpass}};
    const auto it = kFields.find(key);
    if (it == kFields.end()) {
        why = "unknown key '" + key + "'";
        return false;
    }
    return positive(voice.*(it->second));
}

bool applySoundKey(Recipe& recipe, const std::string& key, const std::string& value, std::string& why) {
    double number = 0.0;
    if (key == "echo") {
        const auto parts = splitList(value);
        double mix = 0.0;
        if (parts.size() != 3 || !parseNumber(parts[0], recipe.echoDelay) ||
            !parseNumber(parts[1], recipe.echoFeedback) || !parseNumber(parts[2], mix) ||
            recipe.echoDelay <= 0.0 || recipe.echoFeedback < 0.0 || recipe.echoFeedback >= 1.0) {
            why = "echo needs delay,feedback,mix with a delay above 0 and a feedback below 1";
            return false;
        }
        recipe.echoMix = mix;
        return true;
    }
    if (!parseNumber(value, number)) {
        why = "'" + key + "' needs a number";
        return false;
    }
    if (key == "rate" && number >= 8000 && number <= 96000) {
        recipe.rate = static_cast<int>(number);
    } else if (key == "length" && number >= 0.0 && number <= 10.0) {
        recipe.length = number;
    } else if (key == "peak" && number > 0.0 && number <= 1.0) {
        recipe.peak = number;
    } else {
        why = "'" + key + "' is unknown or out of range";
        return false;
    }
    return true;
}

}  // namespace

bool parseFrequency(const std::string& text, double& hz) {
    if (parseNumber(text, hz)) return true;
    static const int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (text.size() < 2) return false;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter < 'A' || letter > 'G') return false;
    int semitone = kSemitone[letter - 'A'];
    size_t pos = 1;
    if (text[pos] == '#') semitone += 1, ++pos;
    else if (text[pos] == 'b') semitone -= 1, ++pos;
    if (pos + 1 != text.size() || !std::isdigit(static_cast<unsigned char>(text[pos]))) return false;
    const int octave = text[pos] - '0';
    const int midi = 12 * (octave + 1) + semitone;
    hz = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
    return true;
}

bool parseRecipe(const std::string& text, Recipe& recipe, std::string& error) {
    recipe = Recipe{};
    std::stringstream lines(text);
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNumber) + ": " + why;
        return false;
    };
    while (std::getline(lines, line)) {
        ++lineNumber;
        std::stringstream words(line);
        std::string directive;
        if (!(words >> directive) || directive[0] == '#') continue;  // blank or comment ("#" also marks sharps)

        Voice voice;
        voice.seed = static_cast<unsigned>(lineNumber);
        std::vector<std::string> notes;
        double step = 0.0;
        std::string word;
        std::string why;
        while (words >> word) {
            const auto eq = word.find('=');
            if (eq == std::string::npos || eq == 0) return fail("expected key=value, got '" + word + "'");
            const std::string key = word.substr(0, eq);
            const std::string value = word.substr(eq + 1);
            if (directive == "sound") {
                if (!applySoundKey(recipe, key, value, why)) return fail(why);
            } else if (directive == "melody" && key == "notes") {
                notes = splitList(value);
            } else if (directive == "melody" && key == "step") {
                if (!parseNumber(value, step) || step <= 0.0) return fail("step needs a number above 0");
            } else if (directive == "voice" || directive == "melody") {
                if (!applyVoiceKey(voice, key, value, why)) return fail(why);
            } else {
                return fail("unknown directive '" + directive + "'");
            }
        }
        if (directive == "sound") continue;
        if (directive != "voice" && directive != "melody") return fail("unknown directive '" + directive + "'");
        if (voice.duration <= 0.0) return fail("a voice needs dur= above 0");
        if (voice.attack + voice.release > voice.duration) return fail("attack and release exceed dur");
        if (directive == "voice") {
            recipe.voices.push_back(voice);
            continue;
        }
        if (notes.empty() || step <= 0.0) return fail("a melody needs notes= and step=");
        const double start = voice.start;
        for (size_t i = 0; i < notes.size(); ++i) {
            if (notes[i] == "-") continue;  // a rest
            Voice note = voice;
            if (!parseFrequency(notes[i], note.freq)) return fail("bad note '" + notes[i] + "'");
            if (voice.freqEnd > 0.0) note.freqEnd = note.freq * voice.freqEnd / voice.freq;
            note.start = start + step * static_cast<double>(i);
            note.seed = voice.seed * 131u + static_cast<unsigned>(i);
            recipe.voices.push_back(note);
        }
    }
    if (recipe.voices.empty()) return fail("the recipe has no voice");
    return true;
}

}  // namespace soundgen
