// The accompaniment: bass lines, drum grooves, arpeggios, bells, slow
// counter lines and pad chords, each written over one section's chords.
#pragma once

#include <vector>

#include "audio/audio_dsp.h"
#include "music/kit/music_harmony.h"
#include "music/kit/music_plan.h"

// Shared state while one song is being composed.
struct compose_ctx {
    const song_plan* plan = nullptr;
    song_score* score = nullptr;
    int steps_per_bar = 16;
    double step_seconds = 0.125;
    lcg rng;
    std::vector<int> pad_voicing;  // last chord voicing, for smooth movement
    std::vector<size_t> pad_notes; // the pad's sounding notes, extended while a chord tone stays
    int pad_end_step = -1;         // where those notes currently end
    int counter_pitch = 0;         // last note of the slow counter line
};

// Time of a (possibly fractional) sixteenth step, swing included.
double step_time(const compose_ctx& ctx, double step);
void add_note(compose_ctx& ctx, int part, double step, double len_steps, int pitch, float velocity,
              float legato = 0.92f);
void add_drum(compose_ctx& ctx, double step, drum_kind kind, float velocity);

void write_bass(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans);
void write_drums(compose_ctx& ctx, const section_plan& s, int first_bar);
void write_arp(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans);
void write_bells(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans);
void write_counter(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans);
void write_pad(compose_ctx& ctx, const section_plan& s, const std::vector<chord_span>& spans);
