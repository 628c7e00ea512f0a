#include "shell/start_up.h"

#include <cstdlib>

#include "platform/report.h"

SDL_Surface* open_screen() { return platform_open_screen(game_video_mode); }

bool open_audio() { return platform_open_audio(game_audio_format); }

bool init_sdl() { return platform_start_audio_and_video(); }

void* heap_allocate(std::size_t bytes) { return std::malloc(bytes); }

game_result* new_game_result(heap_allocator allocate) {
    auto* result = static_cast<game_result*>(allocate(sizeof(game_result)));
    if (!result) {
        report_line("out of memory for the game result");
        return nullptr;
    }
    *result = game_result{0, 0};
    return result;
}
