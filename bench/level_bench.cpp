// A frame of Level 1 costs: every frame of a played-through level timed, with
// software drawing to the 640x480 screen and with drawing off (the logic and
// clipping alone), plus the time to simulate the whole level headless.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "platform/platform_sim.h"
#include "shell/asset_loader.h"
#include "sim_run.h"

namespace {

using clock_type = std::chrono::steady_clock;

sim_session& session() {
    static sim_session s;
    static bool opened = false;
    if (!opened) {
        std::string error;
        opened = open_sim_session(GRAZE_ASSET_DIR, s, error);
        if (!opened) std::fprintf(stderr, "%s\n", error.c_str());
    }
    return s;
}

struct frame_timer {
    clock_type::time_point last;
    std::vector<double> micros;
    std::vector<int> live;
};

void timer_started(const level_run&, void* context) {
    static_cast<frame_timer*>(context)->last = clock_type::now();
}
void timer_frame(const level_run& run, void* context) {
    auto& t = *static_cast<frame_timer*>(context);
    const auto now = clock_type::now();
    t.micros.push_back(std::chrono::duration<double, std::micro>(now - t.last).count());
    t.live.push_back(run.world->live_count);
    t.last = now;
}
void timer_ended(const level_run&, const game_result&, void*) {}

// The player hides low on the left and fires the whole level; the script
// plays out to the boss (Practice gives 24 lives).
void play_timed(benchmark::State& state, bool draw) {
    sim_session& s = session();
    for (auto _ : state) {
        frame_timer timer;
        const level_observer watch{timer_started, timer_frame, timer_ended, &timer};
        std::srand(1);
        sim_reset();
        sim_register_assets(s.assets->slots.data(), asset_slot_count);
        sim_set_default_music_length(109000);
        sim_key_down_at_frame(92, SDLK_LEFT);
        sim_key_down_at_frame(92, SDLK_DOWN);
        sim_key_down_at_frame(92, SDLK_g);
        sim_press_at_frame(92 + 11000, SDLK_ESCAPE);
        set_drawing(draw);
        set_level_observer(&watch);
        game_result result{0, 0};
        play_level_1(s.screen, 3, 0, 13, &result, *s.assets);
        set_level_observer(nullptr);
        set_drawing(true);

        std::vector<double> sorted = timer.micros;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (double m : sorted) sum += m;
        const size_t busiest = std::max_element(timer.micros.begin(), timer.micros.end()) -
                               timer.micros.begin();
        state.counters["frames"] = static_cast<double>(sorted.size());
        state.counters["mean_us"] = sum / sorted.size();
        state.counters["p99_us"] = sorted[sorted.size() * 99 / 100];
        state.counters["max_us"] = sorted.back();
        state.counters["enemies_at_max"] = timer.live[busiest];
        state.counters["max_enemies"] = *std::max_element(timer.live.begin(), timer.live.end());
    }
}

void level_1_frames_drawn(benchmark::State& state) { play_timed(state, true); }
void level_1_frames_logic(benchmark::State& state) { play_timed(state, false); }
BENCHMARK(level_1_frames_drawn)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(level_1_frames_logic)->Iterations(1)->Unit(benchmark::kMillisecond);

// The whole level as the simulator plays it (no input: until game over).
void level_1_simulated(benchmark::State& state) {
    sim_session& s = session();
    for (auto _ : state) {
        sim_options options;
        sim_outcome outcome;
        std::string error;
        run_level_sim(s, options, outcome, error);
        state.counters["frames"] = outcome.frames;
        state.counters["virtual_s"] = outcome.ticks / 1000.0;
    }
}
BENCHMARK(level_1_simulated)->Unit(benchmark::kMillisecond);

} // namespace

namespace {

// Start-up's big cost before the first picture: decoding and converting the
// whole catalogue (the video mode is already set by the session).
void start_up_load_assets(benchmark::State& state) {
    session();
    for (auto _ : state) {
        asset_table* assets = load_assets(true);
        benchmark::DoNotOptimize(assets);
        free_assets(assets);
    }
}
BENCHMARK(start_up_load_assets)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
