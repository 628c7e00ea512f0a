// The continue screen: "yes" by default, Enter taken on the very first pass,
// Right and Left move only when there is somewhere to go, Escape fades the
// music and waits, a window close leaves at once.
#include <gtest/gtest.h>

#include "fake_assets.h"
#include "shell/continue_screen.h"

namespace {

using shell_continue_screen = fake::shell_fixture;

TEST_F(shell_continue_screen, enter_already_queued_answers_yes_on_the_first_pass) {
    sim_press_at_tick(0, SDLK_RETURN);
    EXPECT_EQ(continue_screen(screen, assets()), continue_yes);
    EXPECT_EQ(shown, std::vector<int>{slot_continue1});
    const auto chunks = fake::calls_of(sim_call::chunk);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].slot, slot_sound_cold1);
    EXPECT_EQ(chunks[0].channel, 0);
    // One frame for the pass, then the confirm sound is given a second.
    EXPECT_EQ(sim_now(), frame_period_ms + 1000u);
}

TEST_F(shell_continue_screen, right_then_enter_gives_up) {
    fake::press_after_flip(0, SDLK_RIGHT);
    fake::press_after_flip(1, SDLK_RETURN);
    EXPECT_EQ(continue_screen(screen, assets()), continue_give_up);
    EXPECT_EQ(shown, (std::vector<int>{slot_continue1, slot_continue2}));
    const auto chunks = fake::calls_of(sim_call::chunk);
    ASSERT_EQ(chunks.size(), 2u);
    EXPECT_EQ(chunks[0].slot, slot_sound_cold4);
    EXPECT_EQ(chunks[1].slot, slot_sound_cold1);
}

TEST_F(shell_continue_screen, left_brings_the_answer_back_to_yes) {
    fake::press_after_flip(0, SDLK_RIGHT);
    fake::press_after_flip(1, SDLK_LEFT);
    fake::press_after_flip(2, SDLK_RETURN);
    EXPECT_EQ(continue_screen(screen, assets()), continue_yes);
    EXPECT_EQ(shown, (std::vector<int>{slot_continue1, slot_continue2, slot_continue1}));
    EXPECT_EQ(fake::count_calls(sim_call::chunk, slot_sound_cold4), 2);
}

TEST_F(shell_continue_screen, moves_that_go_nowhere_change_nothing_and_stay_silent) {
    fake::press_after_flip(0, SDLK_LEFT); // already on yes
    fake::press_after_flip(1, SDLK_RIGHT);
    fake::press_after_flip(2, SDLK_RIGHT); // already on no
    fake::press_after_flip(3, SDLK_RETURN);
    EXPECT_EQ(continue_screen(screen, assets()), continue_give_up);
    EXPECT_EQ(fake::count_calls(sim_call::chunk, slot_sound_cold4), 1);
}

TEST_F(shell_continue_screen, escape_fades_the_music_waits_a_second_and_answers_0) {
    fake::press_after_flip(2, SDLK_ESCAPE);
    EXPECT_EQ(continue_screen(screen, assets()), continue_left);
    const auto fades = fake::calls_of(sim_call::music_fade);
    ASSERT_EQ(fades.size(), 1u);
    EXPECT_EQ(fades[0].fade_ms, 1000);
    EXPECT_EQ(sim_now(), 3 * frame_period_ms + 1000u);
    EXPECT_EQ(shown.size(), 3u);
}

TEST_F(shell_continue_screen, a_window_close_answers_0_at_once) {
    fake::press_after_flip(0, SDLK_RIGHT);
    fake::close_after_flip(1);
    EXPECT_EQ(continue_screen(screen, assets()), continue_left);
    EXPECT_EQ(sim_now(), 2u * frame_period_ms); // the two passes' frames, nothing more
    EXPECT_TRUE(fake::calls_of(sim_call::music_fade).empty());
}

TEST_F(shell_continue_screen, enter_behind_escape_in_the_same_batch_still_answers) {
    fake::press_after_flip(0, SDLK_RIGHT);
    fake::press_after_flip(1, SDLK_ESCAPE);
    fake::press_after_flip(1, SDLK_RETURN);
    EXPECT_EQ(continue_screen(screen, assets()), continue_give_up);
    EXPECT_EQ(sim_now(), 2 * frame_period_ms + 2000u);
}

} // namespace
