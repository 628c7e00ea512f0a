// The difficulty menu: starts on Practice, Enter only from the third pass,
// Right and Left wrap both ways with the move sound, Escape back to the title,
// and every event of a batch handled even after the menu has ended.
#include <gtest/gtest.h>

#include "fake_assets.h"
#include "shell/difficulty_menu.h"

namespace {

using shell_difficulty_menu = fake::shell_fixture;

TEST_F(shell_difficulty_menu, starts_on_practice_and_ignores_enter_on_the_first_two_passes) {
    fake::press_after_flip(0, SDLK_RETURN);
    fake::press_after_flip(1, SDLK_RETURN);
    fake::press_after_flip(2, SDLK_RETURN);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_practice);
    EXPECT_EQ(shown, (std::vector<int>(3, slot_practice)));
    EXPECT_EQ(sim_now(), 3u * frame_period_ms); // one pass a frame
}

TEST_F(shell_difficulty_menu, right_walks_to_hard_and_wraps_to_practice) {
    for (int frame = 0; frame < 4; ++frame) fake::press_after_flip(frame, SDLK_RIGHT);
    fake::press_after_flip(5, SDLK_RIGHT);
    fake::press_after_flip(6, SDLK_RETURN);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_easy);
    EXPECT_EQ(shown, (std::vector<int>{slot_practice, slot_easy, slot_normal, slot_hard,
                                       slot_practice, slot_practice, slot_easy}));
    const auto chunks = fake::calls_of(sim_call::chunk);
    ASSERT_EQ(chunks.size(), 5u);
    for (const sim_sound_event& e : chunks) {
        EXPECT_EQ(e.slot, slot_sound_cold4);
        EXPECT_EQ(e.channel, 0);
    }
}

TEST_F(shell_difficulty_menu, left_from_practice_wraps_to_hard_and_walks_back) {
    for (int frame = 0; frame < 3; ++frame) fake::press_after_flip(frame, SDLK_LEFT);
    fake::press_after_flip(3, SDLK_RETURN);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_easy);
    EXPECT_EQ(shown, (std::vector<int>{slot_practice, slot_hard, slot_normal, slot_easy}));
    EXPECT_EQ(fake::count_calls(sim_call::chunk, slot_sound_cold4), 3);
}

TEST_F(shell_difficulty_menu, each_selection_answers_its_difficulty) {
    const int answers[] = {difficulty_practice, difficulty_easy, difficulty_normal,
                           difficulty_hard};
    for (int moves = 0; moves < 4; ++moves) {
        const int start = sim_frame();
        for (int m = 0; m < moves; ++m) fake::press_after_flip(start, SDLK_RIGHT);
        fake::press_after_flip(start + 2, SDLK_RETURN);
        EXPECT_EQ(difficulty_menu(screen, assets()), answers[moves]) << moves;
    }
}

TEST_F(shell_difficulty_menu, escape_goes_back_to_the_title) {
    fake::press_after_flip(0, SDLK_RIGHT);
    fake::press_after_flip(1, SDLK_ESCAPE);
    EXPECT_EQ(difficulty_menu(screen, assets()), menu_back_to_title);
}

TEST_F(shell_difficulty_menu, a_window_close_takes_the_selection_without_the_guard) {
    fake::press_after_flip(0, SDLK_RIGHT);
    fake::close_after_flip(1);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_easy);
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(shell_difficulty_menu, right_after_escape_in_the_same_batch_leaves_practice) {
    fake::press_after_flip(0, SDLK_RIGHT); // on Easy
    fake::press_after_flip(1, SDLK_ESCAPE);
    fake::press_after_flip(1, SDLK_RIGHT);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_practice);
    EXPECT_EQ(fake::count_calls(sim_call::chunk, slot_sound_cold4), 2);
}

TEST_F(shell_difficulty_menu, left_after_escape_in_the_same_batch_leaves_hard) {
    fake::press_after_flip(0, SDLK_ESCAPE);
    fake::press_after_flip(0, SDLK_LEFT);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_hard);
    EXPECT_EQ(fake::count_calls(sim_call::chunk, slot_sound_cold4), 1);
}

TEST_F(shell_difficulty_menu, enter_after_escape_in_the_same_batch_still_goes_back) {
    fake::press_after_flip(3, SDLK_ESCAPE);
    fake::press_after_flip(3, SDLK_RETURN);
    EXPECT_EQ(difficulty_menu(screen, assets()), menu_back_to_title);
}

TEST_F(shell_difficulty_menu, up_and_other_keys_do_nothing) {
    fake::press_after_flip(0, SDLK_UP);
    fake::press_after_flip(0, SDLK_DOWN);
    fake::press_after_flip(0, SDLK_g);
    fake::press_after_flip(2, SDLK_RETURN);
    EXPECT_EQ(difficulty_menu(screen, assets()), difficulty_practice);
    EXPECT_TRUE(sim_sound_log().empty());
}

} // namespace
