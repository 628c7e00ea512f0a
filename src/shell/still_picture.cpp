#include "shell/still_picture.h"

#include "platform/platform.h"
#include "shell/screen_draw.h"
#include "shell/screen_input.h"

bool still_picture_ended(int pass) {
    bool ended = false;
    SDL_Event event;
    while (platform_poll_event(&event)) {
        const screen_input input = read_screen_input(event);
        if (input == screen_input::window_close) ended = true;
        if (input == screen_input::enter && pass > still_picture_enter_guard) ended = true;
    }
    return ended;
}

void show_still_picture(SDL_Surface* screen, SDL_Surface* picture) {
    for (int pass = 0;; ++pass) {
        draw_picture(screen, picture);
        present_on_next_frame(screen);
        if (still_picture_ended(pass)) return;
    }
}
