#include "sounds/kit/sound_layers.h"

#include <algorithm>
#include <cmath>

#include "audio/audio_dsp.h"
#include "audio/audio_space.h"

namespace {

int frame_of(float seconds) { return static_cast<int>(std::lround(seconds * audio_rate)); }

} // namespace

std::vector<float> silence(float seconds) {
    return std::vector<float>(static_cast<size_t>(frame_of(seconds)), 0.0f);
}

void add_tone(std::vector<float>& buf, const tone_layer& t) {
    const int first = frame_of(t.start);
    const int n = std::min(frame_of(t.length), static_cast<int>(buf.size()) - first);
    const int attack = std::max(1, frame_of(t.attack));
    const float decay_mul = std::exp(-1.0f / (std::max(t.decay, 0.0005f) * audio_rate));
    const svf_coeffs lp = svf_make(t.cutoff > 0 ? t.cutoff : 20000.0f, 0.7f);
    svf_state state;
    float phase = 0, env = 1, vib = 0;
    for (int i = 0; i < n; ++i) {
        const float k = static_cast<float>(i) / static_cast<float>(std::max(1, n - 1));
        float f = t.from_hz * std::pow(t.to_hz / t.from_hz, k);
        if (t.vibrato_semis > 0) f *= std::exp2(t.vibrato_semis * sine_turns(vib) / 12.0f);
        vib += t.vibrato_hz * audio_dt;
        const float dt = f * audio_dt;
        float s = 0;
        switch (t.shape) {
        case tone_shape::sine: s = sine_turns(phase); break;
        case tone_shape::triangle: s = 4.0f * std::fabs(phase - 0.5f) - 1.0f; break;
        case tone_shape::square: {
            float down = phase + 0.5f;
            if (down >= 1) down -= 1;
            s = (phase < 0.5f ? 1.0f : -1.0f) + poly_blep(phase, dt) - poly_blep(down, dt);
            break;
        }
        case tone_shape::saw: s = 2.0f * phase - 1.0f - poly_blep(phase, dt); break;
        }
        phase += dt;
        if (phase >= 1) phase -= 1;
        if (t.cutoff > 0) s = svf_step(state, lp, s).low;
        const float ramp = i < attack ? static_cast<float>(i) / static_cast<float>(attack) : 1.0f;
        buf[static_cast<size_t>(first + i)] += t.level * env * ramp * s;
        if (i >= attack) env *= decay_mul;
    }
}

void add_noise(std::vector<float>& buf, const noise_layer& n) {
    const int first = frame_of(n.start);
    const int count = std::min(frame_of(n.length), static_cast<int>(buf.size()) - first);
    const int attack = std::max(1, frame_of(n.attack));
    const float decay_mul = std::exp(-1.0f / (std::max(n.decay, 0.0005f) * audio_rate));
    white_noise w{hash32(n.seed) | 1u};
    svf_state state;
    svf_coeffs c;
    float env = 1, brown = 0;
    for (int i = 0; i < count; ++i) {
        if ((i & 15) == 0) {
            const float k = static_cast<float>(i) / static_cast<float>(std::max(1, count - 1));
            c = svf_make(n.from_hz * std::pow(n.to_hz / n.from_hz, k), n.q);
        }
        float x = next_white(w);
        if (n.brown) {
            brown = 0.985f * brown + 0.12f * x; // leaky integration: a deep rumble
            x = brown;
        }
        const svf_out f = svf_step(state, c, x);
        const float y = n.filter == noise_filter::low    ? f.low
                        : n.filter == noise_filter::band ? f.band
                                                         : f.high;
        const float ramp = i < attack ? static_cast<float>(i) / static_cast<float>(attack) : 1.0f;
        buf[static_cast<size_t>(first + i)] += n.level * env * ramp * y;
        if (i >= attack) env *= decay_mul;
    }
}

void add_crackle(std::vector<float>& buf, float start, float length, float per_second,
                 float centre_hz, float level, std::uint32_t seed) {
    const int first = frame_of(start);
    const int count = std::min(frame_of(length), static_cast<int>(buf.size()) - first);
    lcg rng = make_lcg(seed);
    const svf_coeffs c = svf_make(centre_hz, 1.5f);
    svf_state state;
    const float chance = per_second / audio_rate;
    for (int i = 0; i < count; ++i) {
        const float fade = 1.0f - static_cast<float>(i) / static_cast<float>(count);
        // Sparks thin out as the blast dies down.
        const float x = lcg_chance(rng, chance * fade) ? lcg_signed(rng) * 4.0f : 0.0f;
        buf[static_cast<size_t>(first + i)] += level * fade * svf_step(state, c, x).band;
    }
}

void add_voice(std::vector<float>& buf, const voice_recipe& v, float start, float pitch,
               float seconds, float velocity, std::uint32_t seed) {
    std::vector<float> l, r;
    const int n = render_note(v, pitch, seconds, velocity, seed, l, r);
    const int first = frame_of(start);
    for (int i = 0; i < n && first + i < static_cast<int>(buf.size()); ++i)
        buf[static_cast<size_t>(first + i)] +=
            0.5f * (l[static_cast<size_t>(i)] + r[static_cast<size_t>(i)]);
}

void warm(std::vector<float>& buf, float drive) {
    const float norm = std::tanh(drive);
    for (float& x : buf) x = std::tanh(x * drive) / norm;
}

void crush(std::vector<float>& buf, int hold, int levels) {
    float held = 0;
    const float q = static_cast<float>(levels) * 0.5f;
    for (size_t i = 0; i < buf.size(); ++i) {
        if (i % static_cast<size_t>(hold) == 0) held = std::round(buf[i] * q) / q;
        buf[i] = held;
    }
}

void add_room(std::vector<float>& buf, float room, float level) {
    std::vector<float> stereo(buf.size() * 2, 0.0f);
    add_reverb(buf, stereo, reverb_params{room, 0.4f, level}, false);
    for (size_t i = 0; i < buf.size(); ++i) buf[i] += 0.5f * (stereo[2 * i] + stereo[2 * i + 1]);
}
