// The whole game with its real levels, from the intro pictures to the final
// screen, as the simulator plays it: the chain of levels a difficulty plays,
// the loading screens between them, and the final score of the run. The two
// runs are hand-written scripts in tests/pilot_runs/scripted/ (through the
// intro pictures and the title, then the main gun held for the rest of the
// run); every level's end must stay as tests/pilot_runs/expected_ends.tsv
// has it (scripts/testing/rerecord_saved_games.sh writes it).
#include <gtest/gtest.h>

#include "saved_games.h"
#include "sim_trace.h"

namespace {

struct whole_game : level_sim {
    // Plays the script and checks its level ends and final screen.
    static std::vector<trace_line> play_run(const std::string& file) {
        const auto scripted = saved_games_of_kind("one-run");
        const saved_game* saved = saved_game_named(scripted, file);
        EXPECT_NE(saved, nullptr) << file;
        if (!saved) return {};
        sim_outcome outcome;
        std::string error;
        EXPECT_TRUE(run_level_sim(session, saved_game_options(*saved), outcome, error)) << error;
        const auto trace = parse(outcome.trace);
        EXPECT_EQ(level_ends(trace), saved->ends) << file;
        EXPECT_EQ(play_digest_text(outcome.play_digest), saved->play_digest) << file;
        const auto finals = only(trace, "final");
        EXPECT_TRUE(finals.size() == 1 && finals[0].completed == saved->completed &&
                    finals[0].score == saved->final_score)
            << file;
        return trace;
    }

    // The tracks started, in order, without repeats of the one playing.
    static std::vector<int> music_played(const std::vector<trace_line>& trace) {
        std::vector<int> tracks;
        for (const trace_line& t : trace)
            if (t.ev == "music" && t.action == "play" &&
                (tracks.empty() || tracks.back() != t.slot))
                tracks.push_back(t.slot);
        return tracks;
    }
};

TEST_F(whole_game, a_practice_run_plays_levels_1_to_3_and_ends_on_the_try_again_screen) {
    // Practice is the menu's first choice.
    const auto trace = play_run("scripted/held_gun_practice.txt");
    const auto ends = only(trace, "end");
    ASSERT_EQ(ends.size(), 3u);
    for (const trace_line& end : ends) EXPECT_EQ(end.code, 1);
    EXPECT_EQ(music_played(trace),
              (std::vector<int>{slot_music_introduction, slot_music_prayer, slot_music_boss,
                                slot_music_forest, slot_music_boss, slot_music_grotte,
                                slot_music_boss, slot_music_bye, slot_music_introduction}));
    const auto finals = only(trace, "final");
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].completed, 0);
    EXPECT_EQ(finals[0].score, ends.back().score);
    // Each level starts from the score the one before it left.
    EXPECT_LT(ends[0].score, ends[1].score);
    EXPECT_LT(ends[1].score, ends[2].score);
}

TEST_F(whole_game, the_cheat_plays_all_six_levels_and_the_epilogue_to_the_completed_ending) {
    // Up five times on the title.
    const auto trace = play_run("scripted/held_gun_cheat.txt");
    const auto ends = only(trace, "end");
    ASSERT_EQ(ends.size(), 7u);
    for (const trace_line& end : ends) EXPECT_EQ(end.code, 1);
    EXPECT_EQ(music_played(trace),
              (std::vector<int>{slot_music_introduction, slot_music_prayer, slot_music_boss,
                                slot_music_forest, slot_music_boss, slot_music_grotte,
                                slot_music_boss, slot_music_volcan, slot_music_boss4_5,
                                slot_music_enterprise, slot_music_boss4_5, slot_music_boss6,
                                slot_music_free, slot_music_bye, slot_music_introduction}));
    // The final score is the score after Level 6 plus the epilogue's bonus.
    const int after_level_6 = ends[5].score;
    const int bonus = ends[6].score;
    EXPECT_GE(bonus, 0);
    const auto finals = only(trace, "final");
    ASSERT_EQ(finals.size(), 1u);
    EXPECT_EQ(finals[0].completed, 1);
    EXPECT_EQ(finals[0].score, after_level_6 + bonus);
}

} // namespace
