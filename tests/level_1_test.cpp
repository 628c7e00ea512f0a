// Level 1 as the simulator plays it from the generated catalogue: its
// timeline, its warning and boss, and exact replays.
#include <gtest/gtest.h>

#include <map>

#include "sim_trace.h"

namespace {

struct level_1 : level_sim {
    sim_outcome run(const std::string& script, int difficulty = 3, int max_frames = -1) {
        return play("1", script, difficulty, max_frames);
    }
};

TEST_F(level_1, enemies_leave_the_queue_on_the_timeline_and_the_warning_leads_to_the_boss) {
    // Hiding in the bottom-left corner, the ship lives long enough to see it all.
    const sim_outcome outcome = run("0 down left\n0 down down\n", 3, 11000);
    const auto trace = parse(outcome.trace);
    std::map<long, int> spawned_at; // due time (rounded down to the frame's second) -> count
    std::vector<trace_line> spawns, warnings, phases, boss_music;
    for (const trace_line& t : trace) {
        if (t.ev == "spawn") spawns.push_back(t);
        if (t.ev == "sound" && t.slot == 247) warnings.push_back(t);
        if (t.ev == "phase") phases.push_back(t);
        if (t.ev == "music" && t.slot == 230) boss_music.push_back(t);
    }
    ASSERT_EQ(spawns.size(), 327u);
    // First wave: 6 a second from 2000 to 8000.
    for (int i = 0; i < 42; ++i) EXPECT_TRUE(due(spawns[i], 2000 + 1000 * (i / 6))) << i;
    // Second wave: 12 a second from 12000 to 29000.
    for (int i = 0; i < 216; ++i) EXPECT_TRUE(due(spawns[42 + i], 12000 + 1000 * (i / 12))) << i;
    // The first fairy pair together, FEE1 first.
    EXPECT_EQ(spawns[258].tag, "FEE1");
    EXPECT_EQ(spawns[259].tag, "FEE");
    EXPECT_TRUE(due(spawns[258], 31000));
    EXPECT_EQ(spawns[258].frame, spawns[259].frame);
    for (int i = 0; i < 42; ++i) EXPECT_TRUE(due(spawns[260 + i], 34500 + 1000 * (i / 6))) << i;
    for (int k = 0; k < 12; ++k) EXPECT_TRUE(due(spawns[302 + k], 44000 + 2000 * k)) << k;
    // Later fairy pairs leave together at the right fairy's time, held by the queue.
    for (int j = 0; j < 6; ++j) {
        EXPECT_TRUE(due(spawns[314 + 2 * j], 74000 + 3000 * j)) << j;
        EXPECT_EQ(spawns[314 + 2 * j].frame, spawns[315 + 2 * j].frame) << j;
    }
    EXPECT_EQ(spawns[326].tag, "BOSS");
    EXPECT_TRUE(due(spawns[326], 111000));

    ASSERT_EQ(warnings.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(due(warnings[i], 105000 + 1000 * i)) << i;
    ASSERT_EQ(phases.size(), 4u);
    EXPECT_EQ(phases[3].phase, 4);
    ASSERT_FALSE(boss_music.empty());
    EXPECT_GE(boss_music[0].tick, 108000);
    EXPECT_LT(boss_music[0].tick, 108014);
}

TEST_F(level_1, a_replay_is_exact) {
    const std::string script = "0 down g\n40 down right\n300 up right\n300 down left\n"
                               "500 press d\n900 up g\n900 down f\n";
    const sim_outcome first = run(script, 2, 3000);
    const sim_outcome second = run(script, 2, 3000);
    EXPECT_EQ(first.trace, second.trace);
    EXPECT_EQ(summary_json(first), summary_json(second));
    EXPECT_GT(first.kills, 0);
    EXPECT_EQ(first.frames, 3000);
    EXPECT_EQ(first.code, 0);
}

TEST_F(level_1, losing_every_life_ends_with_code_minus_one_and_no_last_respawn) {
    const sim_outcome outcome = run("", 0); // Hard, hands off: 6 lives
    EXPECT_EQ(outcome.code, -1);
    EXPECT_EQ(outcome.lives, 0);
    int hits = 0, respawns = 0;
    for (const trace_line& t : parse(outcome.trace)) {
        hits += t.ev == "hit";
        respawns += t.ev == "respawn";
    }
    EXPECT_EQ(hits, 6);
    EXPECT_EQ(respawns, 5);
}

} // namespace
