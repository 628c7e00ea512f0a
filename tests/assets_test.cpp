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
    {slot_titre, slot_try_again, 640, 480},
    {slot_vaisseau1, slot_vaisseau_droite, 37, 32},
    {slot_vaisseau_tir1, slot_vaisseau_tir1, 9, 25},
    {slot_vaisseau1a, slot_vaisseau_droitea, 37, 32},
    {slot_vaisseau_tir2, slot_vaisseau_tir2, 9, 25},
    {slot_vaisseau_tir1a, slot_vaisseau_tir2a, 14, 15},
    {slot_super_coup1, slot_super_coup3a, 16, 16},
    {slot_barre, slot_barre_vert1, 377, 198},
    {slot_digit_first, slot_named("digit_9"), 20, 36},
    {slot_barre_boss_vide, slot_barre_boss_pleine1, 83, 19},
    {slot_boss_picture, slot_boss_picture1, 83, 26},
    {slot_contour1, slot_contour3, 640, 480},
    {slot_continue1, slot_forest, 640, 480},
    {slot_forest_vieux, slot_forest_vieux, 640, 480},
    {slot_cave_first, slot_named("cave_30"), 364, 480},
    {slot_lave, slot_hard, 640, 480},
    {slot_warning, slot_game_over, 200, 50},
    {slot_score, slot_named("score_opening_4"), 364, 480},
    {slot_explosion_vaisseau, slot_explosion_vaisseau, 416, 30},
    {slot_explosion1, slot_explosion1, 1024, 64},
    {slot_explosion2, slot_explosion6, 512, 32},
    {slot_explosion7, slot_explosion9, 1024, 64},
    {slot_explosion_boss1, slot_explosion_boss1, 3072, 192},
    {slot_tir0_bleu_ennemi, slot_tir0a_vert_ennemi, 8, 8},
    {slot_tir1_bleu_ennemi, slot_tir1a_vert_ennemi, 16, 16},
    {slot_avion_duo1, slot_avion_duo2_flash, 92, 124},
    {slot_fantominus, slot_fantominusb1, 39, 37},
    {slot_fee1, slot_fee2_flash, 45, 74},
    {slot_boss_plane, slot_boss_plane1_flash, 234, 217},
    {slot_sojiro1, slot_sojiro_flash, 97, 138},
    {slot_forest_plane1, slot_forest_plane1b, 124, 37},
    {slot_forest_roue1, slot_forest_roue1b, 30, 30},
    {slot_forest_pince1, slot_forest_pince_flash, 157, 120},
    {slot_forest_boss1, slot_forest_boss1b, 228, 166},
    {slot_grotte_chauve1, slot_grotte_chauve2, 110, 36},
    {slot_grotte_scarab, slot_grotte_scarah, 48, 39},
    {slot_grotte_scarag, slot_grotte_scarad, 39, 49},
    {slot_grotte_scarab1, slot_grotte_scarah1, 48, 39},
    {slot_grotte_scarag1, slot_grotte_scarad1, 39, 49},
    {slot_grotte_boss1, slot_grotte_boss1_flash, 200, 200},
    {slot_lave_boule1, slot_lave_boule_flash, 30, 30},
    {slot_lave_etoile1, slot_lave_etoile_flash, 136, 80},
    {slot_lave_fleche1, slot_lave_fleche2, 30, 24},
    {slot_lave_bidule1, slot_lave_bidule2, 48, 47},
    {slot_lave_boss1, slot_lave_boss_flash, 314, 344},
    {slot_enterprise_ange1, slot_enterprise_ange_flash, 80, 83},
    {slot_enterprise_coucou1, slot_enterprise_coucou_flash, 128, 139},
    {slot_enterprise_boss1, slot_enterprise_boss_flash, 225, 239},
    {slot_last_boss1, slot_last_boss_flash, 269, 285},
};

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
    // One file read for two slots: two surfaces.
    EXPECT_NE(assets->slots[slot_super_coup2], assets->slots[slot_super_coup2_copy]);
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
