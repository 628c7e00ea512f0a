// BS.1770 loudness through libebur128: integrated (gated) loudness, the
// loudest 400 ms (momentary maximum), true peak, clipped samples and the
// K-weighted energy of a stereo stream fed in pieces of any length.
#pragma once

#include <ebur128.h>

#include <limits>
#include <vector>

constexpr double silent_lufs = -std::numeric_limits<double>::infinity();

struct loudness_figures {
    double integrated = silent_lufs;    // LUFS
    double momentary_max = silent_lufs; // LUFS, the loudest 400 ms
    double true_peak = silent_lufs;     // dBTP
    long clipped = 0;                   // samples at or beyond 16-bit full scale
    double seconds = 0;
};

// Momentary loudness is read every 100 ms (the step of BS.1770's gating
// blocks); a longer window, when asked for, is read at the same steps and its
// loudest reading kept with the frame where it ends.
struct loudness_meter {
    ebur128_state* state = nullptr;
    long frames = 0;
    long clipped = 0;
    long step_fill = 0; // frames into the current 100 ms step
    long steps = 0;
    double momentary_max = silent_lufs;
    double energy = 0;                // K-weighted mean square times seconds, summed
    long energy_fill = 0;             // frames since the energy was last read
    long window_ms = 0;               // 0: no longer window, else a whole number of steps
    std::vector<double> window_steps; // the window's step energies, a ring
    double window_max = silent_lufs;
    long window_max_end = 0; // frame where the loudest window ends
};

// `window_ms` > 0 (a multiple of 100 ms) also follows the loudest stretch of
// that length.
bool meter_open(loudness_meter& m, bool true_peak, long window_ms = 0);
// Interleaved stereo, full scale at +-1 (a 16-bit sample divided by 32768).
void meter_add(loudness_meter& m, const float* stereo, long frames);
// Reads the figures; the meter can be fed further afterwards.
loudness_figures meter_read(loudness_meter& m);
// K-weighted energy so far (mean square over a second, summed over seconds).
double meter_energy(loudness_meter& m);
void meter_close(loudness_meter& m);

// Loudness of a whole stereo stream, with the loudest 400 ms found even in a
// stream shorter than that (the window then holds silence around it).
loudness_figures measure_stream(const float* stereo, long frames);

double lufs_of_energy(double mean_square);
