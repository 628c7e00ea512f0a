#include "music/kit/music_melody.h"

#include <algorithm>
#include <cstdlib>

#include "audio/audio_dsp.h"

namespace {

// Rhythm cells of one beat (four sixteenths); negative lengths are rests.
struct cell {
    int lens[4];
    int count;
    float sparse, middle, busy; // weight at low, medium and high density
};

const cell beat_cells[] = {
    {{4}, 1, 3.0f, 1.2f, 0.3f},       {{2, 2}, 2, 1.0f, 2.0f, 1.5f},
    {{3, 1}, 2, 0.4f, 1.2f, 1.0f},    {{1, 1, 2}, 3, 0.0f, 0.6f, 1.4f},
    {{2, 1, 1}, 3, 0.0f, 0.6f, 1.4f}, {{1, 1, 1, 1}, 4, 0.0f, 0.2f, 1.0f},
    {{-2, 2}, 2, 0.6f, 0.4f, 0.3f},
};
constexpr int cell_count = sizeof(beat_cells) / sizeof(beat_cells[0]);

float cell_weight(const cell& c, float density) {
    if (density < 0.5f) return c.sparse + (c.middle - c.sparse) * density * 2;
    return c.middle + (c.busy - c.middle) * (density - 0.5f) * 2;
}

struct rhythm_note {
    int step, len;
};

// One beat's rhythm starting at step; long notes tie beats together.
void add_cell(std::vector<rhythm_note>& out, int step, int cell_index) {
    const cell& c = beat_cells[cell_index];
    for (int k = 0; k < c.count; ++k) {
        if (c.lens[k] > 0) out.push_back({step, c.lens[k]});
        step += std::abs(c.lens[k]);
    }
}

std::vector<rhythm_note> make_rhythm(lcg& rng, int steps_per_bar, float density) {
    const int beats = steps_per_bar / 4;
    const int total_beats = beats * 2;
    std::vector<int> cells(static_cast<size_t>(total_beats), 0);
    float weights[cell_count];
    for (int k = 0; k < cell_count; ++k) weights[k] = cell_weight(beat_cells[k], density);
    for (int b = 0; b < total_beats; ++b) {
        // The second bar often echoes the first bar's rhythm: that is what makes it a motif.
        if (b >= beats && lcg_chance(rng, 0.55f))
            cells[static_cast<size_t>(b)] = cells[static_cast<size_t>(b - beats)];
        else
            cells[static_cast<size_t>(b)] = lcg_weighted(rng, weights, cell_count);
    }
    // Only the opening beat may start with a rest.
    for (int b = 1; b < total_beats; ++b)
        if (beat_cells[cells[static_cast<size_t>(b)]].lens[0] < 0)
            cells[static_cast<size_t>(b)] = 1;
    std::vector<rhythm_note> out;
    const int end_beats = 2; // the phrase ends on a long note and a breath
    for (int b = 0; b < total_beats - end_beats; ++b)
        add_cell(out, b * 4, cells[static_cast<size_t>(b)]);
    const int tail_step = (total_beats - end_beats) * 4;
    if (lcg_chance(rng, 0.5f))
        out.push_back({tail_step, 8});
    else
        out.push_back({tail_step, 6});
    // Merge some quarter pairs into halves on strong beats for breathing room at low density.
    if (density < 0.35f) {
        std::vector<rhythm_note> merged;
        for (size_t i = 0; i < out.size(); ++i) {
            if (i + 1 < out.size() && out[i].len == 4 && out[i + 1].len == 4 &&
                out[i].step % 8 == 0 && lcg_chance(rng, 0.5f)) {
                merged.push_back({out[i].step, 8});
                ++i;
            } else {
                merged.push_back(out[i]);
            }
        }
        out = merged;
    }
    return out;
}

// A melodic walk: mostly steps, the odd leap recovered by a step back, rising
// through the first half of the phrase and falling through the second.
std::vector<int> make_contour(lcg& rng, int count, int start, int low, int high) {
    std::vector<int> d(static_cast<size_t>(count), start);
    int dir = lcg_chance(rng, 0.6f) ? 1 : -1;
    int last_move = 0;
    for (int i = 1; i < count; ++i) {
        const bool rising_half = i < count / 2;
        if (lcg_chance(rng, 0.3f)) dir = lcg_chance(rng, rising_half ? 0.65f : 0.35f) ? 1 : -1;
        int move;
        if (std::abs(last_move) >= 3)
            move = last_move > 0 ? -1 : 1;
        else {
            const float r = lcg_unit(rng);
            if (r < 0.12f)
                move = 0;
            else if (r < 0.74f)
                move = dir;
            else if (r < 0.9f)
                move = 2 * dir;
            else
                move = lcg_range(rng, 3, 4) * dir;
        }
        int next = d[static_cast<size_t>(i - 1)] + move;
        if (next > high || next < low) {
            move = -move;
            next = d[static_cast<size_t>(i - 1)] + move;
            dir = -dir;
        }
        d[static_cast<size_t>(i)] = std::clamp(next, low, high);
        last_move = move;
    }
    return d;
}

} // namespace

theme make_theme(std::uint32_t seed, int steps_per_bar, float density, int low, int high) {
    lcg rng = make_lcg(seed);
    theme t;
    const std::vector<rhythm_note> rhythm = make_rhythm(rng, steps_per_bar, density);
    static const int starts[] = {0, 2, 4, 7, 4, 2};
    int start = starts[lcg_range(rng, 0, 5)];
    start = std::clamp(start, low + 1, high - 2);
    const std::vector<int> contour =
        make_contour(rng, static_cast<int>(rhythm.size()), start, low, high);
    for (size_t i = 0; i < rhythm.size(); ++i)
        t.call.push_back({rhythm[i].step, rhythm[i].len, contour[i]});

    // The answer: approach the key note by step, from above or below, and hold it.
    const int last = contour.back();
    const int home = std::abs(last - 7) < std::abs(last) ? 7 : 0;
    const int from = lcg_chance(rng, 0.7f) ? 1 : -1;
    const int beats = steps_per_bar / 4;
    if (beats == 3) {
        if (lcg_chance(rng, 0.5f)) {
            t.answer = {{0, 4, home + 2 * from}, {4, 4, home + from}, {8, 4, home}};
        } else {
            t.answer = {{0, 2, home + 2 * from}, {2, 2, home + from}, {4, 8, home}};
        }
    } else {
        switch (lcg_range(rng, 0, 2)) {
        case 0: t.answer = {{0, 4, home + 2 * from}, {4, 4, home + from}, {8, 8, home}}; break;
        case 1:
            t.answer = {{0, 2, home + 3 * from},
                        {2, 2, home + 2 * from},
                        {4, 4, home + from},
                        {8, 8, home}};
            break;
        default: t.answer = {{0, 6, home + 2 * from}, {6, 2, home + from}, {8, 8, home}}; break;
        }
    }
    static const int shifts[] = {1, -1, 2, -2, 3};
    t.shift = shifts[lcg_range(rng, 0, 4)];
    return t;
}
