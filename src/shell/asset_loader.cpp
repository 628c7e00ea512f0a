#include "shell/asset_loader.h"

#include "platform/platform.h"
#include "shell/asset_catalogue.h"
#include "shell/asset_checks.h"

#include <SDL/SDL_image.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool run_length_keys = true;

// Loads one picture file, sets its colour key in the file's own format, and
// converts it to the display format; the unconverted copy goes at once.
SDL_Surface* load_picture(const catalogue_entry& entry) {
    SDL_Surface* loaded = nullptr;
    if (entry.loader == loader_kind::png) {
        loaded = IMG_Load(entry.path);
    } else if (SDL_RWops* file = SDL_RWFromFile(entry.path, "rb")) {
        loaded = SDL_LoadBMP_RW(file, 1);
    }
    if (!loaded) return nullptr;
    if (const char* fault = picture_size_fault(loaded->w, loaded->h)) {
        SDL_FreeSurface(loaded);
        SDL_SetError("%s", fault);
        return nullptr;
    }
    if (entry.key.keyed)
        SDL_SetColorKey(loaded, SDL_SRCCOLORKEY,
                        SDL_MapRGB(loaded->format, entry.key.r, entry.key.g, entry.key.b));
    SDL_Surface* converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (converted && entry.key.keyed && run_length_keys)
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY | SDL_RLEACCEL, converted->format->colorkey);
    return converted;
}

Mix_Chunk* load_chunk(const char* path) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    return file ? Mix_LoadWAV_RW(file, 1) : nullptr;
}

// Why the file must not be handed to SDL_image or SDL_mixer (which trust what
// a header says), or null when it may.
const char* refusal(const catalogue_entry& entry) {
    if (const char* fault = not_a_regular_file(entry.path)) return fault;
    switch (entry.loader) {
    case loader_kind::music: return ogg_file_fault(entry.path);
    case loader_kind::chunk: return wav_file_fault(entry.path);
    default: return nullptr;
    }
}

void* load_slot(int slot, bool audio_open) {
    const catalogue_entry& entry = asset_catalogue[slot];
    const bool audio = entry.loader == loader_kind::music || entry.loader == loader_kind::chunk;
    if (audio && !audio_open) return nullptr; // a silent game never opens its sounds
    if (const char* fault = refusal(entry)) {
        SDL_SetError("%s", fault);
        return nullptr;
    }
    switch (entry.loader) {
    case loader_kind::png:
    case loader_kind::bmp: return load_picture(entry);
    case loader_kind::music: return Mix_LoadMUS(entry.path);
    case loader_kind::chunk: return load_chunk(entry.path);
    }
    return nullptr;
}

void free_slot(int slot, void* asset) {
    if (!asset) return;
    switch (asset_catalogue[slot].loader) {
    case loader_kind::png:
    case loader_kind::bmp: SDL_FreeSurface(static_cast<SDL_Surface*>(asset)); break;
    case loader_kind::music: Mix_FreeMusic(static_cast<Mix_Music*>(asset)); break;
    case loader_kind::chunk: Mix_FreeChunk(static_cast<Mix_Chunk*>(asset)); break;
    }
}

} // namespace

void set_run_length_keys(bool enabled) { run_length_keys = enabled; }

asset_table* load_assets(bool audio_open) {
    auto* assets = static_cast<asset_table*>(std::calloc(1, sizeof(asset_table)));
    if (!assets) {
        std::fprintf(stderr, "Graze: out of memory loading the assets\n");
        return nullptr;
    }
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        // The whole catalogue takes a while to load: a stop request is heard
        // between two files, through the normal exit.
        platform_stop_point();
        const bool audio = slot >= first_music_slot;
        assets->slots[slot] = load_slot(slot, audio_open);
        if (!assets->slots[slot] && (!audio || audio_open)) {
            std::fprintf(stderr, "Graze: cannot load %s: %s\n", asset_catalogue[slot].path,
                         SDL_GetError());
            free_assets(assets);
            return nullptr;
        }
    }
    return assets;
}

void free_assets(asset_table* assets) {
    if (!assets) return;
    for (int slot = 0; slot < asset_slot_count; ++slot) free_slot(slot, assets->slots[slot]);
    std::free(assets);
}
