// Test support: a surface written as the file a picture slot takes, PNG for a
// PNG slot and BMP for a BMP slot (the loader refuses any other format).
#pragma once

#include <SDL/SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/asset_sink.h"
#include "support/asset_catalogue.h"

inline bool save_slot_picture(SDL_Surface* surface, int slot, const std::string& path) {
    if (asset_catalogue[slot].loader == loader_kind::bmp)
        return SDL_SaveBMP(surface, path.c_str()) == 0;
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(surface->w) * surface->h * 3);
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; ++y) {
        for (int x = 0; x < surface->w; ++x) {
            const auto* pixel = static_cast<const std::uint8_t*>(surface->pixels) +
                                y * surface->pitch + x * surface->format->BytesPerPixel;
            Uint32 value = 0;
            for (int b = surface->format->BytesPerPixel - 1; b >= 0; --b)
                value = value << 8 | pixel[b];
            std::uint8_t* out = &rows[(static_cast<std::size_t>(y) * surface->w + x) * 3];
            SDL_GetRGB(value, surface->format, &out[0], &out[1], &out[2]);
        }
    }
    SDL_UnlockSurface(surface);
    return write_png_rows(path, surface->w, surface->h, false, rows.data(), 6);
}
