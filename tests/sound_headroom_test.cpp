// The generated music and effects as the mixer adds them: decoded to the
// mixer's own format (16-bit stereo at 44.1 kHz, through SDL_mixer itself),
// summed at unity gain as its channels are, and checked for clipping; and the
// boss tracks, which the game restarts whenever they end, checked at the seam.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "shell/asset_catalogue.h"

namespace {

constexpr int mix_rate = 44100;
constexpr int full_scale = 32767;

std::string file_of(int slot) {
    std::string path = asset_catalogue[slot].path;
    if (path.rfind("./", 0) == 0) path = path.substr(2);
    return std::string(GRAZE_ASSET_DIR) + "/" + path;
}

struct sound_headroom : ::testing::Test {
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
        ASSERT_EQ(Mix_OpenAudio(mix_rate, AUDIO_S16LSB, 2, 2048), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
};

// A file as the mixer holds it: interleaved 16-bit stereo at the mixer's rate.
std::vector<int> decoded(int slot) {
    Mix_Chunk* chunk = Mix_LoadWAV(file_of(slot).c_str());
    EXPECT_NE(chunk, nullptr) << file_of(slot) << ": " << Mix_GetError();
    if (!chunk) return {};
    const auto* samples = reinterpret_cast<const Sint16*>(chunk->abuf);
    std::vector<int> out(samples, samples + chunk->alen / 2);
    Mix_FreeChunk(chunk);
    return out;
}

int peak_of(const std::vector<int>& s) {
    int peak = 0;
    for (int x : s) peak = std::max(peak, std::abs(x));
    return peak;
}

double dbfs(int peak) { return 20.0 * std::log10(static_cast<double>(peak) / full_scale); }

// Adds an effect every `period_ms` from `first_ms` on; each start cuts the one
// before on its channel, as a new chunk on a channel does.
void add_every(std::vector<int>& mix, const std::vector<int>& effect, int first_ms, int period_ms) {
    const long frames = static_cast<long>(mix.size() / 2);
    const long period = static_cast<long>(period_ms) * mix_rate / 1000;
    const long effect_frames = static_cast<long>(effect.size() / 2);
    for (long start = static_cast<long>(first_ms) * mix_rate / 1000; start < frames;
         start += period) {
        const long n = std::min({effect_frames, period, frames - start});
        for (long i = 0; i < 2 * n; ++i) mix[static_cast<size_t>(2 * start + i)] += effect[i];
    }
}

const int boss_tracks[] = {slot_music_boss, slot_music_boss4_5, slot_music_boss6};

TEST_F(sound_headroom, the_loudest_moment_of_play_does_not_clip) {
    const std::vector<int> gun = decoded(slot_sound_shot1);
    const std::vector<int> enemy_fire = decoded(slot_sound_shot4);
    const std::vector<int> explosion = decoded(slot_sound_explosion2);
    const std::vector<int> warning = decoded(slot_sound_warning);
    // The ship's own explosion plays on the warning's channel, cutting it.
    const int warning_channel_peak =
        std::max(peak_of(warning), peak_of(decoded(slot_sound_explosion1)));
    int loudest = 0, bound = 0;
    for (int slot : boss_tracks) {
        const std::vector<int> music = decoded(slot);
        ASSERT_FALSE(music.empty());
        // Whatever their alignment: the four peaks together stay under full scale.
        const int together =
            peak_of(music) + peak_of(gun) + peak_of(explosion) + warning_channel_peak;
        EXPECT_LE(together, full_scale) << "slot " << slot;
        bound = std::max(bound, together);

        // A boss fight at its busiest, over the whole track: the gun's volleys,
        // enemy fire, a kill and a warning beep every second.
        std::vector<int> mix = music;
        add_every(mix, gun, 0, 104);
        add_every(mix, enemy_fire, 37, 130);
        add_every(mix, explosion, 250, 1000);
        add_every(mix, warning, 610, 1000);
        long clipped = 0;
        for (int x : mix) clipped += x > full_scale || x < -full_scale - 1;
        EXPECT_EQ(clipped, 0) << "slot " << slot;
        loudest = std::max(loudest, peak_of(mix));
    }
    std::printf("loudest moment of play: mix peak %d (%.1f dBFS); the four peaks together %d "
                "(%.1f dBFS)\n",
                loudest, dbfs(loudest), bound, dbfs(bound));
}

// The typical size of one sample's step on either side of a stereo track.
int typical_step(const std::vector<int>& s) {
    std::vector<int> steps;
    for (size_t i = 2; i < s.size(); ++i) steps.push_back(std::abs(s[i] - s[i - 2]));
    std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() / 2),
                     steps.end());
    return steps[steps.size() / 2];
}

TEST_F(sound_headroom, boss_tracks_join_their_end_to_their_start_without_a_click) {
    for (int slot : boss_tracks) {
        const std::vector<int> s = decoded(slot);
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
