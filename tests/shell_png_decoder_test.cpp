// The game's PNG decoder against SDL_image 1.2's: every colour type and bit
// depth PNG allows, with and without transparency, plain and interlaced, give
// the same surface (layout, colour key, palette, pixels), so pictures look
// exactly as they did when SDL_image read them.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "shell/png_decoder.h"

namespace {

namespace fs = std::filesystem;

struct png_kind {
    const char* name;
    int colour;
    int depth;
    int transparency; // 0 none, 1 one transparent entry or colour, 2 translucent entries
    bool interlaced;
};

// A 7x5 picture of that kind, its samples a pattern over the whole range.
bool write_png(const std::string& path, const png_kind& kind) {
    constexpr int w = 7, h = 5;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, w, h, kind.depth, kind.colour,
                 kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int entries = kind.colour == PNG_COLOR_TYPE_PALETTE ? 1 << kind.depth : 0;
    std::vector<png_color> palette(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i)
        palette[static_cast<size_t>(i)] = {static_cast<png_byte>(i * 37),
                                           static_cast<png_byte>(255 - i * 11),
                                           static_cast<png_byte>(i * 5 + 3)};
    if (entries) png_set_PLTE(png, info, palette.data(), entries);
    png_byte alpha[3] = {255, 0, 255};
    if (kind.transparency == 2) alpha[0] = 128, alpha[2] = 0;
    png_color_16 key{0, 1, 2, 3, 4};
    if (kind.transparency) {
        if (entries)
            png_set_tRNS(png, info, alpha, std::min(entries, 3), nullptr);
        else
            png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    const size_t row_bytes = png_get_rowbytes(png, info);
    std::vector<png_byte> image(row_bytes * h);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<png_byte>(i * 29 + i / 7);
    std::vector<png_bytep> rows(h);
    for (int y = 0; y < h; ++y) rows[static_cast<size_t>(y)] = image.data() + row_bytes * y;
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

void expect_same_surface(const SDL_Surface* ours, const SDL_Surface* theirs) {
    ASSERT_NE(ours, nullptr);
    ASSERT_NE(theirs, nullptr);
    EXPECT_EQ(ours->w, theirs->w);
    EXPECT_EQ(ours->h, theirs->h);
    const SDL_PixelFormat* a = ours->format;
    const SDL_PixelFormat* b = theirs->format;
    EXPECT_EQ(a->BitsPerPixel, b->BitsPerPixel);
    EXPECT_EQ(a->Rmask, b->Rmask);
    EXPECT_EQ(a->Gmask, b->Gmask);
    EXPECT_EQ(a->Bmask, b->Bmask);
    EXPECT_EQ(a->Amask, b->Amask);
    EXPECT_EQ(ours->flags & SDL_SRCCOLORKEY, theirs->flags & SDL_SRCCOLORKEY);
    if (theirs->flags & SDL_SRCCOLORKEY) {
        EXPECT_EQ(a->colorkey, b->colorkey);
    }
    ASSERT_EQ(a->palette != nullptr, b->palette != nullptr);
    if (b->palette) {
        ASSERT_EQ(a->palette->ncolors, b->palette->ncolors);
        for (int i = 0; i < b->palette->ncolors; ++i) {
            EXPECT_EQ(a->palette->colors[i].r, b->palette->colors[i].r) << i;
            EXPECT_EQ(a->palette->colors[i].g, b->palette->colors[i].g) << i;
            EXPECT_EQ(a->palette->colors[i].b, b->palette->colors[i].b) << i;
        }
    }
    if (a->BitsPerPixel != b->BitsPerPixel || ours->w != theirs->w || ours->h != theirs->h) return;
    const int row = ours->w * a->BytesPerPixel;
    for (int y = 0; y < ours->h; ++y) {
        const auto* p = static_cast<const Uint8*>(ours->pixels) + y * ours->pitch;
        const auto* q = static_cast<const Uint8*>(theirs->pixels) + y * theirs->pitch;
        EXPECT_EQ(std::vector<Uint8>(p, p + row), std::vector<Uint8>(q, q + row)) << "row " << y;
    }
}

TEST(png_decoder, makes_the_surface_sdl_image_makes_of_every_kind_of_png) {
    const png_kind kinds[] = {
        {"grey 1", PNG_COLOR_TYPE_GRAY, 1, 0, false},
        {"grey 2", PNG_COLOR_TYPE_GRAY, 2, 0, false},
        {"grey 4", PNG_COLOR_TYPE_GRAY, 4, 0, false},
        {"grey 8", PNG_COLOR_TYPE_GRAY, 8, 0, false},
        {"grey 16", PNG_COLOR_TYPE_GRAY, 16, 0, false},
        {"grey 8, a transparent grey", PNG_COLOR_TYPE_GRAY, 8, 1, false},
        {"grey and alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8, 0, false},
        {"grey and alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16, 0, false},
        {"RGB 8", PNG_COLOR_TYPE_RGB, 8, 0, false},
        {"RGB 16", PNG_COLOR_TYPE_RGB, 16, 0, false},
        {"RGB 8, a transparent colour", PNG_COLOR_TYPE_RGB, 8, 1, false},
        {"RGB 8, interlaced", PNG_COLOR_TYPE_RGB, 8, 0, true},
        {"RGBA 8", PNG_COLOR_TYPE_RGB_ALPHA, 8, 0, false},
        {"RGBA 16", PNG_COLOR_TYPE_RGB_ALPHA, 16, 0, false},
        {"palette 1", PNG_COLOR_TYPE_PALETTE, 1, 0, false},
        {"palette 2", PNG_COLOR_TYPE_PALETTE, 2, 0, false},
        {"palette 4", PNG_COLOR_TYPE_PALETTE, 4, 0, false},
        {"palette 8", PNG_COLOR_TYPE_PALETTE, 8, 0, false},
        {"palette 8, one transparent entry", PNG_COLOR_TYPE_PALETTE, 8, 1, false},
        {"palette 8, translucent entries", PNG_COLOR_TYPE_PALETTE, 8, 2, false},
        {"palette 4, interlaced", PNG_COLOR_TYPE_PALETTE, 4, 0, true},
    };
    const std::string path =
        (fs::temp_directory_path() / ("graze_png_kind_" + std::to_string(::getpid()) + ".png"))
            .string();
    for (const png_kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        ASSERT_TRUE(write_png(path, kind));
        char reason[256] = "";
        SDL_Surface* ours = decode_png_file(path.c_str(), reason, sizeof reason);
        EXPECT_NE(ours, nullptr) << reason;
        SDL_Surface* theirs = IMG_Load(path.c_str());
        expect_same_surface(ours, theirs);
        SDL_FreeSurface(ours);
        SDL_FreeSurface(theirs);
    }
    fs::remove(path);
}

} // namespace
