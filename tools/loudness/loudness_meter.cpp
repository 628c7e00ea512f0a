#include "loudness_meter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "pcm_decode.h"

namespace {

constexpr long step_frames = pcm_rate / 10;        // 100 ms
constexpr long momentary_frames = 4 * step_frames; // 400 ms

double db(double linear) { return linear > 0 ? 20.0 * std::log10(linear) : silent_lufs; }

// Energy of the frames fed since the last reading, from the loudness of
// exactly that stretch (at most 400 ms).
void take_energy(loudness_meter& m) {
    if (m.energy_fill == 0) return;
    const unsigned long ms =
        static_cast<unsigned long>(std::lround(1000.0 * m.energy_fill / pcm_rate));
    double lufs = silent_lufs;
    if (ms > 0 && ebur128_loudness_window(m.state, ms, &lufs) == EBUR128_SUCCESS &&
        std::isfinite(lufs))
        m.energy += std::pow(10.0, (lufs + 0.691) / 10.0) * static_cast<double>(ms) / 1000.0;
    m.energy_fill = 0;
}

// The K-weighted mean square of the 100 ms step just ended.
double step_energy(loudness_meter& m) {
    double lufs = silent_lufs;
    if (ebur128_loudness_window(m.state, step_frames * 1000 / pcm_rate, &lufs) != EBUR128_SUCCESS ||
        !std::isfinite(lufs))
        return 0;
    return std::pow(10.0, (lufs + 0.691) / 10.0);
}

// The longer window's loudness is the mean of its steps' energies, kept in a
// ring: asking the library for a 10 s window at every step would make it
// keep (and clear) gigabytes of history and read all of it each time.
void follow_window(loudness_meter& m) {
    const size_t steps_in_window = m.window_steps.size();
    m.window_steps[static_cast<size_t>(m.steps) % steps_in_window] = step_energy(m);
    if (m.frames * 1000 < m.window_ms * pcm_rate) return;
    double sum = 0;
    for (double energy : m.window_steps) sum += energy;
    const double lufs = lufs_of_energy(sum / static_cast<double>(steps_in_window));
    if (lufs > m.window_max) {
        m.window_max = lufs;
        m.window_max_end = m.frames;
    }
}

void end_step(loudness_meter& m) {
    double lufs = silent_lufs;
    if (ebur128_loudness_momentary(m.state, &lufs) == EBUR128_SUCCESS && std::isfinite(lufs))
        m.momentary_max = std::max(m.momentary_max, lufs);
    if (m.window_ms > 0) follow_window(m);
    ++m.steps;
}

} // namespace

double lufs_of_energy(double mean_square) {
    return mean_square > 0 ? -0.691 + 10.0 * std::log10(mean_square) : silent_lufs;
}

bool meter_open(loudness_meter& m, bool true_peak, long window_ms) {
    m = loudness_meter{};
    m.state = ebur128_init(2, pcm_rate, EBUR128_MODE_I | (true_peak ? EBUR128_MODE_TRUE_PEAK : 0));
    if (!m.state) return false;
    // A longer window is followed in whole 100 ms steps.
    if (window_ms > 0) {
        const long steps = window_ms * pcm_rate / 1000 / step_frames;
        if (steps < 1 || steps * step_frames * 1000 != window_ms * pcm_rate) {
            meter_close(m);
            return false;
        }
        m.window_ms = window_ms;
        m.window_steps.assign(static_cast<size_t>(steps), 0.0);
    }
    return true;
}

void meter_add(loudness_meter& m, const float* stereo, long frames) {
    for (long i = 0; i < 2 * frames; ++i) {
        const float s = stereo[i] * 32768.0f;
        m.clipped += s >= 32767.0f || s <= -32768.0f;
    }
    while (frames > 0) {
        // Pieces end on every 100 ms step and on every 400 ms energy reading.
        const long n = std::min(frames, step_frames - m.step_fill);
        ebur128_add_frames_float(m.state, stereo, static_cast<size_t>(n));
        stereo += 2 * n;
        frames -= n;
        m.frames += n;
        m.step_fill += n;
        m.energy_fill += n;
        if (m.step_fill == step_frames) {
            m.step_fill = 0;
            end_step(m);
        }
        if (m.energy_fill == momentary_frames) take_energy(m);
    }
}

loudness_figures meter_read(loudness_meter& m) {
    loudness_figures f;
    double lufs = silent_lufs;
    if (ebur128_loudness_global(m.state, &lufs) == EBUR128_SUCCESS && std::isfinite(lufs))
        f.integrated = lufs;
    f.momentary_max = m.momentary_max;
    // A stream that ends between steps: its last moment counts too.
    if (m.step_fill > 0 && ebur128_loudness_momentary(m.state, &lufs) == EBUR128_SUCCESS &&
        std::isfinite(lufs))
        f.momentary_max = std::max(f.momentary_max, lufs);
    double peak = 0;
    for (unsigned int side = 0; side < 2; ++side) {
        double p = 0;
        if (ebur128_true_peak(m.state, side, &p) == EBUR128_SUCCESS) peak = std::max(peak, p);
    }
    f.true_peak = db(peak);
    f.clipped = m.clipped;
    f.seconds = static_cast<double>(m.frames) / pcm_rate;
    return f;
}

double meter_energy(loudness_meter& m) {
    take_energy(m);
    return m.energy;
}

void meter_close(loudness_meter& m) {
    if (m.state) ebur128_destroy(&m.state);
    m.state = nullptr;
}

loudness_figures measure_stream(const float* stereo, long frames) {
    loudness_meter m;
    if (!meter_open(m, true)) return {};
    meter_add(m, stereo, frames);
    loudness_figures f = meter_read(m);
    // Silence after the end: every 400 ms window that holds the sound's end
    // is read too. The integrated figure is the stream's own.
    const std::vector<float> quiet(static_cast<size_t>(2 * momentary_frames), 0.0f);
    meter_add(m, quiet.data(), momentary_frames);
    f.momentary_max = std::max(f.momentary_max, meter_read(m).momentary_max);
    meter_close(m);
    return f;
}
