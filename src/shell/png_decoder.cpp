#include "shell/png_decoder.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Everything one decoding holds: plain data only, since libpng leaves a
// fault by a long jump, past any destructor.
struct png_reading {
    std::FILE* file;
    png_structp png;
    png_infop info;
    SDL_Surface* surface;
    png_bytep* rows;
    char* reason;
    std::size_t reason_size;
};

void say(png_reading& r, const char* what, const char* detail) {
    std::snprintf(r.reason, r.reason_size, "%s%s%s", what, detail ? ": " : "",
                  detail ? detail : "");
}

png_reading& reading_of(png_structp png) {
    return *static_cast<png_reading*>(png_get_error_ptr(png));
}

// libpng's errors become the reason; its warnings are about files that load
// (an odd ancillary chunk, say), and are not printed.
void on_error(png_structp png, png_const_charp message) {
    png_reading& r = reading_of(png);
    if (r.reason[0] == '\0') say(r, "damaged PNG file", message);
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

void read_bytes(png_structp png, png_bytep out, png_size_t length) {
    png_reading& r = reading_of(png);
    if (std::fread(out, 1, length, r.file) == length) return;
    if (std::ferror(r.file))
        say(r, std::strerror(errno), nullptr);
    else
        say(r, "file ends early", nullptr);
    png_error(png, r.reason);
}

// A palette whose transparency entries are all opaque but one fully
// transparent entry keeps its palette, with that entry as the colour key;
// -1 when the picture gets an alpha channel instead.
int single_transparent_entry(const png_byte* alpha, int count) {
    int transparent = -1;
    for (int i = 0; i < count; ++i) {
        if (alpha[i] == 0) {
            if (transparent >= 0) return -1;
            transparent = i;
        } else if (alpha[i] != 255) {
            return -1;
        }
    }
    return transparent;
}

// libpng's transforms to 8-bit rows SDL can hold; the colour key: a palette's
// one transparent entry, 0 for a colour mapped once the surface exists, or -1.
int set_transforms(png_reading& r, int colour, png_color_16p& key_colour) {
    png_set_strip_16(r.png);
    png_set_interlace_handling(r.png);
    png_set_packing(r.png);
    if (colour == PNG_COLOR_TYPE_GRAY) png_set_expand(r.png);
    int key = -1;
    if (png_get_valid(r.png, r.info, PNG_INFO_tRNS)) {
        png_bytep alpha = nullptr;
        int count = 0;
        png_get_tRNS(r.png, r.info, &alpha, &count, &key_colour);
        if (colour == PNG_COLOR_TYPE_PALETTE) {
            key = single_transparent_entry(alpha, count);
            if (key < 0) png_set_expand(r.png);
        } else {
            key = 0; // the colour is mapped once the surface exists
        }
    }
    if (colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(r.png);
    return key;
}

// A surface for the transformed rows, its bytes in file order (red first in
// memory).
SDL_Surface* surface_for(png_reading& r, png_uint_32 width, png_uint_32 height, int depth,
                         int colour) {
    const int channels = png_get_channels(r.png, r.info);
    Uint32 red = 0, green = 0, blue = 0, alpha_mask = 0;
    if (colour != PNG_COLOR_TYPE_PALETTE) {
        if (SDL_BYTEORDER == SDL_LIL_ENDIAN) {
            red = 0x000000ff;
            green = 0x0000ff00;
            blue = 0x00ff0000;
            alpha_mask = channels == 4 ? 0xff000000 : 0;
        } else {
            const int shift = channels == 4 ? 0 : 8;
            red = 0xff000000 >> shift;
            green = 0x00ff0000 >> shift;
            blue = 0x0000ff00 >> shift;
            alpha_mask = 0x000000ff >> shift;
        }
    }
    return SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(width), static_cast<int>(height),
                                depth * channels, red, green, blue, alpha_mask);
}

// A grey picture gets a grey ramp; a palette picture its own colours.
void copy_palette(png_reading& r, int colour) {
    SDL_Palette* palette = r.surface->format->palette;
    if (!palette) return;
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(r.png, r.info, &entries, &count);
    if (colour == PNG_COLOR_TYPE_GRAY) {
        palette->ncolors = 256;
        for (int i = 0; i < 256; ++i)
            palette->colors[i].r = palette->colors[i].g = palette->colors[i].b =
                static_cast<Uint8>(i);
    } else if (count > 0) {
        palette->ncolors = count;
        for (int i = 0; i < count; ++i) {
            palette->colors[i].r = entries[i].red;
            palette->colors[i].g = entries[i].green;
            palette->colors[i].b = entries[i].blue;
        }
    }
}

// The decoding proper; after any fault the surface is null (freed by the
// caller with the rest). The helpers above hold nothing that needs freeing,
// so libpng's jump back here on a fault passes over them safely.
void decode(png_reading& r) {
    if (setjmp(png_jmpbuf(r.png))) {
        if (r.surface) SDL_FreeSurface(r.surface);
        r.surface = nullptr;
        return;
    }
    png_set_read_fn(r.png, nullptr, read_bytes);
    png_read_info(r.png, r.info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0;
    png_get_IHDR(r.png, r.info, &width, &height, &depth, &colour, nullptr, nullptr, nullptr);
    png_color_16p key_colour = nullptr;
    int key = set_transforms(r, colour, key_colour);
    png_read_update_info(r.png, r.info);
    png_get_IHDR(r.png, r.info, &width, &height, &depth, &colour, nullptr, nullptr, nullptr);
    r.surface = surface_for(r, width, height, depth, colour);
    if (!r.surface) {
        say(r, "out of memory", nullptr);
        return;
    }
    if (key != -1) {
        if (colour != PNG_COLOR_TYPE_PALETTE)
            key = static_cast<int>(SDL_MapRGB(
                r.surface->format, static_cast<Uint8>(key_colour->red),
                static_cast<Uint8>(key_colour->green), static_cast<Uint8>(key_colour->blue)));
        SDL_SetColorKey(r.surface, SDL_SRCCOLORKEY, static_cast<Uint32>(key));
    }
    r.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (!r.rows) {
        say(r, "out of memory", nullptr);
        SDL_FreeSurface(r.surface);
        r.surface = nullptr;
        return;
    }
    for (png_uint_32 row = 0; row < height; ++row)
        r.rows[row] = static_cast<png_bytep>(r.surface->pixels) + row * r.surface->pitch;
    // The rows only: what follows the picture's data (its end chunk and any
    // text after it) is not read, so it cannot refuse a picture.
    png_read_image(r.png, r.rows);
    copy_palette(r, colour);
}

} // namespace

SDL_Surface* decode_png_file(const char* path, char* reason, std::size_t reason_size) {
    png_reading r{};
    r.reason = reason;
    r.reason_size = reason_size;
    reason[0] = '\0';
    r.file = std::fopen(path, "rb");
    if (!r.file) {
        say(r, std::strerror(errno), nullptr);
        return nullptr;
    }
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, on_error, on_warning);
    if (r.png) r.info = png_create_info_struct(r.png);
    if (r.png && r.info)
        decode(r);
    else
        say(r, "out of memory", nullptr);
    png_destroy_read_struct(r.png ? &r.png : nullptr, r.info ? &r.info : nullptr, nullptr);
    std::free(r.rows);
    std::fclose(r.file);
    if (!r.surface && reason[0] == '\0') say(r, "damaged PNG file", nullptr);
    return r.surface;
}
