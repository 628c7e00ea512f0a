// The title screen: a pass every 250 ms, Enter only from the third pass, the
// blinking coin, Escape and window close after the pass, and the five-Up
// cheat.
#include <gtest/gtest.h>

#include "fake_assets.h"
#include "shell/title_screen.h"

namespace {

struct shell_title_screen : fake::shell_fixture {
    std::vector<int> coin; // what shows where the coin goes, every flip
    void SetUp() override {
        fake::shell_fixture::SetUp();
        on_flip = [this](SDL_Surface* s, int) { coin.push_back(fake::slot_at(s, 170, 410)); };
    }
};

TEST_F(shell_title_screen, enter_is_ignored_on_the_first_two_passes) {
    fake::press_after_flip(0, SDLK_RETURN);
    fake::press_after_flip(1, SDLK_RETURN);
    fake::press_after_flip(2, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start);
    EXPECT_EQ(sim_frame(), 3);
    EXPECT_EQ(sim_now(), 500u); // Enter returns before the pass's delay
    EXPECT_EQ(shown, (std::vector<int>(3, slot_titre)));
    EXPECT_TRUE(sim_sound_log().empty());
}

TEST_F(shell_title_screen, escape_leaves_after_the_pass_and_its_delay) {
    fake::press_after_flip(1, SDLK_ESCAPE);
    EXPECT_EQ(title_screen(screen, assets()), title_leave);
    EXPECT_EQ(sim_frame(), 2);
    EXPECT_EQ(sim_now(), 500u);
}

TEST_F(shell_title_screen, a_window_close_leaves_like_escape) {
    fake::close_after_flip(0);
    EXPECT_EQ(title_screen(screen, assets()), title_leave);
    EXPECT_EQ(sim_frame(), 1);
    EXPECT_EQ(sim_now(), 250u);
}

TEST_F(shell_title_screen, enter_queued_behind_escape_in_the_same_batch_still_starts_a_run) {
    fake::press_after_flip(3, SDLK_ESCAPE);
    fake::press_after_flip(3, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start);
    EXPECT_EQ(sim_now(), 750u);
}

TEST_F(shell_title_screen, enter_behind_escape_within_the_guard_does_not) {
    fake::press_after_flip(1, SDLK_ESCAPE);
    fake::press_after_flip(1, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_leave);
}

TEST_F(shell_title_screen, coin_blinks_two_passes_on_two_off) {
    fake::press_after_flip(8, SDLK_ESCAPE);
    title_screen(screen, assets());
    const int on = slot_coin, off = slot_titre;
    EXPECT_EQ(coin, (std::vector<int>{on, on, off, off, on, on, off, off, on}));
}

TEST_F(shell_title_screen, five_ups_switch_the_picture_play_the_sound_once_and_start_the_cheat) {
    for (int frame = 0; frame < 5; ++frame) fake::press_after_flip(frame, SDLK_UP);
    fake::press_after_flip(6, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start_cheat);
    EXPECT_EQ(shown, (std::vector<int>{slot_titre, slot_titre, slot_titre, slot_titre, slot_titre,
                                       slot_titre1, slot_titre1}));
    const auto chunks = fake::calls_of(sim_call::chunk);
    ASSERT_EQ(chunks.size(), 1u);
    EXPECT_EQ(chunks[0].slot, slot_sound_cold4);
    EXPECT_EQ(chunks[0].channel, 0);
    EXPECT_EQ(chunks[0].frame, 5); // handled in the fifth pass, after its flip
}

TEST_F(shell_title_screen, more_ups_change_nothing_further) {
    for (int i = 0; i < 8; ++i) fake::press_after_flip(0, SDLK_UP);
    fake::press_after_flip(1, SDLK_UP);
    fake::press_after_flip(2, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start_cheat);
    EXPECT_EQ(fake::count_calls(sim_call::chunk, slot_sound_cold4), 1);
    EXPECT_EQ(shown.back(), slot_titre1);
}

TEST_F(shell_title_screen, four_ups_are_no_cheat) {
    for (int frame = 0; frame < 4; ++frame) fake::press_after_flip(frame, SDLK_UP);
    fake::press_after_flip(4, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start);
    EXPECT_TRUE(sim_sound_log().empty());
    EXPECT_EQ(shown.back(), slot_titre);
}

TEST_F(shell_title_screen, the_cheat_lasts_only_until_the_title_returns) {
    for (int i = 0; i < 5; ++i) fake::press_after_flip(0, SDLK_UP);
    fake::press_after_flip(2, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start_cheat);
    fake::press_after_flip(5, SDLK_RETURN);
    EXPECT_EQ(title_screen(screen, assets()), title_start);
    EXPECT_EQ(shown.back(), slot_titre);
}

} // namespace
