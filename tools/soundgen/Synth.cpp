#include "tools/soundgen/Synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace soundgen {
namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kEdgeFadeIn = 0.001;
constexpr double kEdgeFadeOut = 0.006;

// Two-pole filter (RBJ cookbook), recomputed when the cutoff moves.
class Biquad {
public:
    void set(bool lowpass, double cutoff, double rate) {
        const double w = kTwoPi * std::min(cutoff, rate * 0.45) / rate;
        const double alpha = std::sin(w) / std::numbers::sqrt2;  // Q = 1/sqrt(2)
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        if (lowpass) {
            m_b0 = (1.0 - c) / 2.0 / a0;
            m_b1 = (1.0 - c) / a0;
        } else {
            m_b0 = (1.0 + c) / 2.0 / a0;
            m_b1 = -(1.0 + c) / a0;
        }
        m_b2 = m_b0;
        m_a1 = -2.0 * c / a0;
        m_a2 = (1.0 - alpha) / a0;
    }
    double process(double x) {
        const double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }

private:
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// Softens the jumps of square and saw waves so high notes do not alias.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

double oscillator(Wave wave, double phase, double dt, uint32_t& noise) {
    switch (wave) {
        case Wave::Sine:
            return std::sin(kTwoPi * phase);
        case Wave::Triangle:
            return 1.0 - 4.0 * std::abs(phase - 0.5);
        case Wave::Square:
            return (phase < 0.5 ? 1.0 : -1.0) + polyBlep(phase, dt) -
                   polyBlep(std::fmod(phase + 0.5, 1.0), dt);
        case Wave::Saw:
            return 2.0 * phase - 1.0 - polyBlep(phase, dt);
        case Wave::Noise:
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            return static_cast<double>(noise) / 2147483648.0 - 1.0;
    }
    return 0.0;
}

double envelope(const Voice& v, double t) {
    double level = 1.0;
    if (t < v.attack) return t / v.attack;
    if (v.decay > 0.0) level = v.sustain + (1.0 - v.sustain) * std::exp(-(t - v.attack) / v.decay);
    const double untilEnd = v.duration - t;
    if (untilEnd < v.release) level *= 0.5 - 0.5 * std::cos(std::numbers::pi * untilEnd / v.release);
    return level;
}

void renderVoice(const Voice& v, int rate, std::vector<double>& mix) {
    const auto first = static_cast<size_t>(std::llround(v.start * rate));
    const auto count = static_cast<size_t>(std::llround(v.duration * rate));
    if (mix.size() < first + count) mix.resize(first + count, 0.0);
    Biquad low, high;
    uint32_t noise = v.seed * 2654435761u | 1u;
    double phase = 0.0, modPhase = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double along = t / v.duration;
        double freq = v.freq;
        if (v.freqEnd > 0.0) {
            freq = v.linearGlide ? v.freq + (v.freqEnd - v.freq) * along
                                 : v.freq * std::pow(v.freqEnd / v.freq, along);
        }
        if (v.vibratoRate > 0.0) {
            freq *= std::pow(2.0, v.vibratoCents / 1200.0 * std::sin(kTwoPi * v.vibratoRate * t));
        }
        const double dt = freq / rate;
        double readPhase = phase;
        if (v.fmIndex > 0.0) {
            const double env = envelope(v, t);
            readPhase += v.fmIndex * env * std::sin(kTwoPi * modPhase) / kTwoPi;
            readPhase -= std::floor(readPhase);
            modPhase += dt * v.fmRatio;
            modPhase -= std::floor(modPhase);
        }
        double sample = oscillator(v.wave, readPhase, dt, noise);
        if (v.lowpass > 0.0) {
            if (i % 32 == 0) {
                const double end = v.lowpassEnd > 0.0 ? v.lowpassEnd : v.lowpass;
                low.set(true, v.lowpass * std::pow(end / v.lowpass, along), rate);
            }
            sample = low.process(sample);
        }
        if (v.highpass > 0.0) {
            if (i == 0) high.set(false, v.highpass, rate);
            sample = high.process(sample);
        }
        mix[first + i] += sample * v.amp * envelope(v, t);
        phase += dt;
        phase -= std::floor(phase);
    }
}

void applyEcho(const Recipe& recipe, std::vector<double>& mix) {
    const auto delay = static_cast<size_t>(std::llround(recipe.echoDelay * recipe.rate));
    if (delay == 0 || recipe.echoMix <= 0.0) return;
    // Let the echoes ring out until they fall below -60 dB.
    const double repeats = std::ceil(std::log(0.001) / std::log(std::max(recipe.echoFeedback, 0.01)));
    const std::vector<double> dry = mix;
    mix.resize(dry.size() + delay * static_cast<size_t>(repeats), 0.0);
    std::vector<double> echo(mix.size(), 0.0);
    for (size_t i = delay; i < mix.size(); ++i) {
        const double source = i - delay < dry.size() ? dry[i - delay] : 0.0;
        echo[i] = source + recipe.echoFeedback * echo[i - delay];
        mix[i] += recipe.echoMix * echo[i];
    }
}

}  // namespace

std::vector<float> render(const Recipe& recipe) {
    std::vector<double> mix;
    for (const Voice& voice : recipe.voices) renderVoice(voice, recipe.rate, mix);
    applyEcho(recipe, mix);
    if (recipe.length > 0.0) mix.resize(static_cast<size_t>(std::llround(recipe.length * recipe.rate)), 0.0);

    double previousIn = 0.0, previousOut = 0.0;
    const double pole = std::exp(-kTwoPi * 15.0 / recipe.rate);
    for (double& s : mix) {  // DC blocker
        const double out = s - previousIn + pole * previousOut;
        previousIn = s;
        previousOut = out;
        s = out;
    }
    double mean = 0.0;
    for (double s : mix) mean += s;
    if (!mix.empty()) mean /= static_cast<double>(mix.size());

    const auto fadeIn = static_cast<size_t>(kEdgeFadeIn * recipe.rate);
    const auto fadeOut = static_cast<size_t>(kEdgeFadeOut * recipe.rate);
    double largest = 0.0;
    for (size_t i = 0; i < mix.size(); ++i) {
        double gain = 1.0;
        if (i < fadeIn) gain = static_cast<double>(i) / fadeIn;
        const size_t left = mix.size() - 1 - i;
        if (left < fadeOut) gain = std::min(gain, static_cast<double>(left) / fadeOut);
        mix[i] = (mix[i] - mean) * gain;
        largest = std::max(largest, std::abs(mix[i]));
    }
    std::vector<float> out(mix.size(), 0.0f);
    const double scale = largest > 0.0 ? recipe.peak / largest : 0.0;
    for (size_t i = 0; i < mix.size(); ++i) out[i] = static_cast<float>(mix[i] * scale);
    return out;
}

}  // namespace soundgen
