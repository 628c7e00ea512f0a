// What a frame of play costs in every level: each frame of a played-through
// level timed, with software drawing to the 640x480 screen and with drawing
// off (the logic and clipping alone), plus the whole level simulated headless.
// The player sits under the boss with the main gun held and the cheat's lives,
// so every level plays through its waves and its whole boss fight.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench_session.h"
#include "engine/level_run.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "shell/asset_loader.h"
#include "sim_run.h"

namespace {

using clock_type = std::chrono::steady_clock;

sim_options played_through(const char* level) {
    sim_options options;
    options.level = level;
    options.difficulty = 1000;
    options.max_frames = 40000;
    std::string error;
    parse_input_script("0 down g\n", options.input, error);
    return options;
}

// Frame times with their bullet counts; the busiest moment is the 500-frame
// stretch with the most enemy bullets on screen.
void play_timed(benchmark::State& state, const char* level, bool draw) {
    sim_session& s = bench_session();
    for (auto _ : state) {
        std::vector<double> micros;
        std::vector<int> bullets, enemies;
        clock_type::time_point last = clock_type::now();
        sim_options options = played_through(level);
        options.draw = draw;
        options.watch_frame = [&](const level_run& run) {
            const auto now = clock_type::now();
            micros.push_back(std::chrono::duration<double, std::micro>(now - last).count());
            bullets.push_back(bullets_on_screen(run));
            enemies.push_back(run.world->live_count);
            last = clock_type::now();
        };
        sim_outcome outcome;
        std::string error;
        run_level_sim(s, options, outcome, error);
        if (micros.size() < 2) continue;
        micros.erase(micros.begin()); // the first includes the set-up
        bullets.erase(bullets.begin());

        const busiest_stretch busy = busiest_of(bullets, micros, 500);

        std::vector<double> sorted = micros;
        std::sort(sorted.begin(), sorted.end());
        double sum = 0;
        for (double m : sorted) sum += m;
        state.counters["frames"] = static_cast<double>(sorted.size());
        state.counters["mean_us"] = sum / sorted.size();
        state.counters["busiest_mean_us"] = busy.mean();
        state.counters["p99_us"] = sorted[sorted.size() * 99 / 100];
        state.counters["max_us"] = sorted.back();
        state.counters["max_bullets"] = *std::max_element(bullets.begin(), bullets.end());
        state.counters["max_enemies"] = *std::max_element(enemies.begin(), enemies.end());
        state.counters["code"] = outcome.code;
    }
}

// The whole level as the simulator plays it, drawing off.
void simulated(benchmark::State& state, const char* level) {
    sim_session& s = bench_session();
    for (auto _ : state) {
        const sim_options options = played_through(level);
        sim_outcome outcome;
        std::string error;
        run_level_sim(s, options, outcome, error);
        state.counters["frames"] = outcome.frames;
        state.counters["virtual_s"] = outcome.ticks / 1000.0;
        state.counters["code"] = outcome.code;
    }
}

const bool registered = [] {
    for (const level_record& record : level_records) {
        const char* level = record.name;
        const std::string name = std::string("level_") + level;
        benchmark::RegisterBenchmark((name + "_frames_drawn").c_str(), play_timed, level, true)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "_frames_logic").c_str(), play_timed, level, false)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "_simulated").c_str(), simulated, level)
            ->Iterations(3)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace

namespace {

// Start-up's big cost before the first picture: decoding and converting the
// whole catalogue (the video mode is already set by the session), on 1, 2
// and 4 threads, and on one per processor (0).
void start_up_load_assets(benchmark::State& state) {
    bench_session();
    set_loader_threads(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        asset_table* assets = load_assets(true);
        benchmark::DoNotOptimize(assets);
        free_assets(assets);
    }
    set_loader_threads(0);
}
BENCHMARK(start_up_load_assets)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();

} // namespace
