#include "shell/continue_screen.h"

#include "platform/platform.h"
#include "shell/screen_draw.h"
#include "shell/screen_input.h"

namespace {

constexpr int escape_fade_ms = 1000;
constexpr Uint32 escape_wait_ms = 1000;
constexpr Uint32 confirm_wait_ms = 1000;

} // namespace

int continue_screen(SDL_Surface* screen, const asset_table& assets) {
    int answer = continue_yes;
    bool done = false;
    while (!done) {
        draw_slot(screen, assets, answer == continue_yes ? slot_continue1 : slot_continue2);
        present_on_next_frame(screen);

        // No pass guard: an Enter already queued answers at once.
        SDL_Event event;
        while (platform_poll_event(&event)) {
            switch (read_screen_input(event)) {
            case screen_input::window_close: done = true; break;
            case screen_input::escape:
                platform_fade_out_music(escape_fade_ms);
                platform_delay(escape_wait_ms);
                done = true;
                break;
            case screen_input::right:
                if (answer == continue_yes) {
                    answer = continue_give_up;
                    play_menu_sound(assets, slot_sound_cold4);
                }
                break;
            case screen_input::left:
                if (answer == continue_give_up) {
                    answer = continue_yes;
                    play_menu_sound(assets, slot_sound_cold4);
                }
                break;
            case screen_input::enter:
                play_menu_sound(assets, slot_sound_cold1);
                platform_delay(confirm_wait_ms);
                return answer;
            default: break;
            }
        }
    }
    return continue_left;
}
