#include "audio/audio_dsp.h"

#include <algorithm>
#include <array>
#include <cmath>

lcg make_lcg(std::uint32_t seed) { return lcg{hash32(seed ^ 0x9e3779b9u) | 1u}; }

std::uint32_t lcg_next(lcg& g) {
    g.state = g.state * 1664525u + 1013904223u;
    // The low bits of a plain LCG are poor; hashing the state fixes that.
    return hash32(g.state);
}

float lcg_unit(lcg& g) { return static_cast<float>(lcg_next(g) >> 8) * (1.0f / 16777216.0f); }
float lcg_signed(lcg& g) { return lcg_unit(g) * 2.0f - 1.0f; }
int lcg_range(lcg& g, int lo, int hi) {
    return lo + static_cast<int>(lcg_next(g) % static_cast<std::uint32_t>(hi - lo + 1));
}
bool lcg_chance(lcg& g, float p) { return lcg_unit(g) < p; }

int lcg_weighted(lcg& g, const float* weights, int count) {
    float total = 0;
    for (int i = 0; i < count; ++i) total += weights[i];
    float pick = lcg_unit(g) * total;
    for (int i = 0; i < count; ++i) {
        if (pick < weights[i]) return i;
        pick -= weights[i];
    }
    return count - 1;
}

std::uint32_t hash32(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352du;
    x ^= x >> 15;
    x *= 0x846ca68bu;
    x ^= x >> 16;
    return x;
}

std::uint32_t hash_combine(std::uint32_t a, std::uint32_t b) {
    return hash32(a ^ (b + 0x9e3779b9u + (a << 6) + (a >> 2)));
}

const float* sine_table() {
    static const std::array<float, sine_table_size + 1> table = [] {
        std::array<float, sine_table_size + 1> t{};
        for (int i = 0; i <= sine_table_size; ++i)
            t[static_cast<size_t>(i)] =
                static_cast<float>(std::sin(6.283185307179586 * i / sine_table_size));
        return t;
    }();
    return table.data();
}

float midi_hz(float note) { return 440.0f * std::exp2((note - 69.0f) / 12.0f); }
float db_gain(float db) { return std::pow(10.0f, db / 20.0f); }

float soft_clip(float x) {
    constexpr float knee = 0.66f;
    constexpr float ceiling = 0.84f;
    const float a = std::fabs(x);
    if (a <= knee) return x;
    const float over = knee + (ceiling - knee) * std::tanh((a - knee) / (ceiling - knee));
    return x < 0 ? -over : over;
}

svf_coeffs svf_make(float cutoff_hz, float q) {
    cutoff_hz = std::clamp(cutoff_hz, 20.0f, audio_rate * 0.45f);
    svf_coeffs c;
    const float g = std::tan(3.14159265f * cutoff_hz / audio_rate);
    c.k = 1.0f / std::max(q, 0.3f);
    c.a1 = 1.0f / (1.0f + g * (g + c.k));
    c.a2 = g * c.a1;
    c.a3 = g * c.a2;
    return c;
}

float one_pole_coeff(float cutoff_hz) {
    return 1.0f - std::exp(-6.2831853f * cutoff_hz / audio_rate);
}

void fade_edges(std::vector<float>& s, float in_seconds, float out_seconds) {
    const size_t n = s.size();
    const size_t fi = std::min(n, static_cast<size_t>(in_seconds * audio_rate));
    const size_t fo = std::min(n, static_cast<size_t>(out_seconds * audio_rate));
    for (size_t i = 0; i < fi; ++i) s[i] *= static_cast<float>(i) / static_cast<float>(fi);
    for (size_t i = 0; i < fo; ++i) s[n - 1 - i] *= static_cast<float>(i) / static_cast<float>(fo);
}

std::vector<std::int16_t> to_pcm16(const std::vector<float>& s) {
    std::vector<std::int16_t> out(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        const float v = std::clamp(s[i], -1.0f, 1.0f) * 32767.0f;
        out[i] = static_cast<std::int16_t>(std::lround(v));
    }
    return out;
}
