// Parts of a scene built by hand, shared by the object and shell tests and
// the scene benchmark: a fresh headless screen, solid pictures, the digit pictures the scene loads
// by file name (written where the slot table says), and enemy and boss set-ups with every field
// named, for a caller to change what its case is about.
#pragma once

#include <SDL/SDL.h>

#include <filesystem>
#include <ostream>

#include "objects/enemy.h"
#include "platform/platform_sim.h"
#include "support/asset_slots.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

struct colour3 {
    int r, g, b;
    bool operator==(const colour3&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const colour3& c) {
    return out << "(" << c.r << "," << c.g << "," << c.b << ")";
}

// The simulated backend cleared, tracked memory released and a 640 x 480
// screen on SDL's video subsystem: null when SDL cannot give one.
inline SDL_Surface* open_fresh_screen() {
    sim_reset();
    release_all();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    return SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
}

inline SDL_Surface* solid_picture(int w, int h, colour3 c) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, c.r, c.g, c.b));
    return s;
}

// The ten digit pictures (20 x 36, digit d in colour_of(d)) at their files'
// places below the folder, which the scene reads as its working folder.
template <typename colour_of_digit>
void write_digit_pictures(const std::filesystem::path& folder, colour_of_digit colour_of) {
    for (int d = 0; d < 10; ++d) {
        const std::filesystem::path file =
            folder / std::filesystem::path(asset_catalogue[slot_digit_first + d].path);
        std::filesystem::create_directories(file.parent_path());
        SDL_Surface* digit = solid_picture(20, 36, colour_of(d));
        SDL_SaveBMP(digit, file.c_str());
        SDL_FreeSurface(digit);
    }
}

// A small enemy with a 16-frame 32 x 32 explosion, on its main path from the
// start, its script run once.
inline enemy_setup enemy_setup_of(SDL_Rect rect, const char* tag, SDL_Surface* picture) {
    return {.rect = rect,
            .hit_points = 10,
            .shot_capacity = 10,
            .picture = picture,
            .colour = 0,
            .explosion_picture = picture,
            .explosion_frames = 16,
            .explosion_frame_ms = 50,
            .spawn_ms = 0,
            .tag = tag,
            .explosion_w = 32,
            .explosion_h = 32,
            .reach_x = 15,
            .reach_y = 15,
            .starts_with_entry = 0,
            .hold_main = 0,
            .final_mode = final_once,
            .score_value = 10};
}

// A boss: 500 shot slots, a 192 x 192 explosion, its main path held and its
// final path repeated.
inline enemy_setup boss_setup_of(SDL_Rect rect, SDL_Surface* picture) {
    enemy_setup boss = enemy_setup_of(rect, "BOSS", picture);
    boss.shot_capacity = 500;
    boss.explosion_w = boss.explosion_h = 192;
    boss.reach_x = boss.reach_y = 100;
    boss.hold_main = 1;
    boss.final_mode = final_repeat;
    boss.score_value = 500;
    return boss;
}
