// A stage's sound rebuilt from the simulator's trace, as the game's mixer
// adds it: the music from its traced start (once, until its end or a fade),
// and every effect at its traced tick on its channel at unity gain, a new
// effect on a channel cutting the one before. Summed without clamping, so
// clipping can be counted.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "loudness_meter.h"
#include "pcm_decode.h"
#include "support/asset_slots.h"

enum class mix_call { chunk, music_play, music_fade };

struct mix_event {
    long frame = 0; // sample frame at 44.1 kHz from the start of play (may be negative)
    mix_call call = mix_call::chunk;
    int channel = -1;
    int slot = -1;
};

// The sound and music events of a trace, in its (time) order. Lines that are
// not sound or music events are skipped.
std::vector<mix_event> mix_events_of(const std::vector<std::string>& trace_lines);

// The music tracks and effects of the catalogue, decoded: all of them, or
// only those the events play (a stage's music alone is tens of megabytes).
struct mix_sounds {
    std::array<pcm_stereo, asset_slot_count - first_music_slot> by_slot;
    // A trial gain per slot (1 as generated), to try a balance before
    // generating it.
    std::array<float, asset_slot_count - first_music_slot> gain = [] {
        std::array<float, asset_slot_count - first_music_slot> g{};
        g.fill(1.0f);
        return g;
    }();
    const pcm_stereo& of(int slot) const {
        return by_slot[static_cast<size_t>(slot - first_music_slot)];
    }
};
bool load_mix_sounds(const std::string& asset_dir, mix_sounds& sounds, std::string& error,
                     const std::vector<mix_event>* only_played = nullptr);
std::string sound_path(const std::string& asset_dir, int slot);

// Which sources a rendering holds.
struct mix_part {
    bool music = true;
    bool effects = true;
    int only_slot = -1; // with effects: that effect alone
};

// The levels fade their music out over one second; the trace does not carry
// the length, so the rebuilt mix uses that.
constexpr long music_fade_frames = pcm_rate;
// The game mixes on eight channels.
constexpr int mix_channels = 8;

// Frames [from, to) of the mix, as interleaved stereo at +-1 full scale.
void render_mix(const std::vector<mix_event>& events, const mix_sounds& sounds, mix_part part,
                long from, long to, std::vector<float>& out);
// First and last frame (exclusive) where anything sounds.
void mix_extent(const std::vector<mix_event>& events, const mix_sounds& sounds, long& from,
                long& to);

struct stage_mix_report {
    loudness_figures whole;
    double loudest_start = 0; // seconds from the start of play
    loudness_figures loudest; // the loudest stretch of `window_seconds`
    double effects_energy = 0;
    double gun_energy = 0;
    double gun_share = 0;                          // of the effects' K-weighted energy
    double enemy_fire_momentary_max = silent_lufs; // enemy fire alone, its loudest 400 ms
    // Within the loudest stretch, each source alone (ungated, LUFS): the
    // music, then every effect by slot.
    double loudest_music = silent_lufs;
    std::array<double, asset_slot_count - first_chunk_slot> loudest_effects{};
};

constexpr double loudest_window_seconds = 10;

bool analyse_stage_mix(const std::vector<mix_event>& events, const mix_sounds& sounds,
                       stage_mix_report& report);
