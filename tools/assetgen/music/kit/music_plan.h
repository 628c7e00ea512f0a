// How a piece of music is described before it is composed: key, tempo,
// instruments, and a list of sections saying which parts play and how.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "audio/audio_space.h"
#include "audio/audio_voices.h"

// The parts of the band. Each has its own instrument and place in the mix.
enum part_id {
    part_lead,
    part_counter,
    part_bass,
    part_pad,
    part_arp,
    part_bell,
    part_fx,
    part_count
};

struct part_mix {
    float gain = 1;
    float pan = 0; // -1 left .. 1 right
    float reverb = 0.2f;
    float echo = 0;
};

enum class bass_style {
    none,
    held,
    pulse8,
    root_fifth,
    gallop,
    walking,
    syncopated,
    octaves,
    sixteenths,
    halves
};
enum class drum_style {
    none,
    rock,
    four_floor,
    half_time,
    march,
    breakbeat,
    light,
    double_kick,
    toms,
    waltz,
    heartbeat
};
enum class arp_style { none, up8, up16, updown16, broken8, stabs, triplets };

// Section flags.
constexpr unsigned sec_pad = 1u << 0;        // sustained chords
constexpr unsigned sec_harmony = 1u << 1;    // counter part doubles the theme a third or so below
constexpr unsigned sec_counter = 1u << 2;    // counter part plays slow long-note line
constexpr unsigned sec_bells = 1u << 3;      // bell part sprinkles chord tones up high
constexpr unsigned sec_fill = 1u << 4;       // drum fill in the last bar
constexpr unsigned sec_crash = 1u << 5;      // cymbal on the first beat
constexpr unsigned sec_riser = 1u << 6;      // noise sweep rising over the last bar
constexpr unsigned sec_high = 1u << 7;       // theme an octave up
constexpr unsigned sec_theme_bell = 1u << 8; // theme played by the bell part
constexpr unsigned sec_theme_counter = 1u << 9; // theme played by the counter part
constexpr unsigned sec_sparse = 1u << 10;       // theme reduced to its long notes
constexpr unsigned sec_low = 1u << 11;          // theme an octave down
constexpr unsigned sec_roll = 1u << 12;         // snare roll building through the last bar
constexpr unsigned sec_no_kick = 1u << 14;      // drums without the kick (lighter variation)

struct section_plan {
    int bars = 8;
    const char* chords = "I"; // one token per bar, "IV,V" splits a bar; cycles
    int theme = 0;            // 0 none, 1..3 = theme A, B, C
    bass_style bass = bass_style::none;
    drum_style drums = drum_style::none;
    arp_style arp = arp_style::none;
    float energy = 0.7f; // 0..1: loudness and busyness
    unsigned flags = 0;
};

enum class song_end { ring, loop };

struct song_plan {
    const char* title = "";
    int slot = 0;
    std::uint32_t seed = 1;
    float bpm = 120; // loops use it as is; ringing songs stretch it to fit seconds
    int beats_per_bar = 4;
    int tonic = 69; // MIDI pitch of the key note in the theme's octave
    std::array<int, 7> mode = {0, 2, 4, 5, 7, 9, 11};
    song_end ending = song_end::ring;
    float seconds = 0; // exact length of a ringing song
    float tail = 3;    // seconds the final chord rings (ringing songs)
    const char* final_chord = "I";
    float swing = 0; // delay of the off-beat eighths, in sixteenths
    std::array<float, 3> theme_density = {0.5f, 0.5f, 0.5f};
    int melody_low = -3, melody_high = 9; // theme range in scale degrees around the tonic
    int bass_octave = -2;                 // bass register relative to the tonic's octave
    int pad_centre = 62;                  // where the chord voicings sit
    int arp_base = 64;
    std::array<voice_recipe, part_count> voices{};
    std::array<part_mix, part_count> mix{};
    drum_kit kit{};
    float drum_gain = 0.8f;
    float drum_reverb = 0.12f;
    reverb_params reverb{};
    float echo_beats = 0.75f;
    float echo_feedback = 0.35f;
    float echo_level = 0.35f;
    float loudness_db = -15; // level of the loud passages
    std::vector<section_plan> sections;
};

// What composing produces: timed notes and drum hits.
struct note_event {
    double time = 0;
    double length = 0;
    float pitch = 60;
    float velocity = 1;
    int part = part_lead;
};
struct drum_event {
    double time = 0;
    drum_kind kind = drum_kind::kick;
    float velocity = 1;
};
struct song_score {
    std::vector<note_event> notes;
    std::vector<drum_event> drums;
    long frames = 0;
    double bar_seconds = 0;
    double bpm = 0;
};
