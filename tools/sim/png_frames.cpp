#include "png_frames.h"

#include <png.h>

#include <cstdio>
#include <vector>

bool save_screen_png(SDL_Surface* screen, const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, screen->w, screen->h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    std::vector<unsigned char> row(static_cast<size_t>(screen->w) * 3);
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; ++y) {
        const auto* pixels = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        for (int x = 0; x < screen->w; ++x) {
            Uint32 value = 0;
            const Uint8* p = pixels + x * screen->format->BytesPerPixel;
            switch (screen->format->BytesPerPixel) {
            case 4: value = *reinterpret_cast<const Uint32*>(p); break;
            case 2: value = *reinterpret_cast<const Uint16*>(p); break;
            default: value = p[0] | (p[1] << 8) | (p[2] << 16); break;
            }
            SDL_GetRGB(value, screen->format, &row[x * 3], &row[x * 3 + 1], &row[x * 3 + 2]);
        }
        png_write_row(png, row.data());
    }
    SDL_UnlockSurface(screen);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}
