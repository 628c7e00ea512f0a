// Level 5 as the simulator plays it from the generated catalogue: its
// timeline, warning and boss music, the boss's passes and the shot slots
// that run out, and exact replays.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "input_script.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "ogg_length.h"
#include "platform/platform_sim.h"
#include "sim_trace.h"
#include "support/asset_catalogue.h"

namespace {

struct level_5 : level_sim {
    sim_outcome run(const std::string& script, int difficulty = 3, int max_frames = -1) {
        return play("5", script, difficulty, max_frames);
    }
};

TEST_F(level_5, groups_leave_the_queue_on_the_timeline_and_the_warning_leads_to_the_boss) {
    const sim_outcome outcome = run(hide_bottom_left, cheat, 12500);
    const auto trace = parse(outcome.trace);
    const auto spawns = only(trace, "spawn");
    ASSERT_EQ(spawns.size(), 228u);
    int n = 0;
    // First blue ghost wave: a row of 6 a second from 2000 to 8000, falling
    // in from the top, ghost k somewhere in its own 30-pixel lane.
    auto check_ghost_wave = [&](long first_ms) {
        for (int row = 0; row < 7; ++row) {
            std::map<int, int> lanes;
            for (int k = 0; k < 6; ++k, ++n) {
                const trace_line& g = spawns[n];
                EXPECT_EQ(g.tag, "DIABLE");
                EXPECT_TRUE(due(g, first_ms + 1000 * row)) << n;
                EXPECT_EQ(g.y, 0);
                ASSERT_GE(g.x, 138);
                ++lanes[(g.x - 138) / 65];
                EXPECT_LT((g.x - 138) % 65, 30) << n;
            }
            EXPECT_EQ(lanes.size(), 6u);
        }
    };
    check_ghost_wave(2000);
    // First twin-plane wave: a pair every 2 s from 10000 to 32000, sliding in
    // from both sides at the top.
    for (int row = 0; row < 12; ++row)
        for (int side = 0; side < 2; ++side, ++n) {
            EXPECT_EQ(spawns[n].tag, "AVION_DUO");
            EXPECT_TRUE(due(spawns[n], 10000 + 2000 * row)) << n;
            EXPECT_TRUE(spawns[n].x == 512 || spawns[n].x == 46) << n;
            EXPECT_EQ(spawns[n].y, 0);
        }
    // Angels: three a second from 35000 to 48000, all from the right.
    for (int row = 0; row < 14; ++row)
        for (int a = 0; a < 3; ++a, ++n) {
            EXPECT_EQ(spawns[n].tag, "DIABLE");
            EXPECT_TRUE(due(spawns[n], 35000 + 1000 * row)) << n;
            EXPECT_EQ(spawns[n].x, 512);
            EXPECT_GE(spawns[n].y, 150);
            EXPECT_LT(spawns[n].y, 290);
        }
    EXPECT_EQ(spawns[n].tag, "Mouche");
    EXPECT_TRUE(due(spawns[n], 53000));
    EXPECT_EQ(spawns[n].x, 503);
    EXPECT_EQ(spawns[n].y, 142);
    ++n;
    // Second twin-plane wave: fixed starts, a pair every 2 s from 74000.
    for (int row = 0; row < 12; ++row) {
        int right = 0, left = 0;
        for (int side = 0; side < 2; ++side, ++n) {
            EXPECT_EQ(spawns[n].tag, "AVION_DUO");
            EXPECT_TRUE(due(spawns[n], 74000 + 2000 * row)) << n;
            EXPECT_EQ(spawns[n].y, 0);
            right += spawns[n].x == 515;
            left += spawns[n].x == 43;
        }
        EXPECT_EQ(right, 1);
        EXPECT_EQ(left, 1);
    }
    // Balls: a pair a second from 102000 to 127000, one from each side.
    for (int row = 0; row < 26; ++row) {
        int right = 0, left = 0;
        for (int side = 0; side < 2; ++side, ++n) {
            EXPECT_EQ(spawns[n].tag, "ROUE1");
            EXPECT_TRUE(due(spawns[n], 102000 + 1000 * row)) << n;
            EXPECT_GE(spawns[n].y, 20);
            EXPECT_LT(spawns[n].y, 270);
            right += spawns[n].x == 505;
            left += spawns[n].x == 108;
        }
        EXPECT_EQ(right, 1);
        EXPECT_EQ(left, 1);
    }
    check_ghost_wave(134000);
    EXPECT_EQ(spawns[n].tag, "BOSS");
    EXPECT_TRUE(due(spawns[n], 152000));
    EXPECT_EQ(spawns[n].x, 503);
    EXPECT_EQ(spawns[n].y, 40);

    std::vector<trace_line> warnings, phases, stage_music, boss_music;
    for (const trace_line& t : trace) {
        if (t.ev == "sound" && t.slot == 247) warnings.push_back(t);
        if (t.ev == "phase") phases.push_back(t);
        if (t.ev == "music" && t.action == "play" && t.slot == 235) stage_music.push_back(t);
        if (t.ev == "music" && t.action == "play" && t.slot == 234) boss_music.push_back(t);
    }
    ASSERT_EQ(warnings.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(due(warnings[i], 146000 + 1000 * i)) << i;
        EXPECT_EQ(warnings[i].channel, 2);
    }
    ASSERT_EQ(phases.size(), 4u);
    EXPECT_EQ(phases[3].phase, 4);
    EXPECT_TRUE(due(phases[3], 149000));
    // The stage music plays once, from the intro; the boss music waits for it
    // to end, and only then (in the boss phase) starts.
    ASSERT_EQ(stage_music.size(), 1u);
    EXPECT_LT(stage_music[0].tick, 0);
    const long stage_length = ogg_length_ms(asset_catalogue[235].path);
    ASSERT_GT(stage_length, 0);
    const long stage_end = stage_music[0].tick + stage_length;
    ASSERT_FALSE(boss_music.empty());
    EXPECT_GE(boss_music[0].tick, stage_end);
    EXPECT_GE(boss_music[0].tick, phases[3].tick);
    EXPECT_TRUE(due(boss_music[0], std::max(stage_end, phases[3].tick)));
}

TEST_F(level_5, a_replay_is_exact) {
    const std::string script = "0 down g\n40 down right\n300 up right\n300 down left\n"
                               "500 press d\n900 up g\n900 down f\n2500 up left\n";
    const sim_outcome first = run(script, 2, 4000);
    const sim_outcome second = run(script, 2, 4000);
    EXPECT_EQ(first.trace, second.trace);
    EXPECT_EQ(summary_json(first), summary_json(second));
    EXPECT_GT(first.kills, 0);
    EXPECT_EQ(first.frames, 4000);
    EXPECT_EQ(first.code, 0);
}

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

TEST_F(level_5, an_angel_with_five_shot_slots_thins_its_second_volley_and_skips_its_third) {
    // Shots in flight of each angel right after each of its three volleys.
    std::map<const enemy*, std::vector<int>> after_volley;
    frame_watch w;
    w.keys = hide_bottom_left;
    w.on_frame = [&](const level_run& run, int frame) {
        for (int i = 0; i < run.world->next_slot; ++i) {
            const enemy* e = run.world->enemies[i];
            if (!e || e->ship->rect.w != 80 || e->on_entry || e->on_final) continue;
            if (e->step_index < 3 && e->step_frame == 1 && e->ship->explosion_frame == 0)
                after_volley[e].push_back(e->ship->shot_count);
        }
        if (frame == 53000 / 13) w.stop = true;
    };
    play_watched(session, w);
    ASSERT_EQ(after_volley.size(), 42u);
    for (const auto& [angel, counts] : after_volley) EXPECT_EQ(counts, (std::vector<int>{3, 5, 5}));
}

TEST_F(level_5, right_balls_take_fifteen_hit_points_and_left_ones_five) {
    std::map<const enemy*, std::pair<int, int>> first_seen; // x and hit points
    frame_watch w;
    w.keys = hide_bottom_left;
    w.on_frame = [&](const level_run& run, int frame) {
        for (int i = 0; i < run.world->next_slot; ++i) {
            const enemy* e = run.world->enemies[i];
            if (e && std::string(e->tag) == "ROUE1" && !first_seen.count(e))
                first_seen[e] = {e->ship->rect.x, e->ship->hit_points};
        }
        if (frame == 128000 / 13) w.stop = true;
    };
    play_watched(session, w);
    ASSERT_EQ(first_seen.size(), 52u);
    int right = 0;
    for (const auto& [ball, seen] : first_seen) {
        const bool from_right = seen.first > 320;
        right += from_right;
        EXPECT_EQ(seen.second, from_right ? 15 : 5) << seen.first;
    }
    EXPECT_EQ(right, 26);
}

} // namespace
