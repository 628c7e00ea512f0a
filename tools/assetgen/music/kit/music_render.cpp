#include "music/kit/music_render.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "audio/audio_dsp.h"
#include "audio/audio_loudness.h"

namespace {

struct buses {
    std::vector<float> mix;    // interleaved stereo
    std::vector<float> reverb; // mono sends
    std::vector<float> echo;
    long frames = 0;
    bool wrap = false;
};

// Adds `count` frames of a rendered sound at frame `at`, all inside the song:
// plain loops without a wrap check, so they run at the memory's pace.
void add_span(buses& b, long at, const float* left, const float* right, int count, float gain_l,
              float gain_r, float reverb, float echo) {
    float* __restrict mix = b.mix.data() + 2 * at;
    for (int i = 0; i < count; ++i) {
        mix[2 * i] += left[i] * gain_l;
        mix[2 * i + 1] += right[i] * gain_r;
    }
    auto add_send = [&](float* __restrict send, float level) {
        for (int i = 0; i < count; ++i)
            send[i] += 0.5f * (left[i] * gain_l + right[i] * gain_r) * level;
    };
    if (reverb > 0) add_send(b.reverb.data() + at, reverb);
    if (echo > 0) add_send(b.echo.data() + at, echo);
}

// Adds a rendered sound at frame start; a looping song folds whatever runs
// past the end back onto its beginning.
void place(buses& b, long start, const float* left, const float* right, int n, float gain_l,
           float gain_r, float reverb, float echo) {
    long at = start;
    if (at >= b.frames) {
        if (!b.wrap) return;
        at %= b.frames;
    }
    for (int done = 0; done < n;) {
        if (at == b.frames) {
            if (!b.wrap) return;
            at = 0;
        }
        const int count = static_cast<int>(std::min<long>(n - done, b.frames - at));
        add_span(b, at, left + done, right + done, count, gain_l, gain_r, reverb, echo);
        done += count;
        at += count;
    }
}

float drum_pan(drum_kind k) {
    switch (k) {
    case drum_kind::hat_closed:
    case drum_kind::hat_open: return 0.3f;
    case drum_kind::shaker: return -0.3f;
    case drum_kind::tom_high: return 0.35f;
    case drum_kind::tom_low: return -0.35f;
    case drum_kind::crash: return -0.15f;
    case drum_kind::rim: return 0.15f;
    default: return 0.0f;
    }
}

// Loudness of the loud passages: the 90th percentile of short-window power,
// measured after a high-pass so deep kicks and basses do not dominate the
// reading the way they never dominate what a listener hears.
float loud_level(const std::vector<float>& mix) {
    const size_t frames = mix.size() / 2;
    const size_t window = 17640;
    const svf_coeffs weight = svf_make(150.0f, 0.7f);
    svf_state state;
    std::vector<float> levels;
    double sum = 0;
    for (size_t i = 0; i < frames; ++i) {
        const float x = svf_step(state, weight, 0.5f * (mix[2 * i] + mix[2 * i + 1])).high;
        sum += x * x;
        if ((i + 1) % window == 0) {
            levels.push_back(static_cast<float>(std::sqrt(sum / window)));
            sum = 0;
        }
    }
    if (levels.empty()) return 0;
    std::sort(levels.begin(), levels.end());
    return levels[levels.size() * 9 / 10];
}

// Level that only the loudest 0.05 % of samples exceed: the gain is kept low
// enough that the soft ceiling touches nothing but those rare peaks.
float near_peak(const std::vector<float>& mix) {
    // Every third sample of either side is plenty for a percentile.
    std::vector<float> a;
    a.reserve(mix.size() / 3 + 1);
    for (size_t i = 0; i < mix.size(); i += 3) a.push_back(std::fabs(mix[i]));
    if (a.empty()) return 0;
    const size_t k = a.size() - 1 - a.size() / 2000;
    std::nth_element(a.begin(), a.begin() + static_cast<long>(k), a.end());
    return a[k];
}

constexpr long loop_fade_in_frames = 441;   // 10 ms
constexpr long loop_fade_out_frames = 2646; // 60 ms

// Raised-cosine gain for step i of an n-step ramp from silence: 0 at i = 0.
float ramp(long i, long n) {
    const float x = static_cast<float>(i) / static_cast<float>(n);
    return 0.5f - 0.5f * std::cos(3.14159265f * x);
}

void scale_frame(std::vector<float>& mix, long frame, float g) {
    mix[static_cast<size_t>(2 * frame)] *= g;
    mix[static_cast<size_t>(2 * frame + 1)] *= g;
}

} // namespace

std::vector<float> render_song(const song_plan& plan, const song_score& score) {
    buses b;
    b.frames = score.frames;
    b.wrap = plan.ending == song_end::loop;
    b.mix.assign(static_cast<size_t>(2 * b.frames), 0.0f);
    b.reverb.assign(static_cast<size_t>(b.frames), 0.0f);
    b.echo.assign(static_cast<size_t>(b.frames), 0.0f);

    std::vector<float> left, right;
    std::uint32_t index = 0;
    for (const note_event& n : score.notes) {
        const voice_recipe& v = plan.voices[static_cast<size_t>(n.part)];
        const part_mix& m = plan.mix[static_cast<size_t>(n.part)];
        const std::uint32_t seed = hash_combine(plan.seed, ++index);
        const int count =
            render_note(v, n.pitch, static_cast<float>(n.length), n.velocity, seed, left, right);
        const float gl = m.gain * std::min(1.0f, 1.0f - m.pan);
        const float gr = m.gain * std::min(1.0f, 1.0f + m.pan);
        place(b, std::lround(n.time * audio_rate), left.data(), right.data(), count, gl, gr,
              m.reverb, m.echo);
    }
    // Each drum sound is rendered in a few variants once and reused at every
    // hit's velocity: a drum machine's way, and far cheaper than fresh hits.
    constexpr int variants = 4;
    constexpr int kinds = static_cast<int>(drum_kind::timpani) + 1;
    std::vector<std::vector<float>> kit_cache(kinds * variants);
    std::vector<int> kit_frames(kinds * variants, 0);
    for (const drum_event& d : score.drums) {
        ++index;
        const int slot =
            static_cast<int>(d.kind) * variants + static_cast<int>(hash32(index) % variants);
        std::vector<float>& hit = kit_cache[static_cast<size_t>(slot)];
        if (hit.empty())
            kit_frames[static_cast<size_t>(slot)] =
                render_drum(plan.kit, d.kind, 1.0f,
                            hash_combine(plan.seed ^ 0xd7u, static_cast<std::uint32_t>(slot)), hit);
        const float pan = drum_pan(d.kind);
        const float gl = d.velocity * plan.drum_gain * std::min(1.0f, 1.0f - pan);
        const float gr = d.velocity * plan.drum_gain * std::min(1.0f, 1.0f + pan);
        const float send = d.kind == drum_kind::kick ? plan.drum_reverb * 0.3f : plan.drum_reverb;
        place(b, std::lround(d.time * audio_rate), hit.data(), hit.data(),
              kit_frames[static_cast<size_t>(slot)], gl, gr, send, 0);
    }

    const double beat = score.bar_seconds / plan.beats_per_bar;
    add_echo(b.echo, b.mix, static_cast<int>(std::lround(plan.echo_beats * beat * audio_rate)),
             plan.echo_feedback, plan.echo_level, b.wrap, &b.reverb);
    add_reverb(b.reverb, b.mix, plan.reverb, b.wrap);

    const float level = loud_level(b.mix);
    const float peak = near_peak(b.mix);
    float gain = level > 0 ? db_gain(plan.loudness_db) / level : 1.0f;
    if (peak > 0) gain = std::min(gain, 0.74f / peak);
    for (float& x : b.mix) x = soft_clip(x * gain);

    if (b.wrap) {
        // The game starts a loop again only once it has ended, a moment of
        // silence later: both ends meet that silence on a short ramp instead
        // of a jump.
        const long in = std::min(b.frames / 2, loop_fade_in_frames);
        const long out = std::min(b.frames / 2, loop_fade_out_frames);
        for (long i = 0; i < in; ++i) scale_frame(b.mix, i, ramp(i, in));
        for (long i = 0; i < out; ++i) scale_frame(b.mix, b.frames - 1 - i, ramp(i, out));
    } else {
        // Ringing songs open without a click and fade to nothing exactly at the end.
        const long in = 220;
        const long out =
            std::min<long>(b.frames, std::lround(std::min(2.0f, plan.tail * 0.7f) * audio_rate));
        for (long i = 0; i < in && i < b.frames; ++i) {
            const float g = static_cast<float>(i) / in;
            b.mix[static_cast<size_t>(2 * i)] *= g;
            b.mix[static_cast<size_t>(2 * i + 1)] *= g;
        }
        for (long i = 0; i < out; ++i) {
            const float x = static_cast<float>(i) / static_cast<float>(out); // 0 at the very end
            const float g = x * x;
            const long at = b.frames - 1 - i;
            b.mix[static_cast<size_t>(2 * at)] *= g;
            b.mix[static_cast<size_t>(2 * at + 1)] *= g;
        }
    }
    // Every track, whatever its instruments, at the same loudness to the ear.
    const float trim = db_gain(music_loudness_lufs - integrated_lufs(b.mix));
    for (float& x : b.mix) x *= trim;
    return std::move(b.mix);
}
