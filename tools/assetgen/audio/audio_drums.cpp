// Drum hits for the music: sine-sweep kicks and toms, noise snares and
// claps, metallic hats and cymbals.
#include <algorithm>
#include <cmath>

#include "audio/audio_dsp.h"
#include "audio/audio_voices.h"

namespace {

int frames_for(float seconds) { return std::max(64, static_cast<int>(seconds * audio_rate)); }

// Sine whose pitch falls from start to end: the body of kicks, toms, timpani.
void swept_sine(std::vector<float>& out, int n, float start_hz, float end_hz, float sweep,
                float decay, float level) {
    const float sweep_mul = std::exp(-1.0f / (sweep * audio_rate));
    const float decay_mul = std::exp(-1.0f / (decay * audio_rate));
    float k = 1, env = 1, phase = 0;
    for (int i = 0; i < n; ++i) {
        const float f = end_hz + (start_hz - end_hz) * k;
        out[static_cast<size_t>(i)] += level * env * sine_turns(phase);
        phase += f * audio_dt;
        if (phase >= 1) phase -= 1;
        k *= sweep_mul;
        env *= decay_mul;
    }
}

// Six detuned square waves: the metallic ring under hats and cymbals.
void metal(std::vector<float>& out, int n, float decay, float colour, float level,
           white_noise& noise, float noise_mix) {
    static const float ratios[6] = {1.0f, 1.4827f, 1.8003f, 2.5461f, 2.6303f, 3.8967f};
    float phase[6] = {0.1f, 0.37f, 0.61f, 0.83f, 0.29f, 0.53f};
    const float base = 320.0f;
    const float decay_mul = std::exp(-1.0f / (decay * audio_rate));
    const svf_coeffs hp = svf_make(colour, 0.9f);
    const svf_coeffs bp = svf_make(colour * 1.3f, 1.2f);
    svf_state s1, s2;
    float env = 1;
    for (int i = 0; i < n; ++i) {
        float m = 0;
        for (int k = 0; k < 6; ++k) {
            m += phase[k] < 0.5f ? 1.0f : -1.0f;
            phase[k] += base * ratios[k] * audio_dt;
            if (phase[k] >= 1) phase[k] -= 1;
        }
        const float x = m * (1.0f - noise_mix) / 6.0f + next_white(noise) * noise_mix;
        const float h = svf_step(s1, hp, x).high;
        const float y = svf_step(s2, bp, h).band * 0.6f + h * 0.5f;
        out[static_cast<size_t>(i)] += level * env * y;
        env *= decay_mul;
    }
}

// Filtered noise with an exponential decay (snares, claps, shakers).
void noise_burst(std::vector<float>& out, int n, float centre, float q, float decay, float attack,
                 float level, white_noise& noise, bool band) {
    const svf_coeffs c = svf_make(centre, q);
    svf_state s;
    const float decay_mul = std::exp(-1.0f / (decay * audio_rate));
    const int a = std::max(1, static_cast<int>(attack * audio_rate));
    float env = 1;
    for (int i = 0; i < n; ++i) {
        const svf_out f = svf_step(s, c, next_white(noise));
        const float ramp = i < a ? static_cast<float>(i) / static_cast<float>(a) : 1.0f;
        out[static_cast<size_t>(i)] += level * env * ramp * (band ? f.band : f.high);
        env *= decay_mul;
    }
}

} // namespace

int render_drum(const drum_kit& kit, drum_kind kind, float velocity, std::uint32_t seed,
                std::vector<float>& out) {
    white_noise noise{hash32(seed) | 1u};
    int n = 0;
    auto start = [&](float seconds) {
        n = frames_for(seconds);
        if (static_cast<int>(out.size()) < n) out.resize(static_cast<size_t>(n));
        std::fill(out.begin(), out.begin() + n, 0.0f);
    };
    switch (kind) {
    case drum_kind::kick: {
        start(kit.kick_decay * 5);
        swept_sine(out, n, kit.kick_start, kit.kick_pitch, kit.kick_sweep, kit.kick_decay, 1.0f);
        // A few milliseconds of filtered noise give the beater its click.
        noise_burst(out, std::min(n, frames_for(0.012f)), 3000, 0.7f, 0.003f, 0.0005f,
                    kit.kick_click, noise, true);
        for (int i = 0; i < n; ++i) {
            const float x = out[static_cast<size_t>(i)] * (1 + kit.kick_drive * 2);
            out[static_cast<size_t>(i)] = 0.8f * std::tanh(x) / std::tanh(1 + kit.kick_drive * 2);
        }
        break;
    }
    case drum_kind::snare:
        start(std::max(kit.snare_decay * 6, 0.25f));
        swept_sine(out, n, kit.snare_tone * 1.6f, kit.snare_tone, 0.01f, 0.06f, 0.55f);
        swept_sine(out, n, kit.snare_tone * 2.4f, kit.snare_tone * 1.75f, 0.01f, 0.04f, 0.25f);
        noise_burst(out, n, kit.snare_colour, 0.6f, kit.snare_decay, 0.001f, kit.snare_noise * 1.5f,
                    noise, true);
        noise_burst(out, n, 6000, 0.7f, kit.snare_decay * 0.7f, 0.001f, kit.snare_noise * 0.5f,
                    noise, false);
        break;
    case drum_kind::rim:
        start(0.08f);
        swept_sine(out, n, 900, 780, 0.005f, 0.018f, 0.6f);
        noise_burst(out, n, 2200, 2.0f, 0.012f, 0.0005f, 0.9f, noise, true);
        break;
    case drum_kind::clap: {
        start(0.4f);
        // Three quick slaps and a short room: what makes a clap a clap.
        for (int k = 0; k < 3; ++k) {
            const int offset = frames_for(0.011f) * k;
            std::vector<float> part(static_cast<size_t>(frames_for(0.012f)), 0.0f);
            noise_burst(part, static_cast<int>(part.size()), 1300, 1.3f, 0.006f, 0.0003f, 1.0f,
                        noise, true);
            for (size_t i = 0; i < part.size() && offset + static_cast<int>(i) < n; ++i)
                out[static_cast<size_t>(offset) + i] += part[i];
        }
        std::vector<float> tail(static_cast<size_t>(n), 0.0f);
        noise_burst(tail, n, 1300, 1.0f, 0.09f, 0.002f, 0.9f, noise, true);
        const int delay = frames_for(0.033f);
        for (int i = delay; i < n; ++i)
            out[static_cast<size_t>(i)] += tail[static_cast<size_t>(i - delay)];
        break;
    }
    case drum_kind::hat_closed:
        start(kit.hat_decay * 6);
        metal(out, n, kit.hat_decay, kit.hat_colour, 0.9f, noise, 0.45f);
        break;
    case drum_kind::hat_open:
        start(kit.open_decay * 5);
        metal(out, n, kit.open_decay, kit.hat_colour, 0.65f, noise, 0.45f);
        break;
    case drum_kind::crash:
        start(kit.crash_decay * 4);
        metal(out, n, kit.crash_decay, kit.hat_colour * 0.55f, 0.55f, noise, 0.7f);
        break;
    case drum_kind::tom_low:
    case drum_kind::tom_mid:
    case drum_kind::tom_high: {
        const float f = kit.tom_pitch * (kind == drum_kind::tom_low   ? 0.75f
                                         : kind == drum_kind::tom_mid ? 1.0f
                                                                      : 1.33f);
        start(kit.tom_decay * 5);
        swept_sine(out, n, f * 1.6f, f, 0.03f, kit.tom_decay, 0.6f);
        noise_burst(out, std::min(n, frames_for(0.05f)), f * 4, 0.8f, 0.015f, 0.0005f, 0.3f, noise,
                    true);
        break;
    }
    case drum_kind::shaker:
        start(0.09f);
        noise_burst(out, n, 7000, 1.2f, 0.025f, 0.012f, 0.8f, noise, true);
        break;
    case drum_kind::timpani:
        start(1.6f);
        swept_sine(out, n, kit.timpani_pitch * 1.12f, kit.timpani_pitch, 0.06f, 0.45f, 0.9f);
        swept_sine(out, n, kit.timpani_pitch * 1.5f * 1.05f, kit.timpani_pitch * 1.5f, 0.06f, 0.3f,
                   0.35f);
        noise_burst(out, std::min(n, frames_for(0.08f)), 400, 0.8f, 0.02f, 0.001f, 0.35f, noise,
                    true);
        break;
    }
    for (int i = 0; i < n; ++i) out[static_cast<size_t>(i)] *= velocity;
    const int ramp = std::min(n, 48);
    for (int k = 0; k < ramp; ++k)
        out[static_cast<size_t>(n - 1 - k)] *= static_cast<float>(k) / static_cast<float>(ramp);
    return n;
}
