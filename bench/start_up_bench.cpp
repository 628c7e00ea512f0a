// What each stage of the start-up's loading costs on one thread, over the
// whole generated catalogue: the header checks, decoding the PNG (by the
// game's reader, and by SDL_image for comparison) and the BMP pictures, converting them to the
// display format, loading the sound effects (with the mixer's conversion) and opening the music
// tracks.
#include <benchmark/benchmark.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <SDL/SDL_mixer.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_session.h"
#include "shell/asset_checks.h"
#include "shell/png_decoder.h"
#include "shell/sound_effect_file.h"
#include "support/asset_catalogue.h"

namespace {

std::string in_assets(int slot) {
    const std::string path = asset_catalogue[slot].path;
    return std::string(GRAZE_ASSET_DIR) + "/" + (path.rfind("./", 0) == 0 ? path.substr(2) : path);
}

// Decodes as the game does: PNGs through its own libpng reader, BMPs through
// SDL; or PNGs through SDL_image, for comparison.
SDL_Surface* decode(int slot, bool sdl_image = false) {
    if (asset_catalogue[slot].loader == loader_kind::png && !sdl_image) {
        char reason[256];
        return decode_png_file(in_assets(slot).c_str(), reason, sizeof reason);
    }
    SDL_RWops* file = SDL_RWFromFile(in_assets(slot).c_str(), "rb");
    if (!file) return nullptr;
    SDL_Surface* loaded = asset_catalogue[slot].loader == loader_kind::png
                              ? IMG_LoadPNG_RW(file)
                              : SDL_LoadBMP_RW(file, 0);
    SDL_RWclose(file);
    return loaded;
}

// The session runs silent; the sound stages need the mixer open.
void open_mixer() {
    bench_session();
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0)
        Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048);
}

void start_up_stage_checks(benchmark::State& state) {
    bench_session();
    for (auto _ : state) {
        for (int slot = 0; slot < asset_slot_count; ++slot) {
            const std::string path = in_assets(slot);
            const char* fault = file_access_fault(path.c_str());
            benchmark::DoNotOptimize(fault);
            switch (asset_catalogue[slot].loader) {
            case loader_kind::png: fault = png_file_fault(path.c_str()); break;
            case loader_kind::bmp: fault = bmp_file_fault(path.c_str()); break;
            case loader_kind::music: fault = ogg_file_fault(path.c_str()); break;
            case loader_kind::chunk: fault = wav_file_fault(path.c_str()); break;
            }
            benchmark::DoNotOptimize(fault);
        }
    }
}
BENCHMARK(start_up_stage_checks)->Unit(benchmark::kMillisecond);

void decode_pictures(benchmark::State& state, loader_kind kind, bool sdl_image = false) {
    bench_session();
    for (auto _ : state) {
        for (int slot = 0; slot < picture_slot_count; ++slot) {
            if (asset_catalogue[slot].loader != kind) continue;
            SDL_FreeSurface(decode(slot, sdl_image));
        }
    }
}

void start_up_stage_decode_png(benchmark::State& state) {
    decode_pictures(state, loader_kind::png);
}
BENCHMARK(start_up_stage_decode_png)->Unit(benchmark::kMillisecond);

// The same pictures through SDL_image, which the game's reader replaces. The
// two are compared side by side, their runs interleaved, so that neither is
// favoured by the machine's state while it runs:
//   graze_bench --benchmark_filter=decode_png --benchmark_repetitions=10
//               --benchmark_enable_random_interleaving=true
void start_up_stage_decode_png_sdl_image(benchmark::State& state) {
    decode_pictures(state, loader_kind::png, true);
}
BENCHMARK(start_up_stage_decode_png_sdl_image)->Unit(benchmark::kMillisecond);

void start_up_stage_decode_bmp(benchmark::State& state) {
    decode_pictures(state, loader_kind::bmp);
}
BENCHMARK(start_up_stage_decode_bmp)->Unit(benchmark::kMillisecond);

void start_up_stage_convert(benchmark::State& state) {
    bench_session();
    std::vector<SDL_Surface*> decoded;
    for (int slot = 0; slot < picture_slot_count; ++slot) decoded.push_back(decode(slot));
    for (auto _ : state) {
        for (SDL_Surface* s : decoded) SDL_FreeSurface(SDL_DisplayFormat(s));
    }
    for (SDL_Surface* s : decoded) SDL_FreeSurface(s);
}
BENCHMARK(start_up_stage_convert)->Unit(benchmark::kMillisecond);

void start_up_stage_sound_effects(benchmark::State& state) {
    open_mixer();
    for (auto _ : state) {
        for (int slot = first_music_slot; slot < asset_slot_count; ++slot) {
            if (asset_catalogue[slot].loader != loader_kind::chunk) continue;
            char reason[256];
            Mix_FreeChunk(load_sound_effect(in_assets(slot).c_str(), reason, sizeof reason));
        }
    }
}
BENCHMARK(start_up_stage_sound_effects)->Unit(benchmark::kMillisecond);

void start_up_stage_music(benchmark::State& state) {
    open_mixer();
    for (auto _ : state) {
        for (int slot = first_music_slot; slot < asset_slot_count; ++slot) {
            if (asset_catalogue[slot].loader != loader_kind::music) continue;
            Mix_FreeMusic(Mix_LoadMUS(in_assets(slot).c_str()));
        }
    }
}
BENCHMARK(start_up_stage_music)->Unit(benchmark::kMillisecond);

} // namespace
