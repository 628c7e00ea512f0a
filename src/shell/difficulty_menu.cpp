#include "shell/difficulty_menu.h"

#include "engine/level_interface.h"
#include "platform/platform.h"
#include "shell/screen_draw.h"
#include "shell/screen_input.h"

namespace {

// Enter counts once the pass counter is above this.
constexpr int enter_guard = 1;

int picture_of(int selection) {
    switch (selection) {
    case difficulty_practice: return slot_practice;
    case difficulty_easy: return slot_easy;
    case difficulty_normal: return slot_normal;
    default: return slot_hard;
    }
}

} // namespace

int difficulty_menu(SDL_Surface* screen, const asset_table& assets) {
    int selection = difficulty_practice;
    bool done = false;
    for (int pass = 0; !done; ++pass) {
        draw_slot(screen, assets, picture_of(selection));
        present_on_next_frame(screen);

        // Every queued event is handled, even after one has ended the menu: a
        // Right behind an Escape turns 4 into 3, a Left turns it into 0.
        SDL_Event event;
        while (platform_poll_event(&event)) {
            switch (read_screen_input(event)) {
            case screen_input::window_close: done = true; break;
            case screen_input::escape:
                done = true;
                selection = menu_back_to_title;
                break;
            case screen_input::enter:
                if (pass > enter_guard) done = true;
                break;
            case screen_input::right:
                play_menu_sound(assets, slot_sound_cold4);
                if (--selection < difficulty_hard) selection = difficulty_practice;
                break;
            case screen_input::left:
                play_menu_sound(assets, slot_sound_cold4);
                if (++selection > difficulty_practice) selection = difficulty_hard;
                break;
            default: break;
            }
        }
    }
    return selection;
}
