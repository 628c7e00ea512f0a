// What the front and end screens make of an event. They react only to a
// window close and to a few key presses; key releases and every other event
// are ignored.
#pragma once

#include <SDL/SDL.h>

enum class screen_input { none, window_close, enter, escape, up, right, left };

// The keys the screens answer to.
constexpr SDLKey key_enter = SDLK_RETURN;
constexpr SDLKey key_escape = SDLK_ESCAPE;
constexpr SDLKey key_up = SDLK_UP;
constexpr SDLKey key_right = SDLK_RIGHT;
constexpr SDLKey key_left = SDLK_LEFT;

screen_input read_screen_input(const SDL_Event& event);
