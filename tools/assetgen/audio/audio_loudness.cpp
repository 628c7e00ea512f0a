#include "audio/audio_loudness.h"

#include <algorithm>
#include <cmath>

#include "audio/audio_dsp.h"

namespace {

// The two stages of the K-weighting filter (a high shelf for the head, a
// high pass for the ear), designed for the generator's rate from the
// standard's analogue prototypes.
struct biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
};

double step(biquad& f, double x) {
    const double y = f.b0 * x + f.z1;
    f.z1 = f.b1 * x - f.a1 * y + f.z2;
    f.z2 = f.b2 * x - f.a2 * y;
    return y;
}

biquad head_shelf() {
    const double f0 = 1681.974450955533, gain_db = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(3.141592653589793 * f0 / audio_rate);
    const double vh = std::pow(10.0, gain_db / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

biquad ear_high_pass() {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(3.141592653589793 * f0 / audio_rate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

// K-weighted square of one side of a signal, sample by sample.
std::vector<double> weighted_power(const std::vector<float>& s, size_t offset, size_t stride) {
    biquad shelf = head_shelf(), pass = ear_high_pass();
    std::vector<double> out;
    out.reserve(s.size() / stride);
    for (size_t i = offset; i < s.size(); i += stride) {
        const double y = step(pass, step(shelf, s[i]));
        out.push_back(y * y);
    }
    return out;
}

double lufs_of(double mean_square) {
    return mean_square > 0 ? -0.691 + 10.0 * std::log10(mean_square) : -200.0;
}

constexpr size_t block_frames = audio_rate * 4 / 10; // 400 ms
constexpr size_t hop_frames = audio_rate / 10;       // blocks overlap by 75 %

} // namespace

float integrated_lufs(const std::vector<float>& stereo) {
    // The two sides' weighted powers of the last 400 ms wait in a ring, and
    // every 100 ms the block ending there is summed from its first frame on.
    biquad shelf_l = head_shelf(), pass_l = ear_high_pass();
    biquad shelf_r = head_shelf(), pass_r = ear_high_pass();
    std::vector<double> ring(block_frames);
    std::vector<double> blocks;
    const size_t frames = stereo.size() / 2;
    for (size_t i = 0; i < frames; ++i) {
        const double l = step(pass_l, step(shelf_l, stereo[2 * i]));
        const double r = step(pass_r, step(shelf_r, stereo[2 * i + 1]));
        ring[i % block_frames] = l * l + r * r;
        const size_t end = i + 1;
        if (end < block_frames || (end - block_frames) % hop_frames != 0) continue;
        double sum = 0;
        for (size_t k = end - block_frames; k < end; ++k) sum += ring[k % block_frames];
        blocks.push_back(sum / block_frames);
    }
    // The absolute gate at -70 LUFS, then the relative one 10 LU under what passed it.
    auto gated_mean = [&](double floor) {
        double sum = 0;
        long count = 0;
        for (double b : blocks) {
            if (lufs_of(b) <= floor) continue;
            sum += b;
            ++count;
        }
        return count > 0 ? sum / static_cast<double>(count) : 0.0;
    };
    const double relative = lufs_of(gated_mean(-70.0)) - 10.0;
    return static_cast<float>(lufs_of(gated_mean(std::max(-70.0, relative))));
}

float loudest_400ms_lufs(const std::vector<float>& mono) {
    const std::vector<double> p = weighted_power(mono, 0, 1);
    // Silence on either side: a short effect's window holds all of it.
    double sum = 0, best = 0;
    for (size_t i = 0; i < p.size() + block_frames; ++i) {
        if (i < p.size()) sum += p[i];
        if (i >= block_frames) sum -= p[i - block_frames];
        best = std::max(best, sum);
    }
    // Played on both sides: the two channels' powers add.
    return static_cast<float>(lufs_of(2.0 * best / block_frames));
}
