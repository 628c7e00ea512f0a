// What a drawn frame of play costs when the autopilot plays each stage as a
// skilled player would: the real waves and boss fights, not staged scenes.
// Each frame of the game is timed from the end of the one before, without
// the pilot's own thinking, which is timed apart: in real time, and in the
// thread's own processor time, which a busy machine disturbs less.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "bench_session.h"
#include "engine/level_interface.h"
#include "engine/level_run.h"
#include "levels/levels.h"
#include "pilot_hands.h"
#include "sim_run.h"

namespace {

using clock_type = std::chrono::steady_clock;

double micros(clock_type::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double thread_micros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

struct spread {
    double mean, p99, max;
};

spread spread_of(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    double sum = 0;
    for (double v : values) sum += v;
    return {sum / values.size(), values[values.size() * 99 / 100], values.back()};
}

void flown_frames(benchmark::State& state, const char* stage) {
    sim_session& s = bench_session();
    for (auto _ : state) {
        sim_options options;
        options.level = stage;
        options.difficulty = difficulty_hard;
        options.max_frames = 40000;
        options.draw = true;
        pilot_hands hands;
        attach_pilot(hands, options);
        std::vector<double> frame_us, cpu_us, pilot_us;
        std::vector<int> bullets;
        clock_type::time_point last = clock_type::now();
        double last_cpu = thread_micros();
        options.watch_frame = [&, pilot = options.watch_frame](const level_run& run) {
            const auto frame_end = clock_type::now();
            const double frame_end_cpu = thread_micros();
            frame_us.push_back(micros(frame_end - last));
            cpu_us.push_back(frame_end_cpu - last_cpu);
            bullets.push_back(bullets_on_screen(run));
            pilot(run);
            last = clock_type::now();
            last_cpu = thread_micros();
            pilot_us.push_back(last_cpu - frame_end_cpu);
        };
        sim_outcome outcome;
        std::string error;
        run_level_sim(s, options, outcome, error);
        if (frame_us.size() < 2) continue;
        frame_us.erase(frame_us.begin()); // the first includes the set-up
        cpu_us.erase(cpu_us.begin());
        bullets.erase(bullets.begin());

        // The busiest moment: the 500 frames with the most bullets on screen.
        const busiest_stretch busy = busiest_of(bullets, frame_us, 500);

        const spread wall = spread_of(frame_us), cpu = spread_of(cpu_us);
        double pilot_sum = 0;
        for (double us : pilot_us) pilot_sum += us;
        state.counters["frames"] = static_cast<double>(frame_us.size());
        state.counters["mean_us"] = wall.mean;
        state.counters["p99_us"] = wall.p99;
        state.counters["max_us"] = wall.max;
        state.counters["cpu_mean_us"] = cpu.mean;
        state.counters["cpu_p99_us"] = cpu.p99;
        state.counters["cpu_max_us"] = cpu.max;
        state.counters["busiest_mean_us"] = busy.mean();
        state.counters["max_bullets"] = *std::max_element(bullets.begin(), bullets.end());
        state.counters["pilot_mean_us"] = pilot_sum / pilot_us.size();
        state.counters["code"] = outcome.code;
        state.counters["lives"] = outcome.lives;
    }
}

const bool registered = [] {
    for (const level_record& record : level_records) {
        const char* stage = record.name;
        benchmark::RegisterBenchmark((std::string("flown_") + stage + "_frames_drawn").c_str(),
                                     flown_frames, stage)
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
