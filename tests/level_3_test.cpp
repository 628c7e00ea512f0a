// Level 3 as the simulator plays it from the generated catalogue: the cave
// music with the intro, the boss's walk in and its blocks, clearing the
// level, and the cave animation.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "platform/platform_sim.h"
#include "sim_trace.h"
#include "support/asset_slots.h"

namespace {

struct level_3 : level_sim {};

TEST_F(level_3, the_cave_music_starts_with_the_intro_and_the_boss_holds_fire_while_it_walks_in) {
    const auto trace = parse(play("3", hide_bottom_left, cheat, 8600).trace);
    std::vector<trace_line> stage_music, enemy_fire;
    const trace_line* boss = nullptr;
    for (const trace_line& t : trace) {
        if (t.ev == "sound" && t.channel == 3) enemy_fire.push_back(t);
        if (t.ev == "music" && t.action == "play" && t.slot == level_3_config.stage_music)
            stage_music.push_back(t);
        if (t.ev == "spawn" && t.tag == "BOSS") boss = &t;
    }
    // The cave music starts with the intro, 201 frames before play.
    ASSERT_EQ(stage_music.size(), 1u);
    EXPECT_EQ(stage_music[0].frame, -201);

    // Only the boss fires this late; its first burst comes on its 172nd frame,
    // after the 71-frame walk in and the 100-frame pause.
    ASSERT_NE(boss, nullptr);
    auto first_after = std::find_if(enemy_fire.begin(), enemy_fire.end(),
                                    [&](const trace_line& t) { return t.frame >= boss->frame; });
    ASSERT_NE(first_after, enemy_fire.end());
    EXPECT_EQ(first_after->frame, boss->frame + 171);
    EXPECT_EQ(first_after->slot, slot_sound_shot4);
}

TEST_F(level_3, holding_the_main_gun_under_the_boss_clears_the_level) {
    const sim_outcome outcome = play("3", "0 down g\n", 1000);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.boss_hp, 0);
    int boss_kills = 0;
    for (const trace_line& t : only(parse(outcome.trace), "kill"))
        if (t.tag == "BOSS") {
            boss_kills += 1;
            EXPECT_EQ(t.points, 2500);
        }
    EXPECT_EQ(boss_kills, 1);
}

// Plays Level 3 directly with a watcher on the level and on every flip,
// holding the given keys from the first frame of play.
struct watched_level {
    std::function<void(const level_run&)> started;
    std::function<void(const level_run&)> frame;
    std::function<void(SDL_Surface*)> flipped;
};

game_result play_watched(sim_session& session, int difficulty, const std::vector<SDLKey>& held,
                         int max_frames, watched_level& watch, bool draw) {
    struct context {
        watched_level* watch;
        const std::vector<SDLKey>* held;
        int max_frames;
    } ctx{&watch, &held, max_frames};
    const level_observer observer{[](const level_run& run, void* c) {
                                      auto& x = *static_cast<context*>(c);
                                      const int origin = sim_frame();
                                      for (SDLKey key : *x.held) sim_key_down_at_frame(origin, key);
                                      if (x.max_frames >= 0)
                                          sim_press_at_frame(origin + x.max_frames, SDLK_ESCAPE);
                                      if (x.watch->started) x.watch->started(run);
                                  },
                                  [](const level_run& run, void* c) {
                                      auto& x = *static_cast<context*>(c);
                                      if (x.watch->frame) x.watch->frame(run);
                                  },
                                  [](const level_run&, const game_result&, void*) {}, &ctx};
    std::srand(1);
    sim_reset();
    sim_register_assets(session.assets->slots.data(), asset_slot_count);
    if (watch.flipped) sim_on_flip([&](SDL_Surface* screen, int) { watch.flipped(screen); });
    set_drawing(draw);
    set_level_observer(&observer);
    game_result result{0, 0};
    play_level(level_3_config, {session.screen, difficulty, 0, 13, session.assets}, &result);
    set_level_observer(nullptr);
    sim_on_flip(nullptr);
    set_drawing(true);
    return result;
}

// Whether the surface shows the picture at x over rows [0, rows).
bool shows_at(SDL_Surface* surface, int x, SDL_Surface* picture, int rows) {
    for (int y = 0; y < rows; ++y) {
        const auto* on_screen =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                            y * surface->pitch) +
            x;
        const auto* in_picture = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(picture->pixels) + y * picture->pitch);
        if (!std::equal(in_picture, in_picture + 364, on_screen)) return false;
    }
    return true;
}

TEST_F(level_3, the_cave_turns_a_picture_every_three_frames_in_the_intro_and_every_four_in_play) {
    // Above the ship and before the first bats, nothing covers the cave's top rows.
    constexpr int rows = 280, play_frames = 180;
    auto cave = [&](int n) { return picture_slot(*session.assets, slot_cave_first + n % 30); };
    for (int n = 0; n < 30; ++n) ASSERT_FALSE(shows_at(cave(n + 1), 0, cave(n), rows)) << n;

    std::vector<int> shown; // the cave picture of each flip, -1 for none
    int play_flip = -1, ship_y = -1;
    watched_level watch;
    watch.flipped = [&](SDL_Surface* screen) {
        int found = -1;
        for (int n = 0; n < 30 && found < 0; ++n)
            if (shows_at(screen, 138, cave(n), rows)) found = n;
        shown.push_back(found);
    };
    watch.started = [&](const level_run& run) {
        play_flip = static_cast<int>(shown.size());
        ship_y = run.world->player->rect.y;
    };
    play_watched(session, 3, {}, play_frames, watch, true);

    // The title card, then 201 intro frames, then play with the ship at y 300.
    ASSERT_EQ(play_flip, 202);
    EXPECT_EQ(ship_y, 300);
    EXPECT_EQ(shown[0], -1);
    for (int j = 0; j < 201; ++j) EXPECT_EQ(shown[1 + j], j / 3 % 30) << "intro frame " << j;
    // 201 intro frames are 67 turns, so play starts on picture 7.
    ASSERT_GE(static_cast<int>(shown.size()), play_flip + play_frames);
    for (int f = 0; f < play_frames; ++f)
        EXPECT_EQ(shown[play_flip + f], (7 + f / 4) % 30) << "play frame " << f;
}

// What the boss is doing at the end of a frame.
struct boss_frame {
    int x, y;
    int on_entry, on_final, step_index, step_frame;
    int shots;
    bool intact;
};

TEST_F(level_3, the_boss_walks_in_and_every_block_brings_it_back_where_it_began) {
    std::vector<boss_frame> frames;
    watched_level watch;
    watch.frame = [&](const level_run& run) {
        const enemy* b = run.boss;
        frames.push_back({b->ship->rect.x, b->ship->rect.y, b->on_entry, b->on_final, b->step_index,
                          b->step_frame, b->ship->shot_count, b->ship->explosion_frame == 0});
    };
    const game_result result = play_watched(session, 1000, {SDLK_g}, -1, watch, false);
    EXPECT_EQ(result.code, 1);

    // The boss's first frame is the first it moves on (4 pixels left).
    const auto first =
        std::find_if(frames.begin(), frames.end(), [](const boss_frame& f) { return f.x != 504; });
    ASSERT_NE(first, frames.end());
    const std::size_t spawn = first - frames.begin();
    EXPECT_EQ(frames[spawn].x, 500);
    ASSERT_GT(frames.size(), spawn + 600);
    EXPECT_EQ(frames[spawn + 70].x, 220); // the 71-frame walk in
    EXPECT_EQ(frames[spawn + 70].y, 50);
    for (std::size_t i = spawn; i < spawn + 171; ++i) EXPECT_EQ(frames[i].shots, 0) << i - spawn;
    EXPECT_EQ(frames[spawn + 171].shots, 6); // the first burst

    // Entry (511 frames), each main block (460) and each final block (1170)
    // end at (220, 50): main blocks start at steps 0 and 46, final ones at 0 and 89.
    int main_blocks = 0, final_blocks = 0;
    int main_low_x = 1000, main_high_x = -1000, main_top_y = 1000, final_bottom_y = -1000;
    for (std::size_t i = spawn; i < frames.size(); ++i) {
        const boss_frame& f = frames[i];
        if (!f.intact || f.on_entry) continue;
        if (f.on_final)
            final_bottom_y = std::max(final_bottom_y, f.y);
        else {
            main_low_x = std::min(main_low_x, f.x);
            main_high_x = std::max(main_high_x, f.x);
            main_top_y = std::min(main_top_y, f.y);
        }
        const bool block_start =
            f.step_frame == 0 && (f.on_final ? f.step_index % 89 == 0 : f.step_index % 46 == 0);
        if (!block_start) continue;
        EXPECT_EQ(f.x, 220) << "boss frame " << i - spawn + 1;
        EXPECT_EQ(f.y, 50) << "boss frame " << i - spawn + 1;
        const std::size_t played = i - spawn + 1;
        if (f.on_final) {
            final_blocks += 1;
        } else {
            main_blocks += 1;
            if (main_blocks == 1) {
                EXPECT_EQ(played, 511u); // the end of the entry path
            }
        }
    }
    EXPECT_GE(main_blocks, 2);
    EXPECT_GE(final_blocks, 2); // the final path's start and its second block
    EXPECT_EQ(main_low_x, 40);
    EXPECT_EQ(main_high_x, 400);
    EXPECT_EQ(main_top_y, -10);
    EXPECT_EQ(final_bottom_y, 290);
}

} // namespace
