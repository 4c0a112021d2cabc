#pragma once

#include <string>
#include <vector>

namespace soundgen {

enum class Wave { Sine, Triangle, Square, Saw, Noise };

// One sounding event: an oscillator (or noise) with its envelope and filters.
struct Voice {
    Wave wave = Wave::Sine;
    double start = 0.0;
    double duration = 0.0;
    double freq = 440.0;
    double freqEnd = 0.0;  // 0: no sweep
    bool linearGlide = false;
    double amp = 1.0;
    double attack = 0.005;
    double decay = 0.0;  // time constant of the fall towards sustain; 0: no decay
    double sustain = 1.0;
    double release = 0.01;
    double lowpass = 0.0;  // cutoff in Hz; 0: off
    double lowpassEnd = 0.0;
    double highpass = 0.0;
    double fmRatio = 0.0;  // phase modulation by a sine at fmRatio * freq
    double fmIndex = 0.0;
    double vibratoRate = 0.0;
    double vibratoCents = 0.0;
    unsigned seed = 1;
};

struct Recipe {
    int rate = 44100;
    double length = 0.0;  // 0: until the last voice ends (plus the echo tail)
    double peak = 0.7;    // linear peak after normalising
    double echoDelay = 0.0;
    double echoFeedback = 0.0;
    double echoMix = 0.0;
    std::vector<Voice> voices;
};

// Parses recipe text. On failure returns false and sets error to "line N: what".
bool parseRecipe(const std::string& text, Recipe& recipe, std::string& error);

// "A4" = 440 Hz, "C#5", "Eb3", or a plain number of Hz; false for anything else.
bool parseFrequency(const std::string& text, double& hz);

}  // namespace soundgen
