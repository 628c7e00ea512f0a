// Test support for the game shell: an asset table of plain coloured pictures
// (each slot its own colour, so a pixel of the screen tells which picture a
// screen showed), dummy music and sound pointers that are only logged, a
// fixture with a headless screen that records what every flip showed, and
// fake levels that report whatever outcome a test scripts.
#pragma once

#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "engine/level_interface.h"
#include "platform/platform_sim.h"
#include "scene_parts.h"
#include "shell/final_screen.h"
#include "shell/level_table.h"
#include "support/asset_table.h"
#include "support/tracked_memory.h"

namespace fake {

// A fake picture's colour: red is its slot, green and blue mark it as a
// picture (the black screen and every other colour read as no slot).
constexpr Uint8 picture_green = 0x5a;
constexpr Uint8 picture_blue = 0xa5;

constexpr int coin_w = 80;
constexpr int coin_h = 24;

// The pictures the shell draws over the whole screen are full size; the coin
// and the digits have their own sizes; the rest are small squares.
inline bool is_full_screen(int slot) {
    constexpr std::array full{slot_titre,     slot_titre1,    slot_keyboard,   slot_programmer,
                              slot_resources, slot_thanks,    slot_sojiro_bye, slot_cleared,
                              slot_end,       slot_try_again, slot_continue1,  slot_continue2,
                              slot_loading,   slot_loading1,  slot_loading2,   slot_practice,
                              slot_easy,      slot_normal,    slot_hard};
    for (int s : full)
        if (s == slot) return true;
    return false;
}

inline SDL_Rect picture_size(int slot) {
    if (is_full_screen(slot)) return {0, 0, 640, 480};
    if (slot == slot_coin) return {0, 0, coin_w, coin_h};
    if (slot >= slot_digit_first && slot < slot_digit_first + 10) return {0, 0, digit_w, digit_h};
    return {0, 0, 4, 4};
}

struct asset_set {
    asset_table table{};
    // Music and sound slots point into this: distinct, non-null, never played.
    std::array<char, asset_slot_count - first_music_slot> audio_tokens{};
};

inline void make_assets(asset_set& set, const SDL_PixelFormat* format) {
    for (int slot = 0; slot < first_music_slot; ++slot) {
        const SDL_Rect size = picture_size(slot);
        SDL_Surface* picture =
            SDL_CreateRGBSurface(SDL_SWSURFACE, size.w, size.h, format->BitsPerPixel, format->Rmask,
                                 format->Gmask, format->Bmask, format->Amask);
        SDL_FillRect(
            picture, nullptr,
            SDL_MapRGB(picture->format, static_cast<Uint8>(slot), picture_green, picture_blue));
        set.table.slots[slot] = picture;
    }
    for (int slot = first_music_slot; slot < asset_slot_count; ++slot)
        set.table.slots[slot] = &set.audio_tokens[slot - first_music_slot];
}

inline void free_assets(asset_set& set) {
    for (int slot = 0; slot < first_music_slot; ++slot)
        SDL_FreeSurface(static_cast<SDL_Surface*>(set.table.slots[slot]));
    set.table = asset_table{};
}

// The slot of the fake picture showing at (x, y), or -1.
inline int slot_at(SDL_Surface* screen, int x, int y) {
    const auto* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
    const Uint32 pixel = reinterpret_cast<const Uint32*>(row)[x];
    Uint8 r, g, b;
    SDL_GetRGB(pixel, screen->format, &r, &g, &b);
    return g == picture_green && b == picture_blue ? r : -1;
}

// The full-screen picture shown: read away from the coin and the digits.
inline int shown_slot(SDL_Surface* screen) { return slot_at(screen, 4, 4); }

// The digits the final screen shows, ten-thousands first (-1 for none).
inline std::vector<int> shown_digits(SDL_Surface* screen) {
    std::vector<int> digits;
    for (int i = 0; i < score_digit_count; ++i) {
        const int slot = slot_at(screen, digit_x(i) + digit_w / 2, digit_y + digit_h / 2);
        digits.push_back(slot >= slot_digit_first && slot < slot_digit_first + 10
                             ? slot - slot_digit_first
                             : -1);
    }
    return digits;
}

// Keys for a screen's pass: a screen flips, then handles the events queued
// by then, so a key that comes right after flip n (counted from 0) is handled
// in the pass that made that flip.
inline void press_after_flip(int flip, SDLKey key) { sim_press_at_frame(flip + 1, key); }
inline void close_after_flip(int flip) { sim_quit_at_frame(flip + 1); }

// Sound log queries.
inline int count_calls(sim_call call, int slot) {
    int n = 0;
    for (const sim_sound_event& e : sim_sound_log())
        if (e.call == call && e.slot == slot) ++n;
    return n;
}
inline std::vector<sim_sound_event> calls_of(sim_call call) {
    std::vector<sim_sound_event> out;
    for (const sim_sound_event& e : sim_sound_log())
        if (e.call == call) out.push_back(e);
    return out;
}

// Consecutive repeats folded: the order in which pictures came on screen.
inline std::vector<int> sequence_of(const std::vector<int>& shown) {
    std::vector<int> out;
    for (int slot : shown)
        if (out.empty() || out.back() != slot) out.push_back(slot);
    return out;
}

// A headless 640x480x32 screen, the fake assets registered with the sound
// log, and every flip recorded. A run that never ends is stopped: past the
// frame limit every frame brings a window close, and the test fails.
struct shell_fixture : ::testing::Test {
    static constexpr int frame_limit = 5000;

    SDL_Surface* screen = nullptr;
    asset_set fakes;
    std::vector<int> shown; // the full-screen slot of every flip
    std::function<void(SDL_Surface*, int)> on_flip;

    const asset_table& assets() const { return fakes.table; }

    void SetUp() override {
        screen = open_fresh_screen();
        ASSERT_NE(screen, nullptr);
        make_assets(fakes, screen->format);
        sim_register_assets(fakes.table.slots.data(), asset_slot_count);
        sim_on_flip([this](SDL_Surface* s, int frame) {
            shown.push_back(shown_slot(s));
            if (on_flip) on_flip(s, frame);
            if (frame == frame_limit) ADD_FAILURE() << "the screens never ended";
            if (frame >= frame_limit) sim_quit_at_frame(frame + 1);
        });
    }

    void TearDown() override {
        sim_reset();
        free_assets(fakes);
        release_all();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

// --- fake levels ---

constexpr int epilogue_number = 7;

struct level_call {
    int level; // 1 to 6, or epilogue_number
    int difficulty;
    int incoming_score;
    int frame_ms;
    int code_on_entry;
};

// What a fake level does: write a code and, when it says so, a score.
struct level_outcome {
    std::int32_t code;
    bool writes_score;
    std::int32_t score;
};
inline level_outcome cleared(int score) { return {result_cleared, true, score}; }
inline level_outcome lost() { return {result_lost, false, 0}; }
inline level_outcome quit() { return {result_quit, false, 0}; }

// Outcomes are taken in call order; once the script runs out every level is
// cleared with 1000 points per level number added to its incoming score.
inline std::vector<level_call> level_calls;
inline std::deque<level_outcome> level_script;

inline void reset_levels() {
    level_calls.clear();
    level_script.clear();
}

// Stand-ins for the records of Levels 1 to 6 and the epilogue: only their
// places tell them apart.
inline const std::array<level_config, epilogue_number> fake_records{};

inline int fake_level_number(const level_config& level) {
    return static_cast<int>(&level - fake_records.data()) + 1;
}

inline void fake_play(const level_config& level, const level_start& start, game_result* result) {
    const int number = fake_level_number(level);
    level_calls.push_back(
        {number, start.difficulty, start.incoming_score, start.frame_ms, result->code});
    level_outcome outcome = cleared(start.incoming_score + 1000 * number);
    if (!level_script.empty()) {
        outcome = level_script.front();
        level_script.pop_front();
    }
    if (outcome.code != result_quit) result->code = outcome.code;
    if (outcome.writes_score) result->score = outcome.score;
}

inline level_table all_levels() {
    level_table table{{}, &fake_records[epilogue_number - 1], fake_play};
    for (int i = 0; i < level_count; ++i) table.levels[i] = &fake_records[i];
    return table;
}

// A game with no level written yet.
inline level_table no_levels() { return {{}, nullptr, fake_play}; }

// The level numbers called, in order.
inline std::vector<int> levels_played() {
    std::vector<int> out;
    for (const level_call& call : level_calls) out.push_back(call.level);
    return out;
}

} // namespace fake
