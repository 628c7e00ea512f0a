// Shared set-up for the object tests: a real 640x480 screen on SDL's dummy
// driver, solid-colour pictures, pixel reads, and a folder holding digit
// pictures of known colours (the scene loads its own copies by file name).
#pragma once

#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/platform_sim.h"
#include "scene_parts.h"
#include "support/tracked_memory.h"

inline colour3 pixel_at(SDL_Surface* s, int x, int y) {
    const Uint32 value =
        *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch + x * 4);
    Uint8 r, g, b;
    SDL_GetRGB(value, s->format, &r, &g, &b);
    return {r, g, b};
}

// Digit d is drawn in the colour (10 + d, 200, 100 + d) so a test can read
// which digit landed where.
inline colour3 digit_colour(int d) { return {10 + d, 200, 100 + d}; }

struct object_test : ::testing::Test {
    SDL_Surface* screen = nullptr;
    std::vector<SDL_Surface*> owned;
    std::filesystem::path old_dir;
    std::filesystem::path work_dir;

    void SetUp() override {
        screen = open_fresh_screen();
        ASSERT_NE(screen, nullptr);
        clear_screen();
        old_dir = std::filesystem::current_path();
        work_dir =
            std::filesystem::temp_directory_path() / ("graze-objects-" + std::to_string(getpid()));
        write_digit_pictures(work_dir, digit_colour);
        std::filesystem::current_path(work_dir);
    }

    void TearDown() override {
        std::filesystem::current_path(old_dir);
        std::filesystem::remove_all(work_dir);
        release_all();
        for (SDL_Surface* s : owned) SDL_FreeSurface(s);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    SDL_Surface* picture(int w, int h, colour3 c) {
        owned.push_back(solid_picture(w, h, c));
        return owned.back();
    }

    void clear_screen() { SDL_FillRect(screen, nullptr, 0); }
};
