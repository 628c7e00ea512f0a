#include "shell/screen_input.h"

screen_input read_screen_input(const SDL_Event& event) {
    if (event.type == SDL_QUIT) return screen_input::window_close;
    if (event.type != SDL_KEYDOWN) return screen_input::none;
    switch (event.key.keysym.sym) {
    case key_enter: return screen_input::enter;
    case key_escape: return screen_input::escape;
    case key_up: return screen_input::up;
    case key_right: return screen_input::right;
    case key_left: return screen_input::left;
    default: return screen_input::none;
    }
}
