// What must hold for the content of every level in the game's table of
// levels, read from the level's own record and the script it builds: every
// enemy queued once and sent in time for the warning and the boss, every
// path leaving the field or looping, every wave enemy's bullets leaving from
// inside its picture, and the warning, boss music and outro on the record's
// timing as the simulator plays them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/panels.h"
#include "level_timeline.h"
#include "levels/levels.h"
#include "platform/platform_sim.h"
#include "sim_trace.h"
#include "support/screen_geometry.h"
#include "support/tracked_memory.h"

namespace {

struct level_content : level_sim, ::testing::WithParamInterface<level_record> {
    const level_config& config() const { return *GetParam().config; }
    bool epilogue() const { return GetParam().config == epilogue_record.config; }
    int difficulty() const { return epilogue() ? difficulty_epilogue : cheat; }
    // Normal: the ship can be lost, so a replay goes through its respawns.
    int difficulty_for_replay() const { return epilogue() ? difficulty_epilogue : 2; }

    // The level's script as its build makes it (released by TearDown).
    level_script build() const {
        std::srand(1);
        return config().build(*session.assets);
    }
    void TearDown() override {
        release_all();
        sim_reset();
    }

    // The level played hands off, hidden in a corner, until just after its
    // boss is due: once a level, shared by the tests that read its trace.
    const std::vector<trace_line>& trace_to_the_boss() {
        static std::map<std::string, std::vector<trace_line>> played;
        auto found = played.find(GetParam().name);
        if (found != played.end()) return found->second;
        const level_script script = build();
        const int frames = script.boss->spawn_ms / frame_period_ms + 100;
        release_all();
        return played[GetParam().name] =
                   parse(play(GetParam().name, hide_bottom_left, difficulty(), frames).trace);
    }
};

} // namespace

// A level as a failing case names it.
void PrintTo(const level_record& record, std::ostream* out) { *out << "level " << record.name; }

namespace {

std::string level_name(const ::testing::TestParamInfo<level_record>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(every_level, level_content, ::testing::ValuesIn(level_records),
                         level_name);

std::vector<enemy*> wave_enemies_of(const level_script& script) {
    std::vector<enemy*> waves;
    for (int i = 0; i < script.enemy_count; ++i)
        if (script.queue_order[i] != script.boss) waves.push_back(script.queue_order[i]);
    return waves;
}

TEST_P(level_content, every_enemy_is_queued_once_and_the_waves_are_over_before_the_warning) {
    const level_script script = build();
    ASSERT_GT(script.enemy_count, 0);
    // Queued first, the boss leaves last.
    EXPECT_EQ(script.queue_order[0], script.boss);
    const std::set<const enemy*> distinct(script.queue_order,
                                          script.queue_order + script.enemy_count);
    EXPECT_EQ(distinct.size(), static_cast<std::size_t>(script.enemy_count));
    const std::vector<int> due = due_times(script);
    const int waves_end =
        config().warning_time == never ? script.boss->spawn_ms : config().warning_time;
    for (const enemy* e : wave_enemies_of(script)) {
        EXPECT_GE(e->spawn_ms, 0) << e->tag;
        EXPECT_LT(e->spawn_ms, waves_end) << e->tag;
    }
    EXPECT_EQ(due.back(), script.boss->spawn_ms);
    if (config().warning_time != never) {
        EXPECT_GE(script.boss->spawn_ms, config().warning_time + 1000 * (boss_phase - 1));
    }
}

TEST_P(level_content, every_enemy_leaves_the_queue_when_it_is_due) {
    const level_script script = build();
    const std::vector<int> due = due_times(script);
    std::vector<std::string> tags;
    for (int i = script.enemy_count; i-- > 0;) tags.push_back(script.queue_order[i]->tag);
    release_all();
    const auto spawns = only(trace_to_the_boss(), "spawn");
    ASSERT_EQ(spawns.size(), due.size());
    for (std::size_t i = 0; i < spawns.size(); ++i) {
        EXPECT_TRUE(::due(spawns[i], due[i]))
            << i << " at " << spawns[i].tick << ", due " << due[i];
        EXPECT_EQ(spawns[i].tag, tags[i]) << i;
    }
}

// Runs an enemy's script alone for up to `frames` frames, as the scene would
// run it: false when it leaves the screen or its script ends on the field.
bool still_on_the_field_after(enemy* e, int frames) {
    for (int f = 0; f < frames; ++f) {
        if (e->ship->explosion_frame > e->ship->explosion_frames) return false;
        if (e->final_mode == final_ended) return false;
        run_script(e);
    }
    return true;
}

bool gone_off_the_field(const enemy* e) {
    return e->ship->explosion_frame > e->ship->explosion_frames;
}

TEST_P(level_content, every_wave_enemy_flies_off_the_field_and_the_boss_keeps_flying) {
    const level_script script = build();
    for (enemy* e : wave_enemies_of(script)) {
        // No wave enemy stays on the field until the boss comes.
        still_on_the_field_after(e, script.boss->spawn_ms / frame_period_ms);
        EXPECT_TRUE(gone_off_the_field(e))
            << e->tag << " spawned at " << e->spawn_ms << " stays at " << e->ship->rect.x << ", "
            << e->ship->rect.y;
    }
    // The boss, whole and then at half its hit points: it leaves the field or
    // its script goes on, never stopping where it stands.
    enemy* boss = script.boss;
    if (still_on_the_field_after(boss, 20000)) {
        boss->ship->hit_points = boss->half_hit_points;
        still_on_the_field_after(boss, 20000);
    }
    EXPECT_TRUE(gone_off_the_field(boss) || boss->final_mode != final_ended);
}

TEST_P(level_content, every_bullet_of_a_wave_enemy_leaves_from_inside_its_picture) {
    const level_script script = build();
    for (const enemy* e : wave_enemies_of(script)) {
        const SDL_Rect body = e->ship->rect;
        for (const step_path* path : {&e->entry_path, &e->main_path, &e->final_path})
            for (const move_step* step : *path) {
                if (!step) break;
                for (const shot* t : step->templates) {
                    if (!t) break;
                    EXPECT_TRUE(t->rect.x >= 0 && t->rect.x < body.w && t->rect.y >= 0 &&
                                t->rect.y < body.h)
                        << e->tag << " (" << body.w << " x " << body.h << ") fires from "
                        << t->rect.x << ", " << t->rect.y;
                }
            }
    }
}

TEST_P(level_content, the_warning_and_the_music_keep_the_records_timing) {
    const level_music_times music = music_times(trace_to_the_boss(), config());
    if (config().warning_time == never) {
        EXPECT_TRUE(music.warnings.empty());
        EXPECT_FALSE(music.boss_phase);
    } else {
        expect_warning_then_boss_phase(music, config().warning_time);
    }
    expect_stage_then_boss_music(music, config());
}

TEST_P(level_content, downing_the_boss_ends_play_and_the_outro_opens_its_panel_on_time) {
    // The boss brought down at the end of the first frame of play, before it
    // is due: the second frame sees it and is the last.
    const sim_outcome outcome = play(GetParam().name, "", difficulty(), -1, 0,
                                     [](const level_run& run) { run.boss->ship->hit_points = 0; });
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.frames, 2);
    std::vector<trace_line> opening, totals;
    for (const trace_line& t : parse(outcome.trace)) {
        if (t.ev != "sound" || t.channel != 2) continue;
        if (t.slot == slot_sound_cold1) opening.push_back(t);
        if (t.slot == slot_sound_exit_windows) totals.push_back(t);
    }
    ASSERT_EQ(opening.size(), 1u);
    ASSERT_EQ(totals.size(), 1u);
    EXPECT_EQ(opening[0].frame, outcome.frames + outro_panel_from);
    EXPECT_EQ(totals[0].frame - opening[0].frame, outro_panel_open - outro_panel_from);
}

TEST_P(level_content, a_replay_of_the_same_hands_is_exact) {
    const std::string hands = "0 down g\n40 down right\n300 up right\n300 down left\n"
                              "500 press d\n900 up g\n900 down f\n2500 up left\n";
    const int boss_hit_points = build().boss->ship->hit_points;
    release_all();
    const sim_outcome first = play(GetParam().name, hands, difficulty_for_replay(), 3000);
    const sim_outcome second = play(GetParam().name, hands, difficulty_for_replay(), 3000);
    EXPECT_EQ(first.trace, second.trace);
    EXPECT_EQ(summary_json(first), summary_json(second));
    EXPECT_EQ(first.code, 0);
    EXPECT_EQ(first.frames, 3000);
    EXPECT_TRUE(first.kills > 0 || first.boss_hp < boss_hit_points) << "the hands hit nothing";
}

} // namespace
