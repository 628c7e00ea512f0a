// Level 5 as the simulator plays it from the generated catalogue: the boss's
// passes, the angels' shot slots that run out, and the balls' hit points.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "input_script.h"
#include "level_timeline.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "platform/platform_sim.h"
#include "sim_trace.h"

namespace {

struct level_5 : level_sim {};

// Plays Level 5 under the simulator with a watcher called after every frame
// of play, for what the trace does not show (the boss's place, shot slots).
struct frame_watch {
    std::function<void(const level_run&, int frame)> on_frame;
    std::string keys;
    int origin = 0;
    bool stop = false;
};

void watch_started(const level_run&, void* context) {
    auto& w = *static_cast<frame_watch*>(context);
    w.origin = sim_frame();
    std::vector<script_event> events;
    std::string error;
    EXPECT_TRUE(parse_input_script(w.keys, events, error)) << error;
    for (const script_event& e : events)
        if (e.action == script_action::down) sim_key_down_at_frame(w.origin + e.frame, e.key);
}

void watch_frame(const level_run& run, void* context) {
    auto& w = *static_cast<frame_watch*>(context);
    const int frame = sim_frame() - w.origin;
    w.on_frame(run, frame);
    if (w.stop) {
        w.stop = false;
        sim_press_at_frame(sim_frame() + 1, SDLK_ESCAPE);
    }
}

void watch_ended(const level_run&, const game_result&, void*) {}

void play_watched(sim_session& session, frame_watch& w) {
    std::srand(1);
    sim_reset();
    sim_register_assets(session.assets->slots.data(), asset_slot_count);
    const level_observer observer{watch_started, watch_frame, watch_ended, &w};
    set_level_observer(&observer);
    set_drawing(false);
    game_result result{0, 0};
    play_level(level_5_config, {session.screen, cheat, 0, frame_period_ms, session.assets},
               &result);
    set_level_observer(nullptr);
    set_drawing(true);
}

// Where the boss is in its script after a frame.
struct boss_moment {
    int frame;
    int path; // 0 entry, 1 main, 2 final
    int step_index;
    int x, y;
};

int path_of(const enemy* e) { return e->on_final ? 2 : e->on_main ? 1 : 0; }

TEST_F(level_5, the_boss_sweeps_back_to_where_each_pass_began_and_plays_only_1000_steps) {
    std::vector<boss_moment> moments;
    std::vector<boss_moment> starts; // the boss there
    int max_main_index = -1, max_final_index = -1;
    int main_passes = 0, final_passes = 0;
    frame_watch w;
    w.keys = hide_bottom_left;
    w.on_frame = [&](const level_run& run, int frame) {
        enemy* boss = run.boss;
        if (run.world->next_slot == 0 || run.world->enemies[run.world->next_slot - 1] != boss)
            return; // not spawned yet
        const boss_moment now{frame, path_of(boss), boss->step_index, boss->ship->rect.x,
                              boss->ship->rect.y};
        const bool began = !moments.empty() && now.path > 0 && now.step_index == 0 &&
                           boss->step_frame == 0 &&
                           (moments.back().step_index != 0 || moments.back().path != now.path);
        if (began) {
            starts.push_back(now);
            (now.path == 1 ? main_passes : final_passes) += 1;
        }
        if (now.path == 1) max_main_index = std::max(max_main_index, now.step_index);
        if (now.path == 2) max_final_index = std::max(max_final_index, now.step_index);
        // Halfway through the second main pass the boss drops to half its hit
        // points: it finishes that pass before its final path.
        if (main_passes == 2 && now.path == 1 && frame - starts.back().frame == 1000)
            boss->ship->hit_points = 500;
        moments.push_back(now);
        if (final_passes == 3) w.stop = true;
    };
    play_watched(session, w);

    ASSERT_FALSE(moments.empty());
    EXPECT_EQ(moments.front().x, 503 - 5);
    EXPECT_EQ(moments.front().y, 40);
    // Entry: 59 + 30 + 100 frames, ten volleys of 18 two-frame steps, 30 frames.
    ASSERT_EQ(starts.size(), 5u);
    EXPECT_EQ(starts[0].frame - moments.front().frame + 1, 59 + 30 + 100 + 10 * 18 * 2 + 30);
    EXPECT_EQ(starts[0].x, 208);
    // Two main passes (the switch waits for the end of the second), then finals.
    const int paths[5] = {1, 1, 2, 2, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(starts[i].path, paths[i]) << i;
        EXPECT_EQ(starts[i].x, 208) << i; // every pass returns the boss where it began
        EXPECT_EQ(starts[i].y, 40) << i;
    }
    // Only the first 1000 steps of each path are played: six moves (84 frames
    // at speed 5, 40 at speed 10) and 994 firing steps of 2 frames.
    EXPECT_EQ(max_main_index, 999);
    EXPECT_EQ(max_final_index, 999);
    EXPECT_EQ(starts[1].frame - starts[0].frame, 84 + 994 * 2);
    EXPECT_EQ(starts[2].frame - starts[1].frame, 84 + 994 * 2);
    EXPECT_EQ(starts[3].frame - starts[2].frame, 40 + 994 * 2);
    EXPECT_EQ(starts[4].frame - starts[3].frame, 40 + 994 * 2);
}

bool is_angel(const enemy& e) { return e.ship->rect.w == 80; }
bool is_ball(const enemy& e) { return std::string(e.tag) == "ROUE1"; }

TEST_F(level_5, an_angel_with_five_shot_slots_thins_its_second_volley_and_skips_its_third) {
    const queued_kind angels = queued_of_kind(level_5_config, *session.assets, is_angel);
    // Shots in flight of each angel right after each of its three volleys.
    std::map<const enemy*, std::vector<int>> after_volley;
    frame_watch w;
    w.keys = hide_bottom_left;
    w.on_frame = [&](const level_run& run, int frame) {
        for (int i = 0; i < run.world->next_slot; ++i) {
            const enemy* e = run.world->enemies[i];
            if (!e || !is_angel(*e) || e->on_entry || e->on_final) continue;
            if (e->step_index < 3 && e->step_frame == 1 && e->ship->explosion_frame == 0)
                after_volley[e].push_back(e->ship->shot_count);
        }
        // Two seconds are enough for the last one's three volleys.
        if (frame == (angels.last_due_ms + 2000) / frame_period_ms) w.stop = true;
    };
    play_watched(session, w);
    ASSERT_EQ(after_volley.size(), static_cast<std::size_t>(angels.count));
    for (const auto& [angel, counts] : after_volley) EXPECT_EQ(counts, (std::vector<int>{3, 5, 5}));
}

TEST_F(level_5, right_balls_take_fifteen_hit_points_and_left_ones_five) {
    const queued_kind balls = queued_of_kind(level_5_config, *session.assets, is_ball);
    std::map<const enemy*, std::pair<int, int>> first_seen; // x and hit points
    frame_watch w;
    w.keys = hide_bottom_left;
    w.on_frame = [&](const level_run& run, int frame) {
        for (int i = 0; i < run.world->next_slot; ++i) {
            const enemy* e = run.world->enemies[i];
            if (e && is_ball(*e) && !first_seen.count(e))
                first_seen[e] = {e->ship->rect.x, e->ship->hit_points};
        }
        if (frame == (balls.last_due_ms + 1000) / frame_period_ms) w.stop = true;
    };
    play_watched(session, w);
    ASSERT_EQ(first_seen.size(), static_cast<std::size_t>(balls.count));
    int right = 0;
    for (const auto& [ball, seen] : first_seen) {
        const bool from_right = seen.first > 320;
        right += from_right;
        EXPECT_EQ(seen.second, from_right ? 15 : 5) << seen.first;
    }
    EXPECT_EQ(2 * right, balls.count); // a pair at a time, one from each side
}

} // namespace
