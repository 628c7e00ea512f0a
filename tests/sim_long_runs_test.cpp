// The simulator over long runs: what it records goes out as the run goes (its
// memory stays flat), the trace stamps each event in the frame it happens, a
// level run without a frame limit stops after an hour of play, and SIGTERM
// ends a run with its summary and trace so far. Odd difficulties are refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "platform/platform_sim.h"
#include "sim_trace.h"

namespace {

using sim_long_runs = level_sim;

// Parked at the top left, out of the boss's reach, firing at nothing much:
// lives are lost and the gun sounds all the way.
constexpr const char* parked_and_firing = "0 down left\n0 down up\n0 down g\n";
constexpr int cheat = 1000;

sim_options options_for(const std::string& script, int max_frames) {
    sim_options options;
    options.level = "1";
    options.difficulty = cheat;
    options.trace = true;
    options.max_frames = max_frames;
    std::string error;
    EXPECT_TRUE(parse_input_script(script, options.input, error)) << error;
    return options;
}

TEST_F(sim_long_runs, the_trace_streams_as_the_run_goes_and_the_sound_log_stays_short) {
    sim_options kept = options_for(parked_and_firing, 20000);
    size_t longest_log = 0;
    kept.watch_frame = [&](const level_run&) {
        longest_log = std::max(longest_log, sim_sound_log().size());
    };
    sim_outcome in_memory;
    std::string error;
    ASSERT_TRUE(run_level_sim(session, kept, in_memory, error)) << error;

    sim_options streamed = options_for(parked_and_firing, 20000);
    std::ostringstream out;
    streamed.trace_out = &out;
    sim_outcome written;
    ASSERT_TRUE(run_level_sim(session, streamed, written, error)) << error;

    EXPECT_TRUE(written.trace.empty());
    std::string expected;
    for (const std::string& line : in_memory.trace) expected += line + '\n';
    EXPECT_EQ(out.str(), expected);
    const auto sounds = only(parse(in_memory.trace), "sound");
    EXPECT_GT(sounds.size(), 1000u);
    EXPECT_LT(longest_log, 20u); // a frame's worth, never the run's
}

TEST_F(sim_long_runs, respawn_is_stamped_in_the_frame_the_ship_starts_rising) {
    struct rise {
        int frame;
        long tick;
    };
    std::vector<rise> rises;
    Uint32 frame_start = 0;
    int was_respawning = 0;
    sim_options options = options_for("", 6000);
    options.difficulty = difficulty_practice;
    options.watch_frame = [&](const level_run& run) {
        if (run.state.play_frame == 1) frame_start = run.world->start_ms;
        if (run.state.respawning && !was_respawning)
            rises.push_back({run.state.play_frame - 1, static_cast<long>(frame_start) -
                                                           static_cast<long>(run.world->start_ms)});
        was_respawning = run.state.respawning;
        frame_start = platform_ticks(); // the next frame starts here
    };
    sim_outcome outcome;
    std::string error;
    ASSERT_TRUE(run_level_sim(session, options, outcome, error)) << error;
    const auto respawns = only(parse(outcome.trace), "respawn");
    ASSERT_GE(rises.size(), 2u);
    ASSERT_EQ(respawns.size(), rises.size());
    for (size_t i = 0; i < rises.size(); ++i) {
        EXPECT_EQ(respawns[i].frame, rises[i].frame) << i;
        EXPECT_EQ(respawns[i].tick, rises[i].tick) << i;
    }
}

// graze-sim itself, as a shell runs it.
std::string shell(const std::string& command, int& status) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe.get())) out += buffer;
    status = WEXITSTATUS(pclose(pipe.release()));
    return out;
}

struct graze_sim_tool : ::testing::Test {
    std::string dir;
    std::string sim =
        std::string(GRAZE_BINARY_DIR) + "/tools/sim/graze-sim --assets " + GRAZE_ASSET_DIR;
    void SetUp() override {
        dir = std::string(GRAZE_BINARY_DIR) + "/sim_long_runs_" +
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string script(const std::string& text) {
        const std::string path = dir + "/input.txt";
        std::ofstream(path) << text;
        return path;
    }
};

TEST_F(graze_sim_tool, a_level_without_a_frame_limit_stops_after_an_hour_of_play) {
    int status = -1;
    const std::string out = shell(
        sim + " --level 1 --difficulty 1000 --input " + script("0 down left\n0 down up\n"), status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("\"stopped\":\"one hour of play\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"frames\":276924"), std::string::npos) << out; // 3,600,000 ms of 13
}

TEST_F(graze_sim_tool, sigterm_ends_the_run_with_its_summary_and_trace_so_far) {
    // An endless boss fight; the signal comes once the trace has begun.
    const std::string trace = dir + "/trace.jsonl";
    int status = -1;
    const std::string out = shell(sim + " --level 1 --difficulty 1000 --max-frames 100000000" +
                                      " --input " + script(parked_and_firing) + " --trace " +
                                      trace + " & sim=$!; for i in $(seq 200); do [ -s " + trace +
                                      " ] && break; sleep 0.05; done; kill -TERM $sim; wait $sim",
                                  status);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("\"stopped\":\"signal\""), std::string::npos) << out;
    std::ifstream in(trace);
    std::string line, last;
    while (std::getline(in, line)) last = line;
    EXPECT_EQ(last.rfind("{\"ev\":\"end\"", 0), 0u) << last;
}

TEST_F(graze_sim_tool, difficulties_the_game_never_gives_are_refused) {
    int status = -1;
    for (const char* odd : {"-5", "4", "999", "7"}) {
        const std::string out =
            shell(sim + " --level 1 --max-frames 10 --difficulty " + odd + " 2>&1", status);
        EXPECT_EQ(status, 2) << odd;
        EXPECT_NE(out.find("not a difficulty of the game"), std::string::npos) << out;
        EXPECT_NE(out.find("(see graze-sim --help)"), std::string::npos) << out;
    }
    for (const char* known : {"1000", "200"}) {
        shell(sim + " --level 1 --max-frames 10 --difficulty " + known, status);
        EXPECT_EQ(status, 0) << known;
    }
}

} // namespace
