// The asset generator's own machinery: files come out in the formats and
// with the keys the loader expects, noise tiles, text sets, music encodes to
// its exact length, the same bytes every time.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "audio/audio_dsp.h"
#include "audio/audio_vorbis.h"
#include "core/asset_sink.h"
#include "core/draw.h"
#include "core/text.h"
#include "support/asset_slots.h"

namespace {

struct assetgen_test : ::testing::Test {
    std::filesystem::path dir;
    void SetUp() override {
        dir =
            std::filesystem::temp_directory_path() / ("graze-assetgen-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    static Uint32 rgb_of(SDL_Surface* s, int x, int y) {
        const Uint8* p =
            static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
        Uint32 v = 0;
        for (int i = 0; i < s->format->BytesPerPixel; ++i)
            v |= static_cast<Uint32>(p[i]) << (8 * i);
        Uint8 r, g, b;
        SDL_GetRGB(v, s->format, &r, &g, &b);
        return (r << 16) | (g << 8) | b;
    }
};

TEST_F(assetgen_test, transparent_pixels_become_the_key_and_art_never_does) {
    asset_sink sink = make_sink(dir.string());
    picture ship = make_picture(5, 3);
    put(ship, 1, 1, rgb{0, 0, 255}); // exactly the ship's key colour, but meant to be seen
    put(ship, 2, 1, rgb{200, 10, 10});
    emit_picture(sink, 13, ship); // key pure blue
    SDL_Surface* s = IMG_Load(slot_path(sink, slot_vaisseau1).c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->format->BitsPerPixel, 8); // three colours: palette indices
    EXPECT_EQ(rgb_of(s, 0, 0), 0x0000FFu);
    EXPECT_NE(rgb_of(s, 1, 1), 0x0000FFu);
    EXPECT_EQ(rgb_of(s, 2, 1), 0xC80A0Au);
    SDL_FreeSurface(s);
    EXPECT_EQ(sink.written[13], 1);
}

TEST_F(assetgen_test, a_shared_file_marks_both_slots_and_odd_width_bmps_read_back_exactly) {
    asset_sink sink = make_sink(dir.string());
    picture bolt = make_filled(39, 5, rgb{10, 20, 30}); // 39 px: rows need padding
    put(bolt, 38, 4, rgb{250, 1, 2});
    emit_picture(sink, 27, bolt);
    EXPECT_EQ(sink.written[27], 1);
    EXPECT_EQ(sink.written[29], 1); // the same file
    SDL_Surface* s = SDL_LoadBMP(slot_path(sink, slot_super_coup2).c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 39);
    EXPECT_EQ(rgb_of(s, 0, 0), 0x0A141Eu);
    EXPECT_EQ(rgb_of(s, 38, 4), 0xFA0102u);
    EXPECT_EQ(rgb_of(s, 37, 4), 0x0A141Eu);
    SDL_FreeSurface(s);
}

// A picture as the game gets it: decoded, keyed in its own format, converted
// to a 32-bit screen's format. Its pixels, and which of them are the key.
std::vector<Uint32> as_the_game_sees_it(const std::string& path, const rgb* key) {
    SDL_Surface* loaded = IMG_Load(path.c_str());
    EXPECT_NE(loaded, nullptr);
    if (!loaded) return {};
    if (key)
        SDL_SetColorKey(loaded, SDL_SRCCOLORKEY,
                        SDL_MapRGB(loaded->format, key->r, key->g, key->b));
    SDL_Surface* screen_like =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_Surface* shown = SDL_ConvertSurface(loaded, screen_like->format, SDL_SWSURFACE);
    std::vector<Uint32> out;
    for (int y = 0; y < shown->h; ++y)
        for (int x = 0; x < shown->w; ++x) {
            const Uint32 v = static_cast<Uint32*>(shown->pixels)[y * shown->pitch / 4 + x];
            const bool keyed = (shown->flags & SDL_SRCCOLORKEY) && v == shown->format->colorkey;
            out.push_back(v | (keyed ? 0x80000000u : 0));
        }
    SDL_FreeSurface(shown);
    SDL_FreeSurface(screen_like);
    SDL_FreeSurface(loaded);
    return out;
}

TEST_F(assetgen_test, palette_and_rgb_pictures_decode_to_the_same_pixels_and_key) {
    std::filesystem::create_directories(dir);
    const rgb blue{0, 0, 255};
    struct sample {
        int colours;
        bool key_shown;
    } samples[] = {{1, false},   {3, true},   {3, false},  {255, true},
                   {256, false}, {257, true}, {600, false}};
    for (const sample& c : samples) {
        std::vector<rgb> px(40 * 30);
        for (size_t i = 0; i < px.size(); ++i) {
            const int n = static_cast<int>(i * 7 % static_cast<size_t>(c.colours));
            px[i] =
                rgb{static_cast<std::uint8_t>(n & 0xff), static_cast<std::uint8_t>(n >> 8 | 0x10),
                    static_cast<std::uint8_t>(255 - (n & 0x7f))};
        }
        if (c.key_shown) px[5] = blue;
        const std::string plain = (dir / "plain.png").string(),
                          packed = (dir / "packed.png").string();
        ASSERT_TRUE(write_png_rows(plain, 40, 30, false,
                                   reinterpret_cast<const std::uint8_t*>(px.data()), 6));
        for (const rgb* key : {static_cast<const rgb*>(nullptr), &blue}) {
            ASSERT_TRUE(write_picture_png(packed, 40, 30, px, key));
            EXPECT_EQ(as_the_game_sees_it(packed, key), as_the_game_sees_it(plain, key))
                << c.colours << " colours, key " << (key != nullptr);
        }
    }
}

TEST_F(assetgen_test, noise_tiles_over_its_period) {
    for (double y = 0.25; y < 6; y += 1.3)
        for (double x = 0.5; x < 8; x += 0.7) {
            EXPECT_NEAR(value_noise(x, y, 8, 6, 7), value_noise(x + 8, y + 6, 8, 6, 7), 1e-12);
            const double v = fractal_noise(x, y, 8, 6, 4, 3);
            EXPECT_GE(v, 0.0);
            EXPECT_LT(v, 1.0);
        }
}

TEST_F(assetgen_test, text_is_set_with_a_real_font) {
    ASSERT_TRUE(fonts_available());
    text_style style;
    style.size = 30;
    const int short_width = ink_width(style, "Go");
    const int long_width = ink_width(style, "Graze");
    EXPECT_GT(short_width, 10);
    EXPECT_GT(long_width, short_width);
    EXPECT_GT(ink_height(style, "Graze"), 15);
}

TEST_F(assetgen_test, fonts_come_from_fontconfig_and_no_stand_in_is_taken) {
    const std::string bold = find_font_file("DejaVu Sans", "Bold");
    EXPECT_TRUE(std::filesystem::is_regular_file(bold)) << bold;
    EXPECT_NE(bold, find_font_file("DejaVu Sans", "Book"));
    // fc-match answers a missing family with its nearest font: refused, and
    // the message names the font needed.
    ::testing::internal::CaptureStderr();
    const std::string none = find_font_file("Graze No Such Face", "Bold");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(none, "");
    EXPECT_NE(err.find("needs the font \"Graze No Such Face Bold\""), std::string::npos) << err;
}

TEST_F(assetgen_test, music_encodes_to_its_exact_length_and_the_same_bytes_each_time) {
    const int rate = 44100, frames = rate * 3 / 2 + 17;
    std::vector<float> stereo(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const float v = 0.3f * std::sin(2 * 3.14159265f * 440 * i / rate);
        stereo[2 * i] = v;
        stereo[2 * i + 1] = -v;
    }
    const auto first = encode_vorbis(stereo, rate, 0.2f, "test");
    const auto second = encode_vorbis(stereo, rate, 0.2f, "test");
    EXPECT_EQ(first, second);
    EXPECT_EQ(ogg_last_granule(first), frames);
}

TEST_F(assetgen_test, the_limiter_never_reaches_full_scale) {
    for (float x = -20; x <= 20; x += 0.01f) {
        EXPECT_LT(std::fabs(soft_clip(x)), 1.0f);
        if (std::fabs(x) <= 0.5f) {
            EXPECT_FLOAT_EQ(soft_clip(x), x); // quiet passages pass untouched
        }
    }
}

} // namespace
