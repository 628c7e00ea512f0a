// The loading screen: 50 passes of 100 ms through the phases 1, 2, 3, 4, and
// no event read, so keys wait for the next level.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_assets.h"
#include "platform/platform.h"
#include "shell/loading_screen.h"

namespace {

using shell_loading_screen = fake::shell_fixture;

TEST_F(shell_loading_screen, shows_the_four_phases_in_turn_for_fifty_passes_of_100_ms) {
    std::vector<Uint32> ticks;
    on_flip = [&](SDL_Surface*, int) { ticks.push_back(sim_now()); };
    loading_screen(screen, assets());
    ASSERT_EQ(shown.size(), 50u);
    const int by_phase[] = {slot_loading, slot_loading1, slot_loading2, slot_loading1};
    for (int pass = 0; pass < 50; ++pass) {
        EXPECT_EQ(shown[pass], by_phase[pass % 4]) << pass;
        EXPECT_EQ(ticks[pass], 100u * pass) << pass;
    }
    EXPECT_EQ(sim_now(), 5000u);
}

TEST_F(shell_loading_screen, ignores_every_key_and_leaves_it_queued_for_the_next_level) {
    fake::press_after_flip(0, SDLK_ESCAPE);
    fake::press_after_flip(3, SDLK_RETURN);
    fake::close_after_flip(10);
    loading_screen(screen, assets());
    EXPECT_EQ(shown.size(), 50u);
    std::vector<int> types;
    std::vector<SDLKey> keys_down;
    SDL_Event event;
    while (platform_poll_event(&event)) {
        types.push_back(event.type);
        if (event.type == SDL_KEYDOWN) keys_down.push_back(event.key.keysym.sym);
    }
    EXPECT_EQ(keys_down, (std::vector<SDLKey>{SDLK_ESCAPE, SDLK_RETURN}));
    EXPECT_EQ(std::count(types.begin(), types.end(), SDL_QUIT), 1);
}

} // namespace
