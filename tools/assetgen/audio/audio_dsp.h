// Small building blocks shared by the sound effects and the music: a seeded
// random source, a table sine, band-limited edges, a state-variable filter and
// the sample-format helpers. Everything is deterministic.
#pragma once

#include <cstdint>
#include <vector>

constexpr int audio_rate = 44100;
constexpr float audio_dt = 1.0f / audio_rate;

// The game's mixer adds the music and every effect channel at unity gain,
// without a limiter. Every music track is set to this integrated loudness
// (BS.1770), and every effect to its own loudest-400-ms loudness around it;
// the loudest ten seconds of a stage at Hard then measure -16 to -20 LUFS,
// their true peak under -1 dBTP. Half a decibel under -19 LUFS leaves room
// for the busiest stretches (a boss track's loud passage under dense fire).
constexpr float music_loudness_lufs = -19.5f;

// Seeded generator for noise and for composition choices (never rand()).
struct lcg {
    std::uint32_t state = 1;
};
lcg make_lcg(std::uint32_t seed);
std::uint32_t lcg_next(lcg& g);
float lcg_unit(lcg& g);                // [0, 1)
float lcg_signed(lcg& g);              // [-1, 1)
int lcg_range(lcg& g, int lo, int hi); // lo..hi inclusive
bool lcg_chance(lcg& g, float p);
// Picks an index with the given weights.
int lcg_weighted(lcg& g, const float* weights, int count);

std::uint32_t hash32(std::uint32_t x);
std::uint32_t hash_combine(std::uint32_t a, std::uint32_t b);

// Sine table of sine_table_size steps (plus a guard entry) over one turn.
constexpr int sine_table_size = 4096;
const float* sine_table();

// Sine of a phase measured in turns (1.0 = one cycle), from the table.
inline float sine_turns(float phase) {
    static const float* const table = sine_table();
    int whole = static_cast<int>(phase);
    if (phase < static_cast<float>(whole)) --whole; // floor for negative phases
    const float p = (phase - static_cast<float>(whole)) * sine_table_size;
    int i = static_cast<int>(p);
    if (i >= sine_table_size) i = sine_table_size - 1;
    const float f = p - static_cast<float>(i);
    return table[i] + (table[i + 1] - table[i]) * f;
}

// Correction that removes the aliasing of a hard edge at phase t (0..1).
inline float poly_blep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

// Cheap white noise for inner loops (xorshift), seeded per note or hit.
struct white_noise {
    std::uint32_t s = 1;
};
inline float next_white(white_noise& n) {
    n.s ^= n.s << 13;
    n.s ^= n.s >> 17;
    n.s ^= n.s << 5;
    return static_cast<float>(static_cast<std::int32_t>(n.s)) * (1.0f / 2147483648.0f);
}

float midi_hz(float note);
float db_gain(float db);
float soft_clip(float x); // smooth ceiling just under full scale

// Zavalishin's state-variable filter, coefficients from cutoff and Q.
struct svf_coeffs {
    float a1 = 0, a2 = 0, a3 = 0, k = 0;
};
struct svf_state {
    float ic1 = 0, ic2 = 0;
};
struct svf_out {
    float low, band, high;
};
svf_coeffs svf_make(float cutoff_hz, float q);
inline svf_out svf_step(svf_state& s, const svf_coeffs& c, float x) {
    const float v3 = x - s.ic2;
    const float v1 = c.a1 * s.ic1 + c.a2 * v3;
    const float v2 = s.ic2 + c.a2 * s.ic1 + c.a3 * v3;
    s.ic1 = 2 * v1 - s.ic1;
    s.ic2 = 2 * v2 - s.ic2;
    return {v2, v1, x - c.k * v1 - v2};
}

// One-pole smoother; coefficient from a cutoff frequency.
float one_pole_coeff(float cutoff_hz);

// Mono effect helpers.
void fade_edges(std::vector<float>& s, float in_seconds, float out_seconds);
std::vector<std::int16_t> to_pcm16(const std::vector<float>& s);
