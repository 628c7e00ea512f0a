// A level's timeline as its record and its script set it, and the checks of
// a simulator trace against it: when each queued enemy is due, the three
// warnings before the boss phase, and the stage music then the boss music.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "engine/level_config.h"
#include "engine/level_run.h"
#include "ogg_length.h"
#include "sim_trace.h"
#include "support/asset_catalogue.h"
#include "support/tracked_memory.h"

// When each enemy leaves the queue, in the order they leave (the last queued
// first): its own time, or later when one queued behind it is due later and
// holds it back.
inline std::vector<int> due_times(const level_script& script) {
    std::vector<int> due;
    int held_until = 0;
    for (int i = script.enemy_count; i-- > 0;) {
        held_until = std::max(held_until, script.queue_order[i]->spawn_ms);
        due.push_back(held_until);
    }
    return due;
}

// When the level's last wave enemy (the one before the boss) is due, from a
// build of its script made and released here.
inline int last_wave_due_ms(const level_config& config, const asset_table& assets) {
    std::srand(1);
    const std::vector<int> due = due_times(config.build(assets));
    release_all();
    return due.size() > 1 ? due[due.size() - 2] : 0;
}

// How many queued enemies the level has of a kind, and when the last of them
// is due.
struct queued_kind {
    int count = 0;
    int last_due_ms = 0;
};

template <typename is_of_kind>
queued_kind queued_of_kind(const level_config& config, const asset_table& assets,
                           is_of_kind of_kind) {
    std::srand(1);
    const level_script script = config.build(assets);
    const std::vector<int> due = due_times(script);
    queued_kind kind;
    for (int i = 0; i < script.enemy_count; ++i) {
        if (!of_kind(*script.queue_order[script.enemy_count - 1 - i])) continue;
        kind.count += 1;
        kind.last_due_ms = std::max(kind.last_due_ms, due[i]);
    }
    release_all();
    return kind;
}

// The warning sounds, timeline phases and music plays of a level's trace.
struct level_music_times {
    std::vector<trace_line> warnings, phases, stage_plays, boss_plays;
    bool boss_phase = false;
};

inline level_music_times music_times(const std::vector<trace_line>& trace,
                                     const level_config& config) {
    level_music_times times;
    for (const trace_line& t : trace) {
        if (t.ev == "sound" && t.slot == slot_sound_warning) times.warnings.push_back(t);
        if (t.ev == "phase") times.phases.push_back(t);
        if (t.ev != "music" || t.action != "play") continue;
        if (config.stage_music != no_slot && t.slot == config.stage_music)
            times.stage_plays.push_back(t);
        if (config.boss_music != no_slot && t.slot == config.boss_music)
            times.boss_plays.push_back(t);
    }
    times.boss_phase = times.phases.size() == boss_phase && times.phases.back().phase == boss_phase;
    return times;
}

// Three warnings a second apart from the record's time, on the warning
// channel, then the boss phase a second after the last.
inline void expect_warning_then_boss_phase(const level_music_times& times, int warning_time) {
    ASSERT_EQ(times.warnings.size(), static_cast<std::size_t>(boss_phase - 1));
    for (std::size_t i = 0; i < times.warnings.size(); ++i) {
        EXPECT_TRUE(due(times.warnings[i], warning_time + 1000 * static_cast<long>(i))) << i;
        EXPECT_EQ(times.warnings[i].channel, 2) << i;
    }
    ASSERT_TRUE(times.boss_phase);
    EXPECT_TRUE(due(times.phases.back(), warning_time + 1000 * (boss_phase - 1)));
}

// The stage music plays once, before play; the boss music waits for it to
// end and for the boss phase, and starts on the first frame after both.
inline void expect_stage_then_boss_music(const level_music_times& times,
                                         const level_config& config) {
    long stage_end = 0;
    if (config.stage_music == no_slot) {
        EXPECT_TRUE(times.stage_plays.empty());
    } else {
        ASSERT_EQ(times.stage_plays.size(), 1u);
        EXPECT_LT(times.stage_plays[0].tick, 0);
        const long stage_length = ogg_length_ms(asset_catalogue[config.stage_music].path);
        ASSERT_GT(stage_length, 0);
        stage_end = times.stage_plays[0].tick + stage_length;
    }
    if (config.boss_music == no_slot) {
        EXPECT_TRUE(times.boss_plays.empty());
        return;
    }
    ASSERT_TRUE(times.boss_phase);
    ASSERT_FALSE(times.boss_plays.empty());
    const trace_line& first = times.boss_plays[0];
    EXPECT_TRUE(due(first, std::max(stage_end, times.phases.back().tick))) << first.tick;
}
