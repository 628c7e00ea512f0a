// Level 1 as the simulator plays it from the generated catalogue: the end of
// a run that loses every life. Its timeline, warning, music and replays are
// checked with every level's in level_content_test.
#include <gtest/gtest.h>

#include "sim_trace.h"

namespace {

struct level_1 : level_sim {};

TEST_F(level_1, losing_every_life_ends_with_code_minus_one_and_no_last_respawn) {
    const sim_outcome outcome = play("1", "", 0); // Hard, hands off: 6 lives
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
