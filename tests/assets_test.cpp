// The generated catalogue: every file loads, and every size, layout and key
// the game depends on is as the rules need it.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "ogg_length.h"
#include "shell/asset_loader.h"
#include "support/asset_catalogue.h"

namespace {

std::string file_of(int slot) {
    std::string path = asset_catalogue[slot].path;
    if (path.rfind("./", 0) == 0) path = path.substr(2);
    return std::string(GRAZE_ASSET_DIR) + "/" + path;
}

SDL_Surface* load_raw(int slot) { return IMG_Load(file_of(slot).c_str()); }

struct size_rule {
    int first, last, w, h;
};

// Sizes the game's rules depend on (everything else is free).
constexpr size_rule sizes[] = {
    {0, 11, 640, 480},    {13, 16, 37, 32},     {17, 17, 9, 25},       {18, 21, 37, 32},
    {22, 22, 9, 25},      {23, 24, 14, 15},     {25, 30, 16, 16},      {33, 40, 377, 198},
    {41, 50, 20, 36},     {52, 55, 83, 19},     {56, 57, 83, 26},      {58, 60, 640, 480},
    {61, 68, 640, 480},   {70, 70, 640, 480},   {71, 100, 364, 480},   {101, 120, 640, 480},
    {121, 122, 200, 50},  {123, 127, 364, 480}, {128, 128, 416, 30},   {129, 129, 1024, 64},
    {130, 134, 512, 32},  {135, 137, 1024, 64}, {138, 138, 3072, 192}, {139, 144, 8, 8},
    {145, 150, 16, 16},   {151, 154, 92, 124},  {156, 159, 39, 37},    {160, 163, 45, 74},
    {165, 168, 234, 217}, {169, 171, 97, 138},  {172, 176, 124, 37},   {177, 180, 30, 30},
    {181, 183, 157, 120}, {184, 186, 228, 166}, {187, 188, 110, 36},   {189, 190, 48, 39},
    {191, 192, 39, 49},   {193, 194, 48, 39},   {195, 196, 39, 49},    {197, 199, 200, 200},
    {201, 204, 30, 30},   {205, 207, 136, 80},  {208, 209, 30, 24},    {210, 211, 48, 47},
    {212, 214, 314, 344}, {215, 217, 80, 83},   {218, 220, 128, 139},  {221, 223, 225, 239},
    {224, 226, 269, 285}};

// A PNG of few colours is written as palette indices (it decodes faster, to
// the same pixels); every other picture is 24-bit RGB. None has alpha or a
// transparent colour of its own: the slot's key is the only transparency.
TEST(generated_assets,
     every_picture_is_24_bit_or_a_palette_without_alpha_at_the_size_the_game_needs) {
    for (int slot = 0; slot < first_music_slot; ++slot) {
        SDL_Surface* s = load_raw(slot);
        ASSERT_NE(s, nullptr) << file_of(slot) << ": " << IMG_GetError();
        const bool png = asset_catalogue[slot].loader == loader_kind::png;
        EXPECT_TRUE(s->format->BitsPerPixel == 24 || (png && s->format->BitsPerPixel == 8)) << slot;
        EXPECT_EQ(s->format->Amask, 0u) << slot;
        EXPECT_EQ(s->flags & SDL_SRCCOLORKEY, 0u) << slot;
        for (const size_rule& rule : sizes) {
            if (slot < rule.first || slot > rule.last) continue;
            EXPECT_EQ(s->w, rule.w) << "slot " << slot;
            EXPECT_EQ(s->h, rule.h) << "slot " << slot;
        }
        SDL_FreeSurface(s);
    }
}

// A pixel of a 24-bit or palette picture as 0xRRGGBB.
Uint32 rgb_at(SDL_Surface* s, int x, int y) {
    const int bytes = s->format->BytesPerPixel;
    const Uint8* p = static_cast<Uint8*>(s->pixels) + y * s->pitch + x * bytes;
    Uint32 v = bytes == 1 ? p[0] : p[0] | (p[1] << 8) | (p[2] << 16);
    Uint8 r, g, b;
    SDL_GetRGB(v, s->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
}

TEST(generated_assets, hud_frames_open_the_play_field_and_keep_their_sides_opaque) {
    for (int slot : {58, 59, 60}) {
        SDL_Surface* s = load_raw(slot);
        ASSERT_NE(s, nullptr);
        int key_inside = 0, key_outside = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const bool key = rgb_at(s, x, y) == 0xFFFF00;
                if (x >= 138 && x <= 501)
                    key_inside += key;
                else
                    key_outside += key;
            }
        EXPECT_EQ(key_inside, 364 * 480) << slot;
        EXPECT_EQ(key_outside, 0) << slot;
        SDL_FreeSurface(s);
    }
}

TEST(generated_assets, keyed_full_screens_have_no_key_pixel_and_sprites_have_transparency) {
    for (int slot : {61, 62}) { // keyed black although they cover the screen
        SDL_Surface* s = load_raw(slot);
        ASSERT_NE(s, nullptr);
        int black = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) black += rgb_at(s, x, y) == 0;
        EXPECT_EQ(black, 0) << slot;
        SDL_FreeSurface(s);
    }
    for (int slot : {13, 17, 139, 156, 165, 224}) {
        SDL_Surface* s = load_raw(slot);
        ASSERT_NE(s, nullptr);
        const key_colour k = asset_catalogue[slot].key;
        const Uint32 key = (k.r << 16) | (k.g << 8) | k.b;
        int transparent = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x) transparent += rgb_at(s, x, y) == key;
        EXPECT_GT(transparent, 0) << slot;
        EXPECT_LT(transparent, s->w * s->h) << slot;
        SDL_FreeSurface(s);
    }
}

struct wav_facts {
    int format = 0, channels = 0, rate = 0, bits = 0;
    double seconds = 0;
};

wav_facts read_wav(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), {});
    wav_facts f;
    if (d.size() < 44) return f;
    auto u16 = [&](size_t i) { return d[i] | (d[i + 1] << 8); };
    auto u32 = [&](size_t i) { return u16(i) | (u16(i + 2) << 16); };
    f.format = u16(20);
    f.channels = u16(22);
    f.rate = static_cast<int>(u32(24));
    f.bits = u16(34);
    const unsigned data = u32(40);
    if (f.rate > 0 && f.channels > 0) f.seconds = data / 2.0 / f.channels / f.rate;
    return f;
}

TEST(generated_assets, sound_effects_are_16_bit_pcm_at_a_rate_sdl_plays_right_and_fit_their_use) {
    for (int slot = first_chunk_slot; slot < asset_slot_count; ++slot) {
        const wav_facts f = read_wav(file_of(slot));
        EXPECT_EQ(f.format, 1) << slot;
        EXPECT_EQ(f.bits, 16) << slot;
        EXPECT_TRUE(f.rate == 44100 || f.rate == 22050) << slot;
        EXPECT_GT(f.seconds, 0.02) << slot;
    }
    EXPECT_LT(read_wav(file_of(247)).seconds, 1.0);  // the warning ends before the next beep
    EXPECT_LE(read_wav(file_of(242)).seconds, 0.21); // the outro confirm ends before the sting
    EXPECT_LE(read_wav(file_of(238)).seconds, 0.1);  // a volley every 104 ms
}

TEST(generated_assets, stage_tracks_end_as_the_boss_phase_begins_and_the_rest_fit_their_use) {
    auto seconds = [](int slot) { return ogg_length_ms(file_of(slot)) / 1000.0; };
    struct range {
        int slot;
        double low, high;
    };
    const range ranges[] = {{227, 60, 120},      {228, 84, 95},       {229, 108.2, 109.2},
                            {230, 60, 90},       {231, 134.2, 135.2}, {232, 106.6, 107.6},
                            {233, 136.2, 137.2}, {234, 60, 90},       {235, 149.2, 150.2},
                            {236, 90, 120},      {237, 60, 90}};
    for (const range& r : ranges) {
        EXPECT_GE(seconds(r.slot), r.low) << r.slot;
        EXPECT_LE(seconds(r.slot), r.high) << r.slot;
    }
}

TEST(generated_assets, the_whole_catalogue_loads_into_the_display_format) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0);
    ASSERT_NE(SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE), nullptr);
    const bool audio = Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) >= 0;
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(GRAZE_ASSET_DIR);
    asset_table* assets = load_assets(audio);
    std::filesystem::current_path(old);
    ASSERT_NE(assets, nullptr);
    for (int slot = 0; slot < first_music_slot; ++slot) {
        SDL_Surface* s = picture_slot(*assets, slot);
        ASSERT_NE(s, nullptr) << slot;
        EXPECT_EQ(s->format->BitsPerPixel, 32) << slot;
        EXPECT_EQ((s->flags & SDL_SRCCOLORKEY) != 0, asset_catalogue[slot].key.keyed) << slot;
    }
    EXPECT_NE(assets->slots[27], assets->slots[29]); // one file, two surfaces
    for (int slot = first_music_slot; audio && slot < asset_slot_count; ++slot)
        EXPECT_NE(assets->slots[slot], nullptr) << slot;
    free_assets(assets);
    if (audio) Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
}

// The loader decodes on several threads and copies 24-bit pictures into the
// display format itself: every picture must be exactly SDL's own conversion of
// the file, keyed with its slot's colour, pixel for pixel and key for key.
TEST(generated_assets, the_loaders_pictures_are_sdls_display_format_conversion_exactly) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE), nullptr);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(GRAZE_ASSET_DIR);
    set_run_length_keys(false); // the pixels stay readable
    asset_table* assets = load_assets(false);
    set_run_length_keys(true);
    std::filesystem::current_path(old);
    ASSERT_NE(assets, nullptr);
    for (int slot = 0; slot < first_music_slot; ++slot) {
        const catalogue_entry& entry = asset_catalogue[slot];
        SDL_Surface* raw = load_raw(slot);
        ASSERT_NE(raw, nullptr) << slot;
        if (entry.key.keyed)
            SDL_SetColorKey(raw, SDL_SRCCOLORKEY,
                            SDL_MapRGB(raw->format, entry.key.r, entry.key.g, entry.key.b));
        SDL_Surface* expected = SDL_DisplayFormat(raw);
        SDL_FreeSurface(raw);
        const SDL_Surface* loaded = picture_slot(*assets, slot);
        ASSERT_EQ(loaded->w, expected->w) << slot;
        ASSERT_EQ(loaded->h, expected->h) << slot;
        const SDL_PixelFormat& a = *loaded->format;
        const SDL_PixelFormat& b = *expected->format;
        EXPECT_TRUE(a.BitsPerPixel == b.BitsPerPixel && a.Rmask == b.Rmask && a.Gmask == b.Gmask &&
                    a.Bmask == b.Bmask && a.Amask == b.Amask && a.alpha == b.alpha &&
                    a.palette == nullptr && b.palette == nullptr)
            << slot;
        EXPECT_EQ(loaded->flags & SDL_SRCCOLORKEY, expected->flags & SDL_SRCCOLORKEY) << slot;
        EXPECT_EQ(loaded->format->colorkey, expected->format->colorkey) << slot;
        int rows_differing = 0;
        for (int y = 0; y < loaded->h; ++y)
            rows_differing +=
                std::memcmp(static_cast<const Uint8*>(loaded->pixels) + y * loaded->pitch,
                            static_cast<const Uint8*>(expected->pixels) + y * expected->pitch,
                            static_cast<std::size_t>(loaded->w) * 4) != 0;
        EXPECT_EQ(rows_differing, 0) << slot;
        SDL_FreeSurface(expected);
    }
    free_assets(assets);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST(generated_assets, a_missing_file_is_reported_and_nothing_is_kept) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    ASSERT_NE(SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE), nullptr);
    const auto old = std::filesystem::current_path();
    const auto empty = std::filesystem::temp_directory_path() / "graze-no-assets";
    std::filesystem::create_directories(empty);
    std::filesystem::current_path(empty);
    testing::internal::CaptureStderr();
    asset_table* assets = load_assets(false);
    const std::string said = testing::internal::GetCapturedStderr();
    std::filesystem::current_path(old);
    EXPECT_EQ(assets, nullptr);
    EXPECT_NE(said.find("./Images/Titre.png"), std::string::npos) << said;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

} // namespace
