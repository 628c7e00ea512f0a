// The intro pictures: programming credit, resources, controls; one pass a
// frame, Enter only from the twelfth pass of each, a window close moves on at
// once.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_assets.h"
#include "shell/intro_screens.h"

namespace {

using shell_intro_screens = fake::shell_fixture;

TEST_F(shell_intro_screens, held_enter_shows_each_picture_for_twelve_passes_in_order) {
    for (int frame = 0; frame < 60; ++frame) fake::press_after_flip(frame, SDLK_RETURN);
    intro_screens(screen, assets());
    std::vector<int> expected;
    for (int slot : {slot_programmer, slot_resources, slot_keyboard})
        expected.insert(expected.end(), 12, slot);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(sim_now(), 36u * frame_period_ms); // one pass a frame
}

TEST_F(shell_intro_screens, enter_on_the_eleventh_pass_is_ignored_and_the_twelfth_is_taken) {
    fake::press_after_flip(10, SDLK_RETURN);
    fake::press_after_flip(11, SDLK_RETURN);
    fake::close_after_flip(12);
    fake::close_after_flip(13);
    intro_screens(screen, assets());
    EXPECT_EQ(std::count(shown.begin(), shown.end(), slot_programmer), 12);
    EXPECT_EQ(fake::sequence_of(shown),
              (std::vector<int>{slot_programmer, slot_resources, slot_keyboard}));
    EXPECT_EQ(shown.size(), 14u);
}

// As with a flip synchronised to the display: a pass goes on at the start of
// the next frame, however late in a frame it was presented.
TEST_F(shell_intro_screens, each_pass_rests_until_the_next_frame) {
    std::vector<Uint32> flipped_at;
    on_flip = [&](SDL_Surface*, int frame) {
        flipped_at.push_back(sim_now());
        if (frame == 2) sim_advance(20); // a slow pass, past the next frame
    };
    sim_advance(5);
    fake::close_after_flip(3);
    fake::close_after_flip(4);
    fake::close_after_flip(5);
    intro_screens(screen, assets());
    const Uint32 f = frame_period_ms;
    EXPECT_EQ(flipped_at, (std::vector<Uint32>{5, f, 2 * f, 4 * f, 5 * f, 6 * f}));
}

TEST_F(shell_intro_screens, a_window_close_only_moves_on_to_the_next_picture) {
    fake::close_after_flip(0);
    fake::close_after_flip(1);
    fake::close_after_flip(2);
    intro_screens(screen, assets());
    EXPECT_EQ(shown, (std::vector<int>{slot_programmer, slot_resources, slot_keyboard}));
}

TEST_F(shell_intro_screens, other_keys_and_key_releases_do_nothing) {
    for (SDLKey key : {SDLK_ESCAPE, SDLK_UP, SDLK_LEFT, SDLK_RIGHT, SDLK_g})
        fake::press_after_flip(20, key);
    fake::close_after_flip(30);
    fake::close_after_flip(31);
    fake::close_after_flip(32);
    intro_screens(screen, assets());
    EXPECT_EQ(std::count(shown.begin(), shown.end(), slot_programmer), 31);
}

} // namespace
