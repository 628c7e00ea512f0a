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

// One oscillator's samples for a block, added into l/r with its pan gains
// (into l alone for a mono note, whose right side copies the left after the
// filter). The shape's loop is chosen once per block so the inner loops stay
// tight.
template <bool stereo>
void run_oscillator(const voice_recipe& v, float& ph, float dt, float pw, float fm_amount,
                    float& mod_phase, float mod_dt, int n, float gl, float gr, float* l, float* r) {
    switch (v.shape) {
    case osc_shape::sine:
        for (int i = 0; i < n; ++i) {
            const float s = sine_turns(ph);
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl;
            if constexpr (stereo) r[i] += s * gr;
        }
        break;
    case osc_shape::triangle:
        for (int i = 0; i < n; ++i) {
            const float s = 4.0f * std::fabs(ph - 0.5f) - 1.0f;
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl;
            if constexpr (stereo) r[i] += s * gr;
        }
        break;
    case osc_shape::saw:
        for (int i = 0; i < n; ++i) {
            const float s = 2.0f * ph - 1.0f - poly_blep(ph, dt);
            ph += dt;
            if (ph >= 1) ph -= 1;
            l[i] += s * gl;
            if constexpr (stereo) r[i] += s * gr;
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
            l[i] += s * gl;
            if constexpr (stereo) r[i] += s * gr;
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
            l[i] += s * gl;
            if constexpr (stereo) r[i] += s * gr;
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
            l[i] += s * gl;
            if constexpr (stereo) r[i] += s * gr;
        }
        break;
    default: break;
    }
}

// How many frames a note may sound: its gate and a release tail, cut short
// for percussive and plucked voices whose sound dies away before that.
int note_frames(const voice_recipe& v, int gate, float release, bool percussive) {
    int total = gate + static_cast<int>(release * 6.0f * audio_rate);
    if (percussive)
        total = std::min(total, static_cast<int>((v.attack + v.decay * 7.0f) * audio_rate) + 1);
    if (v.shape == osc_shape::pluck)
        total = std::min(total, static_cast<int>(v.pluck_decay * 1.1f * audio_rate) + 1);
    return std::max(total, 64);
}

// The unison copies of the oscillator: each detuned, panned across the width
// and started at its own phase.
struct unison_spread {
    int count = 1;
    float detune[3] = {1, 1, 1}, pan_l[3] = {1, 1, 1}, pan_r[3] = {1, 1, 1}, phase[3] = {0, 0, 0};
};

unison_spread spread_unison(const voice_recipe& v, std::uint32_t seed) {
    unison_spread s;
    const int uni = std::clamp(v.unison, 1, 3);
    s.count = uni;
    for (int u = 0; u < uni; ++u) {
        const float pos = uni == 1 ? 0.0f : (uni == 2 ? (u == 0 ? -1.0f : 1.0f) : u - 1.0f);
        s.detune[u] = std::exp2(pos * v.detune_cents / 1200.0f);
        const float p = pos * v.width;
        s.pan_l[u] = std::sqrt(0.5f * (1 - p)) / std::sqrt(0.5f * uni);
        s.pan_r[u] = std::sqrt(0.5f * (1 + p)) / std::sqrt(0.5f * uni);
        // Unison oscillators start at scattered phases so they never cancel.
        if (uni > 1)
            s.phase[u] =
                static_cast<float>(hash32(seed + static_cast<std::uint32_t>(u) * 77u) >> 8) /
                16777216.0f;
    }
    return s;
}

// What moves at control rate (filter sweep and envelope, vibrato, pulse
// width, FM depth, pitch drop), advanced one block at a time.
struct note_controls {
    float base_cut = 0;
    float filter_mul = 1, fm_mul = 1, drop_mul = 1;
    float filter_env = 1, fm_env = 1, drop = 0;
    float vib_phase = 0, pwm_phase = 0.25f;
    // The filter's last coefficients and the cutoff they were made for: a
    // cutoff that does not move keeps them instead of working them out again.
    float coeffs_cut = -1;
    svf_coeffs coeffs;
};

note_controls start_controls(const voice_recipe& v, float freq) {
    note_controls c;
    c.filter_mul = std::exp(-block / (std::max(v.cutoff_decay, 0.001f) * audio_rate));
    c.fm_mul = std::exp(-block / (std::max(v.fm_decay, 0.001f) * audio_rate));
    c.drop_mul = std::exp(-block / (std::max(v.pitch_drop_time, 0.001f) * audio_rate));
    c.base_cut = v.cutoff * (v.key_track > 0 ? std::pow(freq / 261.6f, v.key_track) : 1.0f);
    c.drop = v.pitch_drop;
    return c;
}

// The settings one block plays with.
struct block_settings {
    svf_coeffs coeffs;
    float pitch_mul = 1;
    float pulse_width = 0.5f;
    float fm_amount = 0;
};

block_settings next_block(const voice_recipe& v, note_controls& c, int start, int gate) {
    const float t = static_cast<float>(start) * audio_dt;
    float cut = c.base_cut;
    if (v.sweep_to > 0) {
        const float k = std::min(1.0f, static_cast<float>(start) / static_cast<float>(gate));
        cut = c.base_cut * std::pow(v.sweep_to / c.base_cut, k);
    }
    block_settings b;
    const float cut_now = cut + v.cutoff_env * c.filter_env;
    if (cut_now != c.coeffs_cut) {
        c.coeffs = svf_make(cut_now, v.resonance);
        c.coeffs_cut = cut_now;
    }
    b.coeffs = c.coeffs;
    const float depth = v.vibrato_depth * std::clamp((t - v.vibrato_delay) / 0.3f, 0.0f, 1.0f);
    const float semis = depth * sine_turns(c.vib_phase) + c.drop;
    b.pitch_mul = semis == 0 ? 1.0f : std::exp2(semis / 12.0f);
    b.pulse_width = std::clamp(v.pulse_width + v.pwm_depth * sine_turns(c.pwm_phase), 0.05f, 0.95f);
    b.fm_amount = 0.159f * v.fm_index * (v.fm_sustain + (1 - v.fm_sustain) * c.fm_env);
    c.vib_phase += v.vibrato_rate * audio_dt * block;
    c.vib_phase -= std::floor(c.vib_phase);
    c.pwm_phase += v.pwm_rate * audio_dt * block;
    c.pwm_phase -= std::floor(c.pwm_phase);
    c.filter_env *= c.filter_mul;
    c.fm_env *= c.fm_mul;
    c.drop *= c.drop_mul;
    return b;
}

// The oscillators' running state through a note.
struct note_sources {
    unison_spread unison;
    white_noise noise;
    float sub_phase = 0, mod_phase = 0;
};

// One block of raw sound, before envelope and filter: the oscillators (or
// the string, or noise), then the sub octave and the added noise.
template <bool stereo>
void fill_sources(const voice_recipe& v, note_sources& src, pluck_string& plucked,
                  const block_settings& b, float base_inc, int n, float* osc_l, float* osc_r) {
    std::fill(osc_l, osc_l + n, 0.0f);
    if constexpr (stereo) std::fill(osc_r, osc_r + n, 0.0f);
    if (v.shape == osc_shape::pluck) {
        for (int i = 0; i < n; ++i) osc_l[i] = osc_r[i] = pluck_step(plucked);
    } else if (v.shape == osc_shape::noise) {
        for (int i = 0; i < n; ++i) osc_l[i] = osc_r[i] = next_white(src.noise);
    } else {
        const unison_spread& u = src.unison;
        const float mod_dt = base_inc * b.pitch_mul * v.fm_ratio;
        for (int k = 0; k < u.count; ++k) {
            float mp = src.mod_phase;
            run_oscillator<stereo>(v, src.unison.phase[k], base_inc * b.pitch_mul * u.detune[k],
                                   b.pulse_width, b.fm_amount, mp, mod_dt, n, u.pan_l[k],
                                   u.pan_r[k], osc_l, osc_r);
            if (k == u.count - 1) src.mod_phase = mp;
        }
    }
    if (v.sub_level > 0) {
        const float dt = base_inc * b.pitch_mul * 0.5f;
        for (int i = 0; i < n; ++i) {
            const float sub = v.sub_level * sine_turns(src.sub_phase);
            src.sub_phase += dt;
            if (src.sub_phase >= 1) src.sub_phase -= 1;
            osc_l[i] += sub;
            if constexpr (stereo) osc_r[i] += sub;
        }
    }
    if (v.noise_level > 0)
        for (int i = 0; i < n; ++i) {
            const float x = v.noise_level * next_white(src.noise);
            osc_l[i] += x;
            if constexpr (stereo) osc_r[i] += x;
        }
}

// The amplitude envelope (attack, decay to sustain while the gate is held,
// release after) and the filter, from the raw block into the output.
struct note_envelope {
    int gate = 0;
    int attack = 1;
    float decay_mul = 0, release_mul = 0;
    float amp = 0;
    bool stereo = false;
    float level = 0;
    svf_state fl, fr;
};

void shape_block(const voice_recipe& v, note_envelope& e, const svf_coeffs& coeffs, int start,
                 int n, const float* osc_l, const float* osc_r, float* out_l, float* out_r) {
    float env = e.level;
    for (int i = 0; i < n; ++i) {
        const int at = start + i;
        if (at < e.gate) {
            if (at < e.attack)
                env = static_cast<float>(at + 1) / static_cast<float>(e.attack);
            else
                env = v.sustain + (env - v.sustain) * e.decay_mul;
        } else {
            env *= e.release_mul;
        }
        const float g = env * e.amp;
        const svf_out a = svf_step(e.fl, coeffs, osc_l[i]);
        out_l[i] = saturate(v.band_pass ? a.band : a.low, v.drive) * g;
        if (e.stereo) {
            const svf_out b = svf_step(e.fr, coeffs, osc_r[i]);
            out_r[i] = saturate(v.band_pass ? b.band : b.low, v.drive) * g;
        } else {
            out_r[i] = out_l[i];
        }
    }
    e.level = env;
}

// A short ramp at the very end, so a cut-off tail never clicks.
void ramp_out(std::vector<float>& left, std::vector<float>& right, int total) {
    const int ramp = std::min(total, 48);
    for (int k = 0; k < ramp; ++k) {
        const float g = static_cast<float>(k) / static_cast<float>(ramp);
        left[static_cast<size_t>(total - 1 - k)] *= g;
        right[static_cast<size_t>(total - 1 - k)] *= g;
    }
}

} // namespace

int render_note(const voice_recipe& v, float pitch, float seconds, float velocity,
                std::uint32_t seed, std::vector<float>& left, std::vector<float>& right) {
    const float freq = midi_hz(pitch);
    const int gate = std::max(1, static_cast<int>(seconds * audio_rate));
    const float release = std::max(v.release, 0.004f);
    const bool percussive = v.sustain <= 0.001f && v.shape != osc_shape::pluck;
    const int total = note_frames(v, gate, release, percussive);
    if (static_cast<int>(left.size()) < total + block) {
        left.resize(static_cast<size_t>(total + block));
        right.resize(static_cast<size_t>(total + block));
    }

    note_sources src{spread_unison(v, seed), white_noise{hash32(seed) | 1u}};
    note_envelope e;
    e.gate = gate;
    e.attack = std::max(1, static_cast<int>(v.attack * audio_rate));
    e.decay_mul = std::exp(-1.0f / (std::max(v.decay, 0.001f) * audio_rate));
    e.release_mul = std::exp(-1.0f / (release * audio_rate));
    e.amp = velocity * v.gain;
    e.stereo = src.unison.count > 1 && v.width > 0;
    note_controls controls = start_controls(v, freq);
    const float base_inc = freq * audio_dt;

    thread_local pluck_string plucked;
    if (v.shape == osc_shape::pluck) pluck_start(plucked, freq, v, velocity, src.noise);

    float osc_l[block], osc_r[block];
    int end = total;
    for (int start = 0; start < end; start += block) {
        const int n = std::min(block, end - start);
        const block_settings b = next_block(v, controls, start, gate);
        if (e.stereo)
            fill_sources<true>(v, src, plucked, b, base_inc, n, osc_l, osc_r);
        else
            fill_sources<false>(v, src, plucked, b, base_inc, n, osc_l, osc_r);
        shape_block(v, e, b.coeffs, start, n, osc_l, osc_r, left.data() + start,
                    right.data() + start);
        // Once the note has died away there is nothing left worth computing.
        const bool fading = start + n >= gate || (percussive && start + n > e.attack);
        if (fading && e.level < 0.006f) end = start + n;
    }
    ramp_out(left, right, end);
    return end;
}
