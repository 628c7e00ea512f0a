// The final screen: five digits of the score (clamped to what five digits can
// show), the ending pictures of a completed or a short run, the Enter guard
// of every picture, the ending music and the digit table's tracked memory.
#include <gtest/gtest.h>

#include <climits>

#include "fake_assets.h"
#include "shell/final_screen.h"

namespace {

using digits = std::array<int, score_digit_count>;

TEST(shell_score_digits, split_from_the_ten_thousands_down) {
    EXPECT_EQ(score_digits(0), (digits{0, 0, 0, 0, 0}));
    EXPECT_EQ(score_digits(12345), (digits{1, 2, 3, 4, 5}));
    EXPECT_EQ(score_digits(7), (digits{0, 0, 0, 0, 7}));
    EXPECT_EQ(score_digits(90210), (digits{9, 0, 2, 1, 0}));
    EXPECT_EQ(score_digits(99999), (digits{9, 9, 9, 9, 9}));
}

TEST(shell_score_digits, a_score_outside_five_digits_is_clamped) {
    EXPECT_EQ(score_digits(100000), (digits{9, 9, 9, 9, 9}));
    EXPECT_EQ(score_digits(123456), (digits{9, 9, 9, 9, 9}));
    EXPECT_EQ(score_digits(INT_MAX), (digits{9, 9, 9, 9, 9}));
    EXPECT_EQ(score_digits(-1), (digits{0, 0, 0, 0, 0}));
    EXPECT_EQ(score_digits(INT_MIN), (digits{0, 0, 0, 0, 0}));
}

struct shell_final_screen : fake::shell_fixture {
    std::vector<int> first_digits; // digits drawn on the first flip
    std::vector<int> between;      // what shows between the digits
    std::size_t tracked_during = 0;

    void SetUp() override {
        fake::shell_fixture::SetUp();
        on_flip = [this](SDL_Surface* s, int frame) {
            if (frame != 0) return;
            first_digits = fake::shown_digits(s);
            for (int i = 0; i < score_digit_count; ++i)
                between.push_back(fake::slot_at(s, digit_x(i) + digit_w + 2, digit_y + 18));
            tracked_during = tracked_block_count();
        };
    }

    // Enter on every frame: each picture ends on its twelfth pass.
    static void hold_enter() {
        for (int frame = 0; frame < 200; ++frame) fake::press_after_flip(frame, SDLK_RETURN);
    }
};

TEST_F(shell_final_screen, draws_the_five_digits_at_their_places_over_the_cleared_picture) {
    hold_enter();
    EXPECT_EQ(final_screen(screen, 12345, assets(), 0), 1);
    EXPECT_EQ(first_digits, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(between, std::vector<int>(5, slot_cleared));
}

TEST_F(shell_final_screen, a_score_of_0_shows_five_zeros) {
    hold_enter();
    final_screen(screen, 0, assets(), 0);
    EXPECT_EQ(first_digits, (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(shell_final_screen, scores_beyond_five_digits_show_clamped) {
    hold_enter();
    final_screen(screen, 250000, assets(), 1);
    EXPECT_EQ(first_digits, (std::vector<int>{9, 9, 9, 9, 9}));
}

TEST_F(shell_final_screen, a_negative_score_shows_zeros) {
    hold_enter();
    final_screen(screen, -40, assets(), 1);
    EXPECT_EQ(first_digits, (std::vector<int>{0, 0, 0, 0, 0}));
}

TEST_F(shell_final_screen, a_completed_run_ends_on_thanks_then_the_end) {
    hold_enter();
    final_screen(screen, 500, assets(), 1);
    EXPECT_EQ(fake::sequence_of(shown), (std::vector<int>{slot_cleared, slot_thanks, slot_end}));
    EXPECT_EQ(shown.size(), 36u); // twelve passes each: Enter is ignored on the first eleven
}

TEST_F(shell_final_screen, a_short_run_ends_on_try_again) {
    hold_enter();
    final_screen(screen, 500, assets(), 0);
    EXPECT_EQ(fake::sequence_of(shown), (std::vector<int>{slot_cleared, slot_try_again}));
    EXPECT_EQ(shown.size(), 24u);
}

TEST_F(shell_final_screen, a_window_close_ends_only_the_current_picture) {
    fake::close_after_flip(0);
    fake::close_after_flip(1);
    fake::close_after_flip(2);
    final_screen(screen, 500, assets(), 1);
    EXPECT_EQ(shown, (std::vector<int>{slot_cleared, slot_thanks, slot_end}));
}

TEST_F(shell_final_screen, plays_the_ending_music_and_fades_it_at_the_end) {
    hold_enter();
    final_screen(screen, 500, assets(), 0);
    const auto& log = sim_sound_log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].call, sim_call::music_play);
    EXPECT_EQ(log[0].slot, slot_music_bye);
    EXPECT_EQ(log[0].frame, 0);
    EXPECT_EQ(log[1].call, sim_call::music_fade);
    EXPECT_EQ(log[1].fade_ms, 500);
    EXPECT_EQ(log[1].frame, 24);
}

TEST_F(shell_final_screen, the_digit_table_lives_in_tracked_memory_until_the_end) {
    hold_enter();
    final_screen(screen, 500, assets(), 0);
    EXPECT_EQ(tracked_during, 1u);
    EXPECT_EQ(tracked_block_count(), 0u);
}

} // namespace
