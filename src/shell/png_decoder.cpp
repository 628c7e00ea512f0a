#include "shell/png_decoder.h"

#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/png_image_data.h"

namespace {

// Everything one decoding holds: plain data only, since libpng leaves a
// fault by a long jump, past any destructor.
struct png_reading {
    png_source source;
    png_structp png;
    png_infop info;
    SDL_Surface* surface;
    png_bytep* rows;
    unsigned char last_header[8]; // the chunk header libpng read last
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

// The system's words for an error, from either form of strerror_r (GNU's
// returns them, POSIX's writes them into the buffer): several threads decode
// at once, and strerror's own buffer is shared.
[[maybe_unused]] const char* error_text(int result, const char* buffer) {
    return result == 0 ? buffer : "input/output error";
}
[[maybe_unused]] const char* error_text(const char* text, const char*) { return text; }

void say_error(png_reading& r, int error) {
    char buffer[128] = "";
    say(r, error_text(strerror_r(error, buffer, sizeof buffer), buffer), nullptr);
}

void say_file_fault(png_reading& r) {
    if (r.source.error)
        say_error(r, r.source.error);
    else
        say(r, "file ends early", nullptr);
}

// libpng reads each chunk's length and type in one read of 8 bytes.
void read_bytes(png_structp png, png_bytep out, png_size_t length) {
    png_reading& r = reading_of(png);
    if (!read_from(r.source, out, length)) {
        say_file_fault(r);
        png_error(png, r.reason);
    }
    if (length == sizeof r.last_header) std::memcpy(r.last_header, out, length);
}

// How SDL_image takes a palette's transparency: entries all opaque but at
// most one fully transparent keep the palette, that one (if any) its colour
// key; anything else gives the picture an alpha channel.
struct palette_transparency {
    bool needs_alpha;
    int key; // -1: none
};

palette_transparency transparency_of(const png_byte* alpha, int count) {
    palette_transparency t{false, -1};
    for (int i = 0; i < count; ++i) {
        if (alpha[i] == 0 && t.key < 0)
            t.key = i;
        else if (alpha[i] != 255)
            return {true, -1};
    }
    return t;
}

// How the rows are read and what surface they fill.
struct row_reading {
    int key;                 // a palette's transparent entry, 0 for a colour
                             // mapped once the surface exists, or -1
    bool plain;              // the file's own rows are the surface's, byte for byte
    bool alpha_from_palette; // palette indices, turned into RGBA pixels here
};

// libpng's transforms to 8-bit rows SDL can hold, as SDL_image asks them;
// but a palette given an alpha channel is read as indices, checked and then
// expanded here, where libpng's expansion would hide an index beyond the
// palette.
row_reading set_transforms(png_reading& r, int colour, int depth, png_color_16p& key_colour) {
    png_set_strip_16(r.png);
    png_set_interlace_handling(r.png);
    png_set_packing(r.png);
    if (colour == PNG_COLOR_TYPE_GRAY) png_set_expand(r.png);
    const bool keyed = png_get_valid(r.png, r.info, PNG_INFO_tRNS);
    row_reading t{-1,
                  depth == 8 && png_get_interlace_type(r.png, r.info) == PNG_INTERLACE_NONE &&
                      colour != PNG_COLOR_TYPE_GRAY_ALPHA &&
                      !(colour == PNG_COLOR_TYPE_GRAY && keyed),
                  false};
    if (keyed) {
        png_bytep alpha = nullptr;
        int count = 0;
        png_get_tRNS(r.png, r.info, &alpha, &count, &key_colour);
        if (colour == PNG_COLOR_TYPE_PALETTE) {
            const palette_transparency palette = transparency_of(alpha, count);
            t.key = palette.key;
            t.alpha_from_palette = palette.needs_alpha;
            t.plain = t.plain && !palette.needs_alpha;
        } else {
            t.key = 0; // the colour is mapped once the surface exists
        }
    }
    if (colour == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(r.png);
    return t;
}

// A surface for the transformed rows, its bytes in file order (red first in
// memory); a palette surface for one channel of 8 bits.
SDL_Surface* surface_for(png_uint_32 width, png_uint_32 height, int depth, int channels,
                         bool palette) {
    Uint32 red = 0, green = 0, blue = 0, alpha_mask = 0;
    if (!palette) {
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

// A pixel whose index lies beyond a short palette has no colour of its own:
// SDL 1.2 draws it black and the compatibility library white, so such a
// picture is damaged.
bool index_beyond_palette(png_reading& r, int largest) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(r.png, r.info, &entries, &count);
    if (largest < count) return false;
    char detail[96];
    std::snprintf(detail, sizeof detail, "palette index %d beyond the palette's %d colours",
                  largest, count);
    say(r, "damaged PNG file", detail);
    return true;
}

int largest_index(png_bytep* rows, int height, std::size_t width) {
    png_byte largest = 0;
    for (int y = 0; y < height; ++y)
        for (std::size_t x = 0; x < width; ++x) largest = std::max(largest, rows[y][x]);
    return largest;
}

// Each row's indices, read into the last quarter of its RGBA pixels, become
// those pixels, as libpng would expand them: the palette's colour, and its
// tRNS entry's alpha (opaque past the table). Left to right, a pixel's four
// bytes only cover indices already taken.
void expand_palette_rows(png_reading& r) {
    png_colorp entries = nullptr;
    int count = 0;
    png_get_PLTE(r.png, r.info, &entries, &count);
    png_bytep alpha = nullptr;
    int alpha_count = 0;
    png_get_tRNS(r.png, r.info, &alpha, &alpha_count, nullptr);
    const std::size_t width = static_cast<std::size_t>(r.surface->w);
    for (int y = 0; y < r.surface->h; ++y) {
        png_bytep pixel = static_cast<png_bytep>(r.surface->pixels) + y * r.surface->pitch;
        const png_bytep index = pixel + 3 * width;
        for (std::size_t x = 0; x < width; ++x, pixel += 4) {
            const png_byte i = index[x];
            const png_color colour = entries[i];
            pixel[0] = colour.red;
            pixel[1] = colour.green;
            pixel[2] = colour.blue;
            pixel[3] = i < alpha_count ? alpha[i] : 255;
        }
    }
}

// Plain rows come from the game's own inflating (png_image_data.h), the
// others through libpng's transforms.
bool read_rows(png_reading& r, const row_reading& how, bool palette) {
    SDL_Surface* s = r.surface;
    if (how.plain) {
        if (std::memcmp(r.last_header + 4, "IDAT", 4) != 0) return false;
        const png_uint_32 first_length = png_get_uint_32(r.last_header);
        const png_rows rows{static_cast<unsigned char*>(s->pixels),
                            static_cast<std::size_t>(s->pitch), static_cast<std::uint32_t>(s->h),
                            static_cast<std::size_t>(s->w) * s->format->BytesPerPixel,
                            s->format->BytesPerPixel};
        unsigned char largest = 0;
        const png_fault fault = read_plain_image_data(r.source, first_length, rows, largest);
        switch (fault.kind) {
        case png_fault_kind::none: break;
        case png_fault_kind::file: say_file_fault(r); return false;
        case png_fault_kind::memory: say(r, "out of memory", nullptr); return false;
        case png_fault_kind::damage:
            if (fault.chunk)
                std::snprintf(r.reason, r.reason_size, "damaged PNG file: %s: %s", fault.chunk,
                              fault.detail);
            else
                say(r, "damaged PNG file", fault.detail);
            return false;
        }
        return !(palette && index_beyond_palette(r, largest));
    }
    r.rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * static_cast<unsigned>(s->h)));
    if (!r.rows) {
        say(r, "out of memory", nullptr);
        return false;
    }
    const std::size_t width = static_cast<std::size_t>(s->w);
    for (int row = 0; row < s->h; ++row)
        r.rows[row] = static_cast<png_bytep>(s->pixels) + row * s->pitch +
                      (how.alpha_from_palette ? 3 * width : 0);
    // Once the rows are read, libpng only warns of a damaged end of the image
    // data (its Adler-32 check, say, or more data than the rows need): here it
    // refuses the picture, as the game's own inflating does.
    png_set_benign_errors(r.png, 0);
    // The rows only: what follows the picture's data (its end chunk and any
    // text after it) is not read, so it cannot refuse a picture.
    png_read_image(r.png, r.rows);
    if (palette && index_beyond_palette(r, largest_index(r.rows, s->h, width))) return false;
    if (how.alpha_from_palette) expand_palette_rows(r);
    return true;
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
    const bool palette = colour == PNG_COLOR_TYPE_PALETTE;
    png_color_16p key_colour = nullptr;
    const row_reading how = set_transforms(r, colour, depth, key_colour);
    png_read_update_info(r.png, r.info);
    png_get_IHDR(r.png, r.info, &width, &height, &depth, &colour, nullptr, nullptr, nullptr);
    r.surface = how.alpha_from_palette
                    ? surface_for(width, height, 8, 4, false)
                    : surface_for(width, height, depth, png_get_channels(r.png, r.info), palette);
    if (!r.surface) {
        say(r, "out of memory", nullptr);
        return;
    }
    if (how.key != -1) {
        Uint32 key = static_cast<Uint32>(how.key);
        if (!palette)
            key = SDL_MapRGB(r.surface->format, static_cast<Uint8>(key_colour->red),
                             static_cast<Uint8>(key_colour->green),
                             static_cast<Uint8>(key_colour->blue));
        SDL_SetColorKey(r.surface, SDL_SRCCOLORKEY, key);
    }
    if (!read_rows(r, how, palette)) {
        if (r.reason[0] == '\0') say(r, "damaged PNG file", nullptr);
        SDL_FreeSurface(r.surface);
        r.surface = nullptr;
        return;
    }
    copy_palette(r, colour);
}

} // namespace

SDL_Surface* decode_png_file(const char* path, char* reason, std::size_t reason_size) {
    png_reading r{};
    r.reason = reason;
    r.reason_size = reason_size;
    reason[0] = '\0';
    r.source.file = std::fopen(path, "rb");
    if (!r.source.file) {
        say_error(r, errno);
        return nullptr;
    }
    // The file is read a block at a time into the decoder's own buffer.
    std::setvbuf(r.source.file, nullptr, _IONBF, 0);
    r.source.block = static_cast<unsigned char*>(std::malloc(png_block_size));
    if (r.source.block)
        r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r, on_error, on_warning);
    if (r.png) r.info = png_create_info_struct(r.png);
    if (r.png && r.info)
        decode(r);
    else
        say(r, "out of memory", nullptr);
    png_destroy_read_struct(r.png ? &r.png : nullptr, r.info ? &r.info : nullptr, nullptr);
    std::free(r.rows);
    std::free(r.source.block);
    std::fclose(r.source.file);
    if (!r.surface && reason[0] == '\0') say(r, "damaged PNG file", nullptr);
    return r.surface;
}
