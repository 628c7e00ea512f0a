// Test support: PNG files of every form the format allows, written by libpng
// in memory (colour type, bit depth, interlacing, transparency, gamma, size),
// their rows cycling through the five filter types and their samples a
// pattern with noise in it, so the deflate stream holds both matches and
// literals. A palette can be shorter than its bit depth allows, and one pixel
// can be given an index beyond it (a damaged picture).
#pragma once

#include <SDL/SDL.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// The shapes a tRNS chunk takes: for a palette, every one; for grey and RGB
// pictures only none and one_transparent (their one transparent colour).
enum class png_trns { none, one_transparent, all_opaque, translucent, shorter_than_palette };

struct png_form {
    int colour;
    int depth;
    bool interlaced = false;
    png_trns trns = png_trns::none;
    bool gamma = false;
    int width = 7;
    int height = 5;
    int palette_size = 0; // 0: as many colours as the depth can index
    int stray_index = -1; // an index written into one pixel, beyond a short palette
    int compression = 1;
};

inline const char* png_colour_name(int colour) {
    switch (colour) {
    case PNG_COLOR_TYPE_GRAY: return "grey";
    case PNG_COLOR_TYPE_GRAY_ALPHA: return "grey+alpha";
    case PNG_COLOR_TYPE_RGB: return "RGB";
    case PNG_COLOR_TYPE_RGB_ALPHA: return "RGBA";
    default: return "palette";
    }
}

inline const char* png_trns_name(png_trns trns) {
    switch (trns) {
    case png_trns::none: return "no tRNS";
    case png_trns::one_transparent: return "tRNS one transparent";
    case png_trns::all_opaque: return "tRNS all opaque";
    case png_trns::translucent: return "tRNS translucent";
    default: return "tRNS shorter than the palette";
    }
}

inline std::string png_form_name(const png_form& form) {
    char name[160];
    std::snprintf(name, sizeof name, "%s %d-bit, %s, %s, %s, %dx%d%s", png_colour_name(form.colour),
                  form.depth, form.interlaced ? "Adam7" : "not interlaced",
                  png_trns_name(form.trns), form.gamma ? "gAMA" : "no gAMA", form.width,
                  form.height, form.stray_index >= 0 ? ", index beyond the palette" : "");
    return name;
}

inline int png_form_palette_size(const png_form& form) {
    if (form.colour != PNG_COLOR_TYPE_PALETTE) return 0;
    return form.palette_size > 0 ? form.palette_size : 1 << form.depth;
}

inline int png_form_channels(int colour) {
    switch (colour) {
    case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
    case PNG_COLOR_TYPE_RGB: return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA: return 4;
    default: return 1;
    }
}

// A sample: a slope across the picture, and noise in one square of three.
inline unsigned png_form_sample(int x, int y, int channel) {
    unsigned noise = static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u ^
                     static_cast<unsigned>(channel) * 83492791u;
    noise = (noise ^ noise >> 13) * 0x5bd1e995u;
    const bool noisy = (x / 8 + y / 8) % 3 == 0;
    return static_cast<unsigned>((x * 7 + y * 3) / 4 + channel * 60) + (noisy ? noise >> 20 : 0);
}

// The file's rows, packed as the depth packs them.
inline std::vector<png_byte> png_form_rows(const png_form& form, std::size_t row_bytes) {
    const int channels = png_form_channels(form.colour);
    const int entries = png_form_palette_size(form);
    std::vector<png_byte> rows(row_bytes * static_cast<std::size_t>(form.height), 0);
    for (int y = 0; y < form.height; ++y) {
        png_byte* row = rows.data() + row_bytes * static_cast<std::size_t>(y);
        for (int x = 0; x < form.width; ++x) {
            for (int c = 0; c < channels; ++c) {
                unsigned sample = png_form_sample(x, y, c);
                if (entries) sample %= static_cast<unsigned>(entries);
                if (form.stray_index >= 0 && x == form.width / 2 && y == form.height / 2)
                    sample = static_cast<unsigned>(form.stray_index);
                const std::size_t at = static_cast<std::size_t>(x * channels + c);
                if (form.depth == 16) {
                    row[at * 2] = static_cast<png_byte>(sample >> 3);
                    row[at * 2 + 1] = static_cast<png_byte>(sample);
                } else if (form.depth == 8) {
                    row[at] = static_cast<png_byte>(sample);
                } else {
                    const std::size_t bit = at * static_cast<std::size_t>(form.depth);
                    const unsigned mask = (1u << form.depth) - 1;
                    const int shift = 8 - form.depth - static_cast<int>(bit % 8);
                    row[bit / 8] = static_cast<png_byte>(row[bit / 8] | (sample & mask) << shift);
                }
            }
        }
    }
    return rows;
}

inline void png_form_transparency(png_structp png, png_infop info, const png_form& form) {
    if (form.trns == png_trns::none) return;
    const int entries = png_form_palette_size(form);
    if (!entries) {
        // A grey or RGB picture's one transparent colour (16-bit wide).
        const png_uint_16 top = static_cast<png_uint_16>((1u << form.depth) - 1);
        png_color_16 key{
            0, static_cast<png_uint_16>(0x1234 & top), static_cast<png_uint_16>(0x0567 & top),
            static_cast<png_uint_16>(0x89ab & top), static_cast<png_uint_16>(0x0203 & top)};
        png_set_tRNS(png, info, nullptr, 0, &key);
        return;
    }
    std::vector<png_byte> alpha(static_cast<std::size_t>(entries), 255);
    int count = entries;
    switch (form.trns) {
    case png_trns::one_transparent: alpha[static_cast<std::size_t>(entries / 2)] = 0; break;
    case png_trns::translucent:
        for (int i = 0; i < entries; ++i)
            alpha[static_cast<std::size_t>(i)] = static_cast<png_byte>(i * 97);
        break;
    case png_trns::shorter_than_palette:
        count = entries > 1 ? entries / 2 : 1;
        alpha[static_cast<std::size_t>(count - 1)] = 0;
        break;
    default: break;
    }
    png_set_tRNS(png, info, alpha.data(), count, nullptr);
}

inline void png_form_append(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<png_byte>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

inline void png_form_flush(png_structp) {}

// The file's bytes, or none if libpng refused to write the form.
inline std::vector<png_byte> png_form_bytes(const png_form& form) {
    std::vector<png_byte> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, png_form_append, png_form_flush);
    png_set_compression_level(png, form.compression);
    // A stray index is written as it is, not refused.
    png_set_check_for_invalid_index(png, 0);
    png_set_IHDR(png, info, static_cast<png_uint_32>(form.width),
                 static_cast<png_uint_32>(form.height), form.depth, form.colour,
                 form.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int entries = png_form_palette_size(form);
    std::vector<png_color> palette(static_cast<std::size_t>(entries));
    for (int i = 0; i < entries; ++i)
        palette[static_cast<std::size_t>(i)] = {static_cast<png_byte>(i * 37),
                                                static_cast<png_byte>(255 - i * 11),
                                                static_cast<png_byte>(i * 5 + 3)};
    if (entries) png_set_PLTE(png, info, palette.data(), entries);
    png_form_transparency(png, info, form);
    if (form.gamma) png_set_gAMA_fixed(png, info, 45455);
    png_write_info(png, info);
    const std::size_t row_bytes = png_get_rowbytes(png, info);
    const std::vector<png_byte> rows = png_form_rows(form, row_bytes);
    const int passes = png_set_interlace_handling(png);
    // libpng takes up every filter only if it may choose among them all for
    // the first row.
    constexpr int filters[] = {PNG_ALL_FILTERS, PNG_FILTER_SUB,   PNG_FILTER_UP,
                               PNG_FILTER_AVG,  PNG_FILTER_PAETH, PNG_FILTER_NONE};
    for (int pass = 0, row = 0; pass < passes; ++pass) {
        for (int y = 0; y < form.height; ++y, ++row) {
            png_set_filter(png, PNG_FILTER_TYPE_BASE, filters[row < 6 ? row : 1 + row % 5]);
            png_write_row(png, rows.data() + row_bytes * static_cast<std::size_t>(y));
        }
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

inline bool write_png_form_file(const std::string& path, const std::vector<png_byte>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// The first way two decoded surfaces differ (pixel format, palette, colour
// key, the pixel bytes of each row, its padding aside), or "".
inline std::string png_surface_difference(const SDL_Surface* first, const SDL_Surface* second) {
    if (!first || !second)
        return first ? "only the first decoded it" : "only the second decoded it";
    if (first->w != second->w || first->h != second->h) return "size";
    const SDL_PixelFormat* a = first->format;
    const SDL_PixelFormat* b = second->format;
    if (a->BitsPerPixel != b->BitsPerPixel || a->BytesPerPixel != b->BytesPerPixel)
        return "bits per pixel " + std::to_string(a->BitsPerPixel) + " against " +
               std::to_string(b->BitsPerPixel);
    if (a->Rmask != b->Rmask || a->Gmask != b->Gmask || a->Bmask != b->Bmask ||
        a->Amask != b->Amask)
        return "colour masks";
    if ((first->flags & SDL_SRCCOLORKEY) != (second->flags & SDL_SRCCOLORKEY))
        return "colour key set on one only";
    if ((second->flags & SDL_SRCCOLORKEY) && a->colorkey != b->colorkey)
        return "colour key " + std::to_string(a->colorkey) + " against " +
               std::to_string(b->colorkey);
    if ((a->palette != nullptr) != (b->palette != nullptr)) return "palette on one only";
    if (b->palette) {
        if (a->palette->ncolors != b->palette->ncolors)
            return "palette of " + std::to_string(a->palette->ncolors) + " colfirst against " +
                   std::to_string(b->palette->ncolors);
        for (int i = 0; i < b->palette->ncolors; ++i) {
            const SDL_Color& p = a->palette->colors[i];
            const SDL_Color& q = b->palette->colors[i];
            if (p.r != q.r || p.g != q.g || p.b != q.b)
                return "palette colour " + std::to_string(i);
        }
    }
    const std::size_t row = static_cast<std::size_t>(first->w) * a->BytesPerPixel;
    for (int y = 0; y < first->h; ++y) {
        const auto* p = static_cast<const Uint8*>(first->pixels) + y * first->pitch;
        const auto* q = static_cast<const Uint8*>(second->pixels) + y * second->pitch;
        if (std::memcmp(p, q, row) != 0) return "pixels of row " + std::to_string(y);
    }
    return "";
}
