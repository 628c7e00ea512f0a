// Level 4 as the simulator plays it from the generated catalogue: the boss's
// passes, the faster scroll, a longer stage music holding back the boss
// music, and the stars', balls' and planes' quirks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "level_timeline.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "ogg_length.h"
#include "platform/platform_sim.h"
#include "sim_trace.h"
#include "support/asset_catalogue.h"

namespace {

struct level_4 : level_sim {};

// Plays the level directly under the simulated backend, as the simulator
// does, with an observer called after every frame of play.
struct stage_watch {
    std::function<void(const level_run&)> each_frame;
    long stage_music_ms = -1; // -1: the track's own length
};

void stage_watch_frame(const level_run& run, void* context) {
    static_cast<stage_watch*>(context)->each_frame(run);
}
void stage_watch_start(const level_run&, void*) {}
void stage_watch_end(const level_run&, const game_result&, void*) {}

void play_watched(const sim_session& session, stage_watch& watch, int difficulty) {
    std::srand(1);
    sim_reset();
    sim_register_assets(session.assets->slots.data(), asset_slot_count);
    for (int slot = first_music_slot; slot < first_chunk_slot; ++slot) {
        long length = ogg_length_ms(asset_catalogue[slot].path);
        if (slot == level_4_config.stage_music && watch.stage_music_ms >= 0)
            length = watch.stage_music_ms;
        if (session.assets->slots[slot] && length > 0)
            sim_set_music_length(music_slot(*session.assets, slot), static_cast<Uint32>(length));
    }
    const level_observer observer{stage_watch_start, stage_watch_frame, stage_watch_end, &watch};
    set_level_observer(&observer);
    set_drawing(false);
    game_result result{0, 0};
    play_level(level_4_config, {session.screen, difficulty, 0, 13, session.assets}, &result);
    set_level_observer(nullptr);
    set_drawing(true);
}

void leave_next_frame() { sim_press_at_frame(sim_frame(), SDLK_ESCAPE); }

// Where the boss was each time one of its paths ran out.
struct pass_end {
    int path; // 0 entry, 1 main, 2 final
    int x, y;
};

struct boss_tracker {
    int last_path = 0;
    int last_index = 0;
    std::vector<pass_end> ends;

    static int path_of(const enemy* e) { return e->on_final ? 2 : e->on_entry ? 0 : 1; }

    void after_frame(const enemy* boss) {
        const int path = path_of(boss);
        if (path != last_path || boss->step_index < last_index)
            ends.push_back({last_path, boss->ship->rect.x, boss->ship->rect.y});
        last_path = path;
        last_index = boss->step_index;
    }
    int count(int path) const {
        int n = 0;
        for (const pass_end& e : ends) n += e.path == path;
        return n;
    }
};

TEST_F(level_4,
       boss_brought_to_half_in_its_entry_plays_one_whole_main_pass_and_every_pass_ends_home) {
    boss_tracker boss;
    bool wounded = false;
    stage_watch watch;
    watch.each_frame = [&](const level_run& run) {
        enemy* e = run.boss;
        if (!wounded && e->on_entry && e->ship->rect.x < 603) {
            e->ship->hit_points = 500; // as if shot down to half on its way in
            wounded = true;
        }
        boss.after_frame(e);
        if (boss.count(2) == 2) leave_next_frame();
    };
    play_watched(session, watch, cheat);
    ASSERT_TRUE(wounded);
    ASSERT_EQ(boss.ends.size(), 4u);
    EXPECT_EQ(boss.ends[0].path, 0);
    EXPECT_EQ(boss.ends[1].path, 1);
    EXPECT_EQ(boss.ends[2].path, 2);
    EXPECT_EQ(boss.ends[3].path, 2);
    for (const pass_end& end : boss.ends) {
        EXPECT_EQ(end.x, 163) << end.path;
        EXPECT_EQ(end.y, 1) << end.path;
    }
}

TEST_F(level_4, boss_brought_to_half_mid_pass_finishes_that_pass_first) {
    boss_tracker boss;
    bool wounded = false;
    int main_index_when_wounded = -1;
    stage_watch watch;
    watch.each_frame = [&](const level_run& run) {
        enemy* e = run.boss;
        boss.after_frame(e);
        if (!wounded && boss.count(1) == 1 && e->step_index == 100) {
            e->ship->hit_points = 499;
            wounded = true;
            main_index_when_wounded = e->step_index;
        }
        if (boss.count(2) == 1) leave_next_frame();
    };
    play_watched(session, watch, cheat);
    ASSERT_TRUE(wounded);
    EXPECT_EQ(main_index_when_wounded, 100);
    // Full health repeats the main pass; the wound only tells at the end of the next one.
    ASSERT_EQ(boss.ends.size(), 4u);
    EXPECT_EQ(boss.ends[1].path, 1);
    EXPECT_EQ(boss.ends[2].path, 1);
    EXPECT_EQ(boss.ends[3].path, 2);
    for (const pass_end& end : boss.ends) EXPECT_EQ(end.x, 163);
}

TEST_F(level_4,
       the_lava_scrolls_faster_from_its_third_step_and_a_longer_stage_music_delays_the_boss_music) {
    int last_offset = -1;
    Uint32 frame_start = 0; // the tick each frame of play starts at
    int slow_frames = 0, fast_frames = 0, wrong = 0;
    stage_watch watch;
    watch.stage_music_ms = 150000; // still playing when the boss phase opens
    watch.each_frame = [&](const level_run& run) {
        const Uint32 clock =
            (run.state.play_frame == 1 ? run.world->start_ms : frame_start) - run.world->start_ms;
        const int offset = run.state.main_layer->rect.y;
        if (last_offset >= 0) {
            const int moved = (offset - last_offset + 480) % 480;
            const int expected =
                clock >= static_cast<Uint32>(level_4_config.third_step_from_ms) ? 6 : 4;
            wrong += moved != expected;
            (expected == 6 ? fast_frames : slow_frames) += 1;
        }
        last_offset = offset;
        frame_start = platform_ticks();
        // Until the longer stage music is over.
        if (level_clock(run, frame_start) > static_cast<Uint32>(watch.stage_music_ms))
            leave_next_frame();
    };
    play_watched(session, watch, cheat);
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(slow_frames, 5000);
    EXPECT_GT(fast_frames, 5000);

    Uint32 stage_start = 0, boss_start = 0;
    for (const sim_sound_event& s : sim_sound_log()) {
        if (s.call == sim_call::music_play && s.slot == level_4_config.stage_music)
            stage_start = s.tick;
        if (s.call == sim_call::music_play && s.slot == level_4_config.boss_music &&
            boss_start == 0)
            boss_start = s.tick;
    }
    ASSERT_GT(stage_start, 0u);
    ASSERT_GT(boss_start, 0u);
    EXPECT_GE(boss_start, stage_start + 150000);
    EXPECT_LT(boss_start, stage_start + 150000 + 14);
}

TEST_F(level_4, stars_balls_and_planes_keep_their_quirks) {
    const int last_wave = last_wave_due_ms(level_4_config, *session.assets);
    bool mouche2_seen = false, mouche2_in = false;
    int right_balls = 0, left_balls = 0, wrong_balls = 0;
    int stuck_planes = 0, stuck_planes_fired = 0;
    std::vector<const enemy*> seen;
    stage_watch watch;
    watch.each_frame = [&](const level_run& run) {
        const scene& s = *run.world;
        for (int i = 0; i < s.next_slot; ++i) {
            const enemy* e = s.enemies[i];
            if (!e) continue;
            if (std::strcmp(e->tag, "mouche2") == 0) {
                // Its first frame moves it from x 1 to 5; the off-screen rule spares it.
                if (!mouche2_seen) {
                    EXPECT_EQ(e->ship->rect.x, 5);
                }
                mouche2_seen = true;
                if (e->on_main && e->ship->rect.x == 149) mouche2_in = true;
            }
            const bool first_look = std::find(seen.begin(), seen.end(), e) == seen.end();
            if (!first_look) continue;
            seen.push_back(e);
            if (std::strcmp(e->tag, "ROUE1") == 0) {
                const bool right = e->ship->rect.x > 320;
                (right ? right_balls : left_balls) += 1;
                wrong_balls += e->ship->hit_points != (right ? 15 : 5);
            }
        }
        // Planes whose diagonal came out 0 frames never reach their volley.
        for (int i = 0; i < s.next_slot; ++i) {
            const enemy* e = s.enemies[i];
            if (!e || e->ship->rect.w != 124 || !e->entry_path[1]) continue;
            if (e->entry_path[1]->frames != 0) continue;
            if (e->on_entry && e->step_index == 1) ++stuck_planes;
            if (!e->on_entry) ++stuck_planes_fired;
        }
        if (level_clock(run, platform_ticks()) > static_cast<Uint32>(last_wave + 2000))
            leave_next_frame();
    };
    play_watched(session, watch, cheat);
    EXPECT_TRUE(mouche2_seen);
    EXPECT_TRUE(mouche2_in);
    EXPECT_GT(right_balls, 0);
    EXPECT_EQ(right_balls, left_balls); // a pair at a time, one from each side
    EXPECT_EQ(wrong_balls, 0);
    EXPECT_GT(stuck_planes, 0);
    EXPECT_EQ(stuck_planes_fired, 0);
}

} // namespace
