// The per-frame pass on a busy scene: a few hundred enemies on the field, a
// boss with its 500 shot slots full and 50 player shots, with drawing to the
// real 640x480 screen and with drawing clipped away (a 1x1 target), plus the
// memory a boss firing at full rate for one simulated hour leaves behind.
#include <benchmark/benchmark.h>

#include <SDL/SDL.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "objects/hud.h"
#include "objects/scene.h"
#include "platform/platform.h"
#include "platform/platform_sim.h"
#include "scene_parts.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

namespace {

// A keyed solid picture, as the game's sprites are.
SDL_Surface* solid(int w, int h, Uint8 r, Uint8 g, Uint8 b) {
    SDL_Surface* s = solid_picture(w, h, {r, g, b});
    SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0);
    return s;
}

// Digit pictures in a scratch folder: the scene loads its own copies by name.
void enter_digit_folder() {
    static bool done = false;
    if (done) return;
    done = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    const auto dir =
        std::filesystem::temp_directory_path() / ("graze-bench-" + std::to_string(getpid()));
    write_digit_pictures(dir, [](int) { return colour3{200, 200, 200}; });
    std::filesystem::current_path(dir);
}

struct busy_world {
    scene* world;
    SDL_Surface* hud;
};

busy_world build_busy_scene(int enemy_count) {
    SDL_Surface* enemy_picture = solid(40, 40, 0, 0, 150);
    SDL_Surface* bullet_picture = solid(8, 8, 255, 0, 0);
    SDL_Surface* player_shot = solid(9, 25, 255, 255, 0);
    ship* player = new_ship(make_rect(320, 440, 37, 32), 3, 50, solid(37, 32, 0, 200, 200), 0,
                            solid(416, 30, 255, 128, 0), 13, 100, 3, 3);
    scene* world = new_scene(player, 1000, platform_ticks(), solid(377, 198, 90, 90, 90),
                             solid(377, 198, 120, 120, 120), solid(40, 20, 10, 10, 10),
                             solid(18, 22, 255, 255, 255), solid(18, 22, 128, 128, 128));
    // Enemies stand still in the top half, each with ten bullets parked
    // beside it; the bullets stay in the play field and never reach the player.
    shot* parked = new_shot(make_rect(0, 44, 8, 8), bullet_picture, shot_main, 0, 0);
    move_step* stand = new_step(0, 0, 0);
    for (int i = 0; i < enemy_count; ++i) {
        const int x = 140 + (i * 37) % 320, y = 10 + (i * 53) % 200;
        enemy_setup standing = enemy_setup_of(make_rect(x, y, 40, 40), "DIABLE", enemy_picture);
        standing.hit_points = 1 << 30;
        enemy* e = new_enemy(standing);
        add_step(e, stand, main_path);
        for (int k = 0; k < 10; ++k) fire_template(e->ship, parked);
        queue_enemy(world, e);
    }
    enemy_setup boss_setup = boss_setup_of(make_rect(200, 20, 234, 217), enemy_picture);
    boss_setup.hit_points = 1 << 30;
    enemy* boss = new_enemy(boss_setup);
    add_step(boss, stand, main_path);
    for (int k = 0; k < 500; ++k) {
        shot* spot = new_shot(make_rect((k * 7) % 300 - 60, 240 + (k * 13) % 100 - 20, 8, 8),
                              bullet_picture, shot_main, 0, 0);
        fire_template(boss->ship, spot);
    }
    queue_enemy(world, boss);
    // Player shots parked below the enemies, where they hit nothing.
    for (int k = 0; k < 50; ++k) {
        shot* spot = new_shot(make_rect((k * 6) % 300 - 170, -100 + (k % 5) * 10, 9, 25),
                              player_shot, shot_main, 0, 0);
        fire_template(player, spot);
    }
    return {world, solid(640, 480, 255, 255, 0)};
}

void run_busy_frames(benchmark::State& state, bool draw) {
    enter_digit_folder();
    sim_reset();
    SDL_Surface* screen = SDL_GetVideoSurface();
    SDL_Surface* nowhere = solid(1, 1, 0, 0, 0);
    busy_world busy = build_busy_scene(static_cast<int>(state.range(0)));
    const SDL_Rect hud_rect = make_rect(0, 0, 640, 480);
    update_scene(busy.world, busy.hud, hud_rect, screen); // everything spawns
    for (auto _ : state) {
        busy.world->player->invulnerable = 0;
        update_scene(busy.world, busy.hud, hud_rect, draw ? screen : nowhere);
        platform_delay(13);
    }
    state.counters["enemies"] = busy.world->live_count;
    free_scene(busy.world);
    release_all();
    SDL_FreeSurface(nowhere);
}

void update_scene_busy_drawn(benchmark::State& state) { run_busy_frames(state, true); }
void update_scene_busy_logic(benchmark::State& state) { run_busy_frames(state, false); }
BENCHMARK(update_scene_busy_drawn)->Arg(300)->Unit(benchmark::kMicrosecond);
BENCHMARK(update_scene_busy_logic)->Arg(300)->Unit(benchmark::kMicrosecond);

// A boss firing ten bullets every other frame for an hour of play (77 frames
// a second): tracked memory must stay where the first seconds left it.
void boss_hour_memory(benchmark::State& state) {
    enter_digit_folder();
    for (auto _ : state) {
        sim_reset();
        release_all();
        SDL_Surface* nowhere = solid(1, 1, 0, 0, 0);
        SDL_Surface* bullet = solid(8, 8, 255, 0, 0);
        ship* player =
            new_ship(make_rect(320, 440, 37, 32), 3, 50, bullet, 0, bullet, 13, 100, 3, 3);
        scene* world =
            new_scene(player, 1000, platform_ticks(), bullet, bullet, bullet, bullet, bullet);
        shot* volley[10];
        for (int k = 0; k < 10; ++k)
            volley[k] = new_shot_accel(make_rect(100, 200, 8, 8), bullet, bullet, shot_main, k - 5,
                                       4, 1.0, 1.02);
        enemy_setup boss_setup = boss_setup_of(make_rect(200, 20, 234, 217), bullet);
        boss_setup.hit_points = 1 << 30;
        enemy* boss = new_enemy(boss_setup);
        add_step(boss, new_firing_step(0, 0, 2, std::span<shot* const>(volley, 10)), main_path);
        queue_enemy(world, boss);
        shot* gun = new_shot(make_rect(18, -20, 9, 25), bullet, shot_main, 0, -12);
        const SDL_Rect hud_rect = make_rect(0, 0, 1, 1);
        constexpr int frames_per_minute = 77 * 60;
        size_t after_first_minute = 0;
        for (int frame = 0; frame < frames_per_minute * 60; ++frame) {
            if (frame % 8 == 0) fire_template(player, gun);
            player->invulnerable = 1000; // the player survives the hour
            update_scene(world, nowhere, hud_rect, nowhere);
            platform_delay(13);
            if (frame == frames_per_minute) after_first_minute = tracked_bytes();
        }
        state.counters["tracked_bytes_after_1_min"] = static_cast<double>(after_first_minute);
        state.counters["tracked_bytes_after_1_hour"] = static_cast<double>(tracked_bytes());
        state.counters["boss_shots_in_flight"] = boss->ship->shot_count;
        free_scene(world);
        release_all();
        SDL_FreeSurface(bullet);
        SDL_FreeSurface(nowhere);
    }
}
BENCHMARK(boss_hour_memory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
