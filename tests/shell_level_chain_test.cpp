// The level chain with fake levels: how far each difficulty goes, the loading
// screen after each cleared level, quitting, the continue offer and its score
// reset, missing levels; then the end sequence and its final score.
#include <gtest/gtest.h>

#include "fake_assets.h"
#include "shell/end_sequence.h"
#include "shell/level_chain.h"

namespace {

constexpr int loading_flips = 50;

struct shell_level_chain : fake::shell_fixture {
    game_result result{0, 0};
    level_table levels = fake::all_levels();

    void SetUp() override {
        fake::shell_fixture::SetUp();
        fake::reset_levels();
    }

    run_end play(int difficulty) {
        return play_level_chain(screen, difficulty, result, assets(), levels);
    }

    // Every level was called with a code of 0, the frame period and the
    // difficulty of the run.
    void expect_clean_calls(int difficulty) {
        for (const fake::level_call& call : fake::level_calls) {
            EXPECT_EQ(call.code_on_entry, 0) << "level " << call.level;
            EXPECT_EQ(call.frame_ms, 13);
            EXPECT_EQ(call.difficulty, difficulty);
        }
    }
};

struct chain_case {
    int difficulty;
    std::vector<int> levels;
    run_end end;
};

// Names the case by its difficulty in test listings.
void PrintTo(const chain_case& c, std::ostream* out) { *out << "difficulty " << c.difficulty; }

struct shell_level_chain_by_difficulty : shell_level_chain,
                                         ::testing::WithParamInterface<chain_case> {};

TEST_P(shell_level_chain_by_difficulty, plays_its_levels_with_a_loading_screen_after_each) {
    const chain_case& c = GetParam();
    EXPECT_EQ(play(c.difficulty), c.end);
    EXPECT_EQ(fake::levels_played(), c.levels);
    expect_clean_calls(c.difficulty);
    EXPECT_EQ(shown.size(), loading_flips * c.levels.size());
    // Each level is handed the score the one before it left.
    int score = 0;
    for (const fake::level_call& call : fake::level_calls) {
        EXPECT_EQ(call.incoming_score, score);
        score += 1000 * call.level;
    }
    EXPECT_EQ(result.score, score);
    // A short run reports 0; a completed run leaves the code for the epilogue.
    if (c.end == run_end::short_run) {
        EXPECT_EQ(result.code, result_quit);
    }
}

INSTANTIATE_TEST_SUITE_P(
    every_difficulty, shell_level_chain_by_difficulty,
    ::testing::Values(chain_case{difficulty_practice, {1, 2, 3}, run_end::short_run},
                      chain_case{difficulty_easy, {1, 2, 3, 4}, run_end::short_run},
                      chain_case{difficulty_normal, {1, 2, 3, 4, 5}, run_end::short_run},
                      chain_case{difficulty_hard, {1, 2, 3, 4, 5, 6}, run_end::completed_run},
                      chain_case{difficulty_cheat, {1, 2, 3, 4, 5, 6}, run_end::completed_run},
                      // only the exact values 3, 2 and 1 stop early
                      chain_case{7, {1, 2, 3, 4, 5, 6}, run_end::completed_run},
                      chain_case{-1, {1, 2, 3, 4, 5, 6}, run_end::completed_run}),
    [](const ::testing::TestParamInfo<chain_case>& info) {
        const int d = info.param.difficulty;
        return d < 0 ? "minus_" + std::to_string(-d) : std::to_string(d);
    });

TEST_F(shell_level_chain, a_quit_level_ends_the_run_without_loading_screen) {
    fake::level_script = {fake::cleared(700), fake::quit()};
    EXPECT_EQ(play(difficulty_hard), run_end::none);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2}));
    EXPECT_EQ(shown.size(), static_cast<std::size_t>(loading_flips));
    EXPECT_EQ(result.score, 700);
}

TEST_F(shell_level_chain, continuing_replays_the_lost_level_with_the_score_reset) {
    fake::level_script = {fake::cleared(700), fake::lost(), fake::cleared(900)};
    fake::press_after_flip(loading_flips, SDLK_RETURN); // "yes" on the continue screen
    EXPECT_EQ(play(difficulty_practice), run_end::short_run);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 2, 3}));
    EXPECT_EQ(fake::level_calls[1].incoming_score, 700);
    EXPECT_EQ(fake::level_calls[2].incoming_score, 0);
    EXPECT_EQ(fake::level_calls[3].incoming_score, 900);
    expect_clean_calls(difficulty_practice); // the code is reset before the replay too
    EXPECT_EQ(shown[loading_flips], slot_continue1);
}

TEST_F(shell_level_chain, escape_on_the_continue_screen_replays_like_yes) {
    fake::level_script = {fake::lost(), fake::cleared(400)};
    result.score = 1234;
    fake::press_after_flip(0, SDLK_ESCAPE);
    EXPECT_EQ(play(difficulty_practice), run_end::short_run);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 1, 2, 3}));
    EXPECT_EQ(fake::level_calls[1].incoming_score, 0);
}

TEST_F(shell_level_chain, a_window_close_on_the_continue_screen_replays_like_yes) {
    fake::level_script = {fake::cleared(700), fake::cleared(800), fake::lost()};
    fake::close_after_flip(2 * loading_flips);
    EXPECT_EQ(play(difficulty_practice), run_end::short_run);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 3, 3}));
    EXPECT_EQ(fake::level_calls[3].incoming_score, 0);
}

TEST_F(shell_level_chain, giving_up_ends_the_run) {
    fake::level_script = {fake::cleared(700), fake::lost()};
    fake::press_after_flip(loading_flips, SDLK_RIGHT);
    fake::press_after_flip(loading_flips + 1, SDLK_RETURN);
    EXPECT_EQ(play(difficulty_hard), run_end::none);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2}));
    EXPECT_EQ(result.code, result_lost);
}

TEST_F(shell_level_chain, a_run_that_reaches_a_missing_level_ends_there_as_a_short_run) {
    levels.levels[3] = nullptr;
    EXPECT_EQ(play(difficulty_hard), run_end::short_run);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(result.code, result_quit);
    EXPECT_EQ(result.score, 6000);
}

TEST_F(shell_level_chain, a_game_without_levels_ends_every_run_at_once_as_a_short_run) {
    levels = fake::no_levels();
    EXPECT_EQ(play(difficulty_practice), run_end::short_run);
    EXPECT_EQ(result.code, result_quit);
    EXPECT_TRUE(shown.empty());
}

TEST(shell_game_levels, a_run_of_the_game_starts_with_its_level_1) {
    EXPECT_NE(game_levels().levels[0], nullptr);
}

TEST_F(shell_level_chain, a_hard_run_without_its_epilogue_ends_as_a_short_run) {
    levels.epilogue = nullptr;
    EXPECT_EQ(play(difficulty_hard), run_end::short_run);
    EXPECT_EQ(fake::levels_played().size(), 6u);
}

// --- the end sequence ---

struct shell_end_sequence : shell_level_chain {
    void SetUp() override {
        shell_level_chain::SetUp();
        for (int frame = 0; frame < 200; ++frame) fake::press_after_flip(frame, SDLK_RETURN);
    }
    std::vector<int> final_digits;
    void watch_digits() {
        on_flip = [this](SDL_Surface* s, int frame) {
            if (frame == 0) final_digits = fake::shown_digits(s);
        };
    }
};

TEST_F(shell_end_sequence, a_cleared_epilogue_adds_its_bonus_to_the_score) {
    watch_digits();
    result = {result_cleared, 41000};
    fake::level_script = {fake::cleared(2345)};
    EXPECT_EQ(end_sequence(screen, run_end::completed_run, result, assets(), levels), 43345);
    ASSERT_EQ(fake::levels_played(), std::vector<int>{fake::epilogue_number});
    EXPECT_EQ(fake::level_calls[0].difficulty, difficulty_epilogue);
    EXPECT_EQ(fake::level_calls[0].incoming_score, 41000);
    EXPECT_EQ(fake::level_calls[0].code_on_entry, 0);
    EXPECT_EQ(final_digits, (std::vector<int>{4, 3, 3, 4, 5}));
    EXPECT_EQ(fake::sequence_of(shown), (std::vector<int>{slot_cleared, slot_thanks, slot_end}));
}

TEST_F(shell_end_sequence, a_lost_epilogue_keeps_the_score_after_level_6) {
    watch_digits();
    result = {result_cleared, 41000};
    fake::level_script = {fake::lost()};
    EXPECT_EQ(end_sequence(screen, run_end::completed_run, result, assets(), levels), 41000);
    EXPECT_EQ(final_digits, (std::vector<int>{4, 1, 0, 0, 0}));
    EXPECT_EQ(fake::sequence_of(shown), (std::vector<int>{slot_cleared, slot_thanks, slot_end}));
}

TEST_F(shell_end_sequence, a_quit_epilogue_keeps_the_score_after_level_6) {
    result = {result_cleared, 41000};
    fake::level_script = {fake::quit()};
    EXPECT_EQ(end_sequence(screen, run_end::completed_run, result, assets(), levels), 41000);
}

TEST_F(shell_end_sequence, a_short_run_shows_the_score_of_its_last_level_and_try_again) {
    watch_digits();
    result = {result_quit, 6000};
    EXPECT_EQ(end_sequence(screen, run_end::short_run, result, assets(), levels), 6000);
    EXPECT_TRUE(fake::level_calls.empty());
    EXPECT_EQ(final_digits, (std::vector<int>{0, 6, 0, 0, 0}));
    EXPECT_EQ(fake::sequence_of(shown), (std::vector<int>{slot_cleared, slot_try_again}));
}

} // namespace
