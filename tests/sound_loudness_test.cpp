// The generated music and effects measured as a listener hears them (BS.1770
// through libebur128): every track at the same loudness, the effects set
// against it, and the loudest moment of every stage, rebuilt from the
// pilot's Hard play as the mixer adds it, loud enough yet clear of full
// scale. The boss tracks, which the game restarts whenever they end, are
// checked at the seam.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/level_interface.h"
#include "loudness_meter.h"
#include "pcm_decode.h"
#include "pilot_hands.h"
#include "sim_trace.h"
#include "stage_mix.h"
#include "support/asset_slots.h"

namespace {

constexpr double music_target_lufs = -19;
constexpr double music_tolerance_lu = 1.5;
constexpr double true_peak_ceiling_dbtp = -1;
// The loudest ten seconds of a stage.
constexpr double loudest_moment_floor_lufs = -20;
constexpr double loudest_moment_ceiling_lufs = -16;
// Enemy fire: its loudest 400 ms at most this far under the music.
constexpr double enemy_fire_under_music_lu = 10;
// The gun, heard ten times a second: under this share of the effects' energy.
constexpr double gun_share_ceiling = 1.0 / 3.0;

pcm_stereo decoded(int slot) {
    pcm_stereo pcm;
    std::string error;
    EXPECT_TRUE(decode_sound_file(sound_path(GRAZE_ASSET_DIR, slot), pcm, error)) << error;
    return pcm;
}

loudness_figures measured(int slot) {
    const pcm_stereo pcm = decoded(slot);
    std::vector<float> stereo(pcm.samples.size());
    for (size_t i = 0; i < stereo.size(); ++i) stereo[i] = pcm.samples[i] / 32768.0f;
    return measure_stream(stereo.data(), pcm.frames());
}

const int stage_tracks[] = {slot_music_free,    slot_music_prayer,     slot_music_boss,
                            slot_music_forest,  slot_music_grotte,     slot_music_volcan,
                            slot_music_boss4_5, slot_music_enterprise, slot_music_boss6};
const int boss_tracks[] = {slot_music_boss, slot_music_boss4_5, slot_music_boss6};

// One test a track, so the suite measures two at once.
struct music_track_loudness : ::testing::TestWithParam<int> {};

TEST_P(music_track_loudness, sits_at_the_same_loudness_as_every_other_track) {
    const int slot = GetParam();
    const loudness_figures f = measured(slot);
    EXPECT_NEAR(f.integrated, music_target_lufs, music_tolerance_lu) << "slot " << slot;
    EXPECT_LE(f.true_peak, true_peak_ceiling_dbtp) << "slot " << slot;
    EXPECT_EQ(f.clipped, 0) << "slot " << slot;
}

INSTANTIATE_TEST_SUITE_P(every_track, music_track_loudness,
                         ::testing::Range(int{first_music_slot}, int{first_chunk_slot}),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "slot_" + std::to_string(info.param);
                         });

TEST(sound_loudness, danger_is_heard_over_the_music) {
    double music = -100;
    for (int slot : stage_tracks) music = std::max(music, measured(slot).integrated);
    const double enemy_fire = measured(slot_sound_shot4).momentary_max;
    EXPECT_GE(enemy_fire, music - enemy_fire_under_music_lu);
    // The warning and the ship's own explosion stand above the loudest stage
    // track. (An enemy's explosion sits under it: kills come a dozen a second
    // in a burst, and the loudest moments below would not hold otherwise.)
    for (int slot : {slot_sound_warning, slot_sound_explosion1})
        EXPECT_GT(measured(slot).momentary_max, music) << "slot " << slot;
    // The gun, heard ten times a second, sits under enemy fire.
    EXPECT_LT(measured(slot_sound_shot1).momentary_max, enemy_fire);
    for (int slot = first_chunk_slot; slot < asset_slot_count; ++slot) {
        const loudness_figures f = measured(slot);
        EXPECT_LE(f.true_peak, true_peak_ceiling_dbtp) << "slot " << slot;
        EXPECT_EQ(f.clipped, 0) << "slot " << slot;
    }
    std::printf("loudest stage track %.1f LUFS; enemy fire's loudest 400 ms %.1f LUFS\n", music,
                enemy_fire);
}

// Every stage flown by the pilot at Hard, its sound rebuilt from the trace:
// one test a stage, so the suite measures two stages at once.
struct stage_mix_sim : level_sim, ::testing::WithParamInterface<const char*> {
    static stage_mix_report measure(const std::string& level) {
        sim_options options;
        options.level = level;
        options.difficulty = difficulty_hard;
        options.trace = true;
        pilot_hands hands;
        attach_pilot(hands, options);
        sim_outcome outcome;
        std::string error;
        EXPECT_TRUE(run_level_sim(session, options, outcome, error)) << error;
        const std::vector<mix_event> events = mix_events_of(outcome.trace);
        mix_sounds sounds;
        EXPECT_TRUE(load_mix_sounds(GRAZE_ASSET_DIR, sounds, error, &events)) << error;
        stage_mix_report report;
        EXPECT_TRUE(analyse_stage_mix(events, sounds, report));
        return report;
    }
};

TEST_P(stage_mix_sim, the_loudest_moment_of_the_stage_is_loud_and_clear_of_full_scale) {
    const char* level = GetParam();
    const stage_mix_report r = measure(level);
    EXPECT_GE(r.loudest.integrated, loudest_moment_floor_lufs) << "level " << level;
    EXPECT_LE(r.loudest.integrated, loudest_moment_ceiling_lufs) << "level " << level;
    EXPECT_LE(r.whole.true_peak, true_peak_ceiling_dbtp) << "level " << level;
    EXPECT_EQ(r.whole.clipped, 0) << "level " << level;
    EXPECT_LT(r.gun_share, gun_share_ceiling) << "level " << level;
    std::printf("level %s: loudest 10 s from %.1f s at %.1f LUFS, stage peak %.1f dBTP, "
                "gun %.2f of the effects\n",
                level, r.loudest_start, r.loudest.integrated, r.whole.true_peak, r.gun_share);
}

INSTANTIATE_TEST_SUITE_P(every_stage, stage_mix_sim,
                         ::testing::Values("1", "2", "3", "4", "5", "6", "epilogue"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string("level_") + info.param;
                         });

// The typical size of one sample's step on either side of a stereo track.
int typical_step(const std::vector<std::int16_t>& s) {
    std::vector<int> steps;
    for (size_t i = 2; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 2]));
    std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() / 2),
                     steps.end());
    return steps[steps.size() / 2];
}

TEST(sound_loudness, boss_tracks_join_their_end_to_their_start_without_a_click) {
    for (int slot : boss_tracks) {
        const std::vector<std::int16_t> s = decoded(slot).samples;
        ASSERT_GT(s.size(), 4u);
        const int step = typical_step(s);
        const size_t last = s.size() - 2;
        for (size_t side = 0; side < 2; ++side) {
            // Played again at once, or after the moment of silence before the
            // game restarts it: neither join is a jump.
            EXPECT_LE(std::abs(s[last + side] - s[side]), step) << "slot " << slot;
            EXPECT_LE(std::abs(s[side]), step) << "slot " << slot;
            EXPECT_LE(std::abs(s[last + side]), step) << "slot " << slot;
        }
    }
}

} // namespace
