#include "audio/audio_voices.h"

#include <algorithm>
#include <cmath>

#include "audio/audio_dsp.h"

namespace {

inline float saturate(float x, float drive) {
    if (drive <= 0) return x;
    const float d = 1.0f + drive * 4.0f;
    const float y = x * d;
    return y / (1.0f + std::fabs(y)) * (1.0f + 1.0f / d);
}

// Karplus-Strong string: a delay line of one period, refiltered each pass.
struct pluck_string {
    std::vector<float> ring;
    int write = 0;
    int k0 = 0;
    float f = 0;
    float loss = 0.999f;
};

void pluck_start(pluck_string& p, float freq, const voice_recipe& v, float velocity,
                 white_noise& noise) {
    const float period = audio_rate / freq;
    const int n = static_cast<int>(period) + 4;
    p.ring.assign(static_cast<size_t>(n), 0.0f);
    // The burst sets the tone: a softer (low-passed) burst gives a rounder string.
    const float a =
        0.15f + 0.8f * std::clamp(v.pluck_bright * (0.6f + 0.4f * velocity), 0.0f, 1.0f);
    float lp = 0;
    for (int i = 0; i < n; ++i) {
        lp += a * (next_white(noise) - lp);
        p.ring[static_cast<size_t>(i)] = lp;
    }
    float mean = 0;
    for (float x : p.ring) mean += x;
    mean /= static_cast<float>(n);
    for (float& x : p.ring) x -= mean;
    p.write = 0;
    const float d = period - 0.5f; // the two-tap average adds half a sample
    p.k0 = static_cast<int>(d);
    p.f = d - static_cast<float>(p.k0);
    p.loss = std::pow(0.001f, 1.0f / (std::max(v.pluck_decay, 0.05f) * freq));
}

inline float pluck_step(pluck_string& p) {
    const int n = static_cast<int>(p.ring.size());
    auto at = [&](int k) { return p.ring[static_cast<size_t>((p.write - k + 2 * n) % n)]; };
    const float t0 = at(p.k0), t1 = at(p.k0 + 1), t2 = at(p.k0 + 2);
    const float a = t0 + (t1 - t0) * p.f;
    const float b = t1 + (t2 - t1) * p.f;
    const float y = p.loss * 0.5f * (a + b);
    p.ring[static_cast<size_t>(p.write)] = y;
    p.write = (p.write + 1) % n;
    return y;
}

} // namespace

namespace {

constexpr int block = 32;

// One oscillator's samples for a block, added into l/r with its pan gains.
// The shape's loop is chosen once per block so the inner loops stay tight.
void run_oscillator(const voice_recipe& v, float& ph, float dt, float pw, float fm_amount,
                    float& mod_phase, float mod_dt, int n, float gl, float gr, float* l, float* r) {
    switch (v.shape) {
    case osc_shape::sine:
        for (int i = 0; i < n; ++i) {
            const float s = sine_turns(ph);
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl, r[i] += s * gr;
        }
        break;
    case osc_shape::triangle:
        for (int i = 0; i < n; ++i) {
            const float s = 4.0f * std::fabs(ph - 0.5f) - 1.0f;
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl, r[i] += s * gr;
        }
        break;
    case osc_shape::saw:
        for (int i = 0; i < n; ++i) {
            const float s = 2.0f * ph - 1.0f - poly_blep(ph, dt);
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl, r[i] += s * gr;
        }
        break;
    case osc_shape::square:
    case osc_shape::pulse: {
        const float width = v.shape == osc_shape::square ? 0.5f : pw;
        const float dc = 2.0f * width - 1.0f;
        for (int i = 0; i < n; ++i) {
            float down = ph + 1.0f - width;
            if (down >= 1) down -= 1;
            const float s =
                (ph < width ? 1.0f : -1.0f) + poly_blep(ph, dt) - poly_blep(down, dt) - dc;
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl, r[i] += s * gr;
        }
        break;
    }
    case osc_shape::fm: {
        float mp = mod_phase;
        for (int i = 0; i < n; ++i) {
            const float s = sine_turns(ph + fm_amount * sine_turns(mp));
            ph += dt;
            if (ph >= 1) ph -= 1;
            mp += mod_dt;
            if (mp >= 1) mp -= 1;
            l[i] += s * gl, r[i] += s * gr;
        }
        mod_phase = mp;
        break;
    }
    case osc_shape::organ:
        for (int i = 0; i < n; ++i) {
            const float s = v.organ[0] * sine_turns(ph) + v.organ[1] * sine_turns(2 * ph) +
                            v.organ[2] * sine_turns(3 * ph) + v.organ[3] * sine_turns(4 * ph);
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl, r[i] += s * gr;
        }
        break;
    default: break;
    }
}

} // namespace

int render_note(const voice_recipe& v, float pitch, float seconds, float velocity,
                std::uint32_t seed, std::vector<float>& left, std::vector<float>& right) {
    const float freq = midi_hz(pitch);
    const int gate = std::max(1, static_cast<int>(seconds * audio_rate));
    const float release = std::max(v.release, 0.004f);
    const bool percussive = v.sustain <= 0.001f && v.shape != osc_shape::pluck;
    int total = gate + static_cast<int>(release * 6.0f * audio_rate);
    if (percussive)
        total = std::min(total, static_cast<int>((v.attack + v.decay * 7.0f) * audio_rate) + 1);
    if (v.shape == osc_shape::pluck)
        total = std::min(total, static_cast<int>(v.pluck_decay * 1.1f * audio_rate) + 1);
    total = std::max(total, 64);
    if (static_cast<int>(left.size()) < total + block) {
        left.resize(static_cast<size_t>(total + block));
        right.resize(static_cast<size_t>(total + block));
    }

    white_noise noise{hash32(seed) | 1u};
    const int attack = std::max(1, static_cast<int>(v.attack * audio_rate));
    const float decay_mul = std::exp(-1.0f / (std::max(v.decay, 0.001f) * audio_rate));
    const float release_mul = std::exp(-1.0f / (release * audio_rate));
    // Envelopes that move at control rate advance one block at a time.
    const float filter_mul = std::exp(-block / (std::max(v.cutoff_decay, 0.001f) * audio_rate));
    const float fm_mul = std::exp(-block / (std::max(v.fm_decay, 0.001f) * audio_rate));
    const float drop_mul = std::exp(-block / (std::max(v.pitch_drop_time, 0.001f) * audio_rate));
    const float base_cut =
        v.cutoff * (v.key_track > 0 ? std::pow(freq / 261.6f, v.key_track) : 1.0f);

    const int uni = std::clamp(v.unison, 1, 3);
    const bool stereo = uni > 1 && v.width > 0;
    float detune[3] = {1, 1, 1}, pan_l[3] = {1, 1, 1}, pan_r[3] = {1, 1, 1}, phase[3] = {0, 0, 0};
    for (int u = 0; u < uni; ++u) {
        const float pos = uni == 1 ? 0.0f : (uni == 2 ? (u == 0 ? -1.0f : 1.0f) : u - 1.0f);
        detune[u] = std::exp2(pos * v.detune_cents / 1200.0f);
        const float p = pos * v.width;
        pan_l[u] = std::sqrt(0.5f * (1 - p)) / std::sqrt(0.5f * uni);
        pan_r[u] = std::sqrt(0.5f * (1 + p)) / std::sqrt(0.5f * uni);
        // Unison oscillators start at scattered phases so they never cancel.
        if (uni > 1)
            phase[u] = static_cast<float>(hash32(seed + static_cast<std::uint32_t>(u) * 77u) >> 8) /
                       16777216.0f;
    }
    const float base_inc = freq * audio_dt;

    thread_local pluck_string plucked;
    if (v.shape == osc_shape::pluck) pluck_start(plucked, freq, v, velocity, noise);

    svf_state fl, fr;
    float env = 0, filter_env = 1, fm_env = 1, drop = v.pitch_drop;
    float vib_phase = 0, pwm_phase = 0.25f, sub_phase = 0, mod_phase = 0;
    const float amp = velocity * v.gain;
    float osc_l[block], osc_r[block];

    int end = total;
    for (int start = 0; start < end; start += block) {
        const int n = std::min(block, end - start);
        const float t = static_cast<float>(start) * audio_dt;
        float cut = base_cut;
        if (v.sweep_to > 0) {
            const float k = std::min(1.0f, static_cast<float>(start) / static_cast<float>(gate));
            cut = base_cut * std::pow(v.sweep_to / base_cut, k);
        }
        const svf_coeffs coeffs = svf_make(cut + v.cutoff_env * filter_env, v.resonance);
        const float depth = v.vibrato_depth * std::clamp((t - v.vibrato_delay) / 0.3f, 0.0f, 1.0f);
        const float semis = depth * sine_turns(vib_phase) + drop;
        const float pitch_mul = semis == 0 ? 1.0f : std::exp2(semis / 12.0f);
        const float pw =
            std::clamp(v.pulse_width + v.pwm_depth * sine_turns(pwm_phase), 0.05f, 0.95f);
        const float fm_amount = 0.159f * v.fm_index * (v.fm_sustain + (1 - v.fm_sustain) * fm_env);
        vib_phase += v.vibrato_rate * audio_dt * block;
        vib_phase -= std::floor(vib_phase);
        pwm_phase += v.pwm_rate * audio_dt * block;
        pwm_phase -= std::floor(pwm_phase);
        filter_env *= filter_mul;
        fm_env *= fm_mul;
        drop *= drop_mul;

        std::fill(osc_l, osc_l + n, 0.0f);
        std::fill(osc_r, osc_r + n, 0.0f);
        if (v.shape == osc_shape::pluck) {
            for (int i = 0; i < n; ++i) osc_l[i] = osc_r[i] = pluck_step(plucked);
        } else if (v.shape == osc_shape::noise) {
            for (int i = 0; i < n; ++i) osc_l[i] = osc_r[i] = next_white(noise);
        } else {
            const float mod_dt = base_inc * pitch_mul * v.fm_ratio;
            for (int u = 0; u < uni; ++u) {
                float mp = mod_phase;
                run_oscillator(v, phase[u], base_inc * pitch_mul * detune[u], pw, fm_amount, mp,
                               mod_dt, n, pan_l[u], pan_r[u], osc_l, osc_r);
                if (u == uni - 1) mod_phase = mp;
            }
        }
        if (v.sub_level > 0) {
            const float dt = base_inc * pitch_mul * 0.5f;
            for (int i = 0; i < n; ++i) {
                const float sub = v.sub_level * sine_turns(sub_phase);
                sub_phase += dt;
                if (sub_phase >= 1) sub_phase -= 1;
                osc_l[i] += sub, osc_r[i] += sub;
            }
        }
        if (v.noise_level > 0)
            for (int i = 0; i < n; ++i) {
                const float x = v.noise_level * next_white(noise);
                osc_l[i] += x, osc_r[i] += x;
            }

        float* out_l = left.data() + start;
        float* out_r = right.data() + start;
        for (int i = 0; i < n; ++i) {
            const int at = start + i;
            if (at < gate) {
                if (at < attack)
                    env = static_cast<float>(at + 1) / static_cast<float>(attack);
                else
                    env = v.sustain + (env - v.sustain) * decay_mul;
            } else {
                env *= release_mul;
            }
            const float g = env * amp;
            const svf_out a = svf_step(fl, coeffs, osc_l[i]);
            out_l[i] = saturate(v.band_pass ? a.band : a.low, v.drive) * g;
            if (stereo) {
                const svf_out b = svf_step(fr, coeffs, osc_r[i]);
                out_r[i] = saturate(v.band_pass ? b.band : b.low, v.drive) * g;
            } else {
                out_r[i] = out_l[i];
            }
        }
        // Once the note has died away there is nothing left worth computing.
        const bool fading = start + n >= gate || (percussive && start + n > attack);
        if (fading && env < 0.006f) end = start + n;
    }
    total = end;
    // A short ramp at the very end, so a cut-off tail never clicks.
    const int ramp = std::min(total, 48);
    for (int k = 0; k < ramp; ++k) {
        const float g = static_cast<float>(k) / static_cast<float>(ramp);
        left[static_cast<size_t>(total - 1 - k)] *= g;
        right[static_cast<size_t>(total - 1 - k)] *= g;
    }
    return total;
}
