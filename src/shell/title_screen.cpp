#include "shell/title_screen.h"

#include "platform/platform.h"
#include "shell/screen_draw.h"
#include "shell/screen_input.h"

namespace {

constexpr int coin_x = 160;
constexpr int coin_y = 400;
constexpr Uint32 pass_ms = 250;
// Enter counts once the pass counter is above this (after half a second).
constexpr int enter_guard = 1;
constexpr int cheat_up_presses = 5;
// Four blink phases of one pass each: the coin shows on the first two.
constexpr int blink_phases = 4;
constexpr int coin_hidden_from_phase = 3;

} // namespace

int title_screen(SDL_Surface* screen, const asset_table& assets) {
    int up_count = 0;
    int blink_phase = 1;
    bool quit = false;
    for (int pass = 0; !quit; ++pass) {
        draw_slot(screen, assets, up_count >= cheat_up_presses ? slot_titre1 : slot_titre);
        if (blink_phase < coin_hidden_from_phase)
            draw_picture_at(screen, picture_slot(assets, slot_coin), coin_x, coin_y);
        platform_flip(screen);

        // Every queued event is handled, even after Escape; only Enter returns
        // in the middle of a batch.
        SDL_Event event;
        while (platform_poll_event(&event)) {
            switch (read_screen_input(event)) {
            case screen_input::window_close:
            case screen_input::escape: quit = true; break;
            case screen_input::enter:
                if (pass > enter_guard)
                    return up_count >= cheat_up_presses ? title_start_cheat : title_start;
                break;
            case screen_input::up:
                // The sound greets the cheat once, however many more presses follow.
                if (++up_count == cheat_up_presses) play_menu_sound(assets, slot_sound_cold4);
                break;
            default: break;
            }
        }
        platform_delay(pass_ms);
        blink_phase = blink_phase == blink_phases ? 1 : blink_phase + 1;
    }
    return title_leave;
}
