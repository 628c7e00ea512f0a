#include "shell/difficulty_menu.h"

#include "engine/difficulty.h"
#include "platform/platform.h"
#include "shell/screen_draw.h"
#include "shell/screen_input.h"

namespace {

// Enter counts once the pass counter is above this.
constexpr int enter_guard = 1;

// The menu only ever draws one of its choices.
int picture_of(int selection) { return difficulty_of(selection).menu_picture; }

} // namespace

int difficulty_menu(SDL_Surface* screen, const asset_table& assets) {
    int selection = menu_first_choice;
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
                selection = menu_harder(selection);
                break;
            case screen_input::left:
                play_menu_sound(assets, slot_sound_cold4);
                selection = menu_easier(selection);
                break;
            default: break;
            }
        }
    }
    return selection;
}
