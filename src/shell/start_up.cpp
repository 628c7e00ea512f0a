#include "shell/start_up.h"

#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool driver_asked_for() {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    return asked && *asked;
}

// SDL's drivers that draw the game as text in a terminal.
bool text_mode_driver(const char* name) {
    return std::strcmp(name, "aalib") == 0 || std::strcmp(name, "caca") == 0;
}

void report_refused_mode() {
    std::fprintf(stderr, "Graze: cannot set the %dx%d video mode: %s\n", screen_width,
                 screen_height, SDL_GetError());
}

} // namespace

SDL_Surface* open_screen() {
    const bool asked = driver_asked_for();
    // Left to itself, SDL falls back on a text-mode driver when there is no
    // display; libcaca is then only probed, on its silent output, and refused.
    if (!asked) setenv("CACA_DRIVER", "null", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) {
        report_refused_mode();
        return nullptr;
    }
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (!asked && text_mode_driver(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        std::fprintf(stderr,
                     "Graze: no display is available (SDL could only start its text-mode "
                     "driver %s); set DISPLAY, or SDL_VIDEODRIVER=%s to play in the terminal\n",
                     driver, driver);
        return nullptr;
    }
    SDL_Surface* screen =
        SDL_SetVideoMode(screen_width, screen_height, screen_bits_per_pixel, screen_flags);
    if (!screen) report_refused_mode();
    return screen;
}

bool open_audio() {
    if (Mix_OpenAudio(audio_frequency, audio_format, audio_channels, audio_chunk_samples) < 0) {
        std::printf("Warning: Couldn't set 44100 Hz 16-bit audio\n Reason: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

bool init_sdl() {
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::printf("Unable to init SDL: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

void* heap_allocate(std::size_t bytes) { return std::malloc(bytes); }

game_result* new_game_result(heap_allocator allocate) {
    auto* result = static_cast<game_result*>(allocate(sizeof(game_result)));
    if (!result) {
        std::fprintf(stderr, "Graze: out of memory for the game result\n");
        return nullptr;
    }
    *result = game_result{0, 0};
    return result;
}
