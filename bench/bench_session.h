// What the level benchmarks share: the simulator session (SDL on its dummy
// drivers with the whole generated catalogue, opened once), the count of
// enemy bullets on screen, and the busiest stretch of a run.
#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

#include "engine/level_run.h"
#include "objects/scene.h"
#include "sim_run.h"

inline sim_session& bench_session() {
    static sim_session s;
    static bool opened = false;
    if (!opened) {
        std::string error;
        opened = open_sim_session(GRAZE_ASSET_DIR, s, error);
        if (!opened) std::fprintf(stderr, "%s\n", error.c_str());
    }
    return s;
}

inline int bullets_on_screen(const level_run& run) {
    int bullets = 0;
    const scene* world = run.world;
    for (int i = 0; i < world->next_slot; ++i)
        if (world->enemies[i]) bullets += world->enemies[i]->ship->shot_count;
    return bullets;
}

// The stretch of `window` frames with the most bullets on screen: where it
// starts, how many frame times it holds and their sum.
struct busiest_stretch {
    std::size_t start, frames;
    double time_sum;
    double mean() const { return time_sum / static_cast<double>(frames); }
};

inline busiest_stretch busiest_of(const std::vector<int>& bullets,
                                  const std::vector<double>& frame_times, std::size_t window) {
    std::size_t busiest = 0;
    long best = -1, running = 0;
    for (std::size_t i = 0; i < bullets.size(); ++i) {
        running += bullets[i];
        if (i >= window) running -= bullets[i - window];
        if (i + 1 >= window && running > best) best = running, busiest = i + 1 - window;
    }
    double sum = 0;
    const std::size_t end = std::min(busiest + window, frame_times.size());
    for (std::size_t i = busiest; i < end; ++i) sum += frame_times[i];
    return {busiest, end - busiest, sum};
}
