// Synth voices: one recipe describes an instrument (oscillator, envelope,
// filter, vibrato), and render_note plays one note of it. Drum hits are made
// the same way from a small kit description.
#pragma once

#include <cstdint>
#include <vector>

enum class osc_shape { sine, triangle, saw, square, pulse, fm, pluck, noise, organ };

struct voice_recipe {
    osc_shape shape = osc_shape::saw;
    int unison = 1;           // 1..3 oscillators, spread across the stereo field
    float detune_cents = 0;   // between the outer unison oscillators and the centre
    float width = 0;          // stereo spread of the unison oscillators, 0..1
    float pulse_width = 0.5f; // duty cycle of the pulse shape
    float pwm_depth = 0;      // slow wobble of the duty cycle
    float pwm_rate = 0.3f;
    float sub_level = 0;   // sine an octave below, to thicken basses
    float noise_level = 0; // breath on top of the tone
    float attack = 0.005f, decay = 0.2f, sustain = 0.7f, release = 0.1f;
    float cutoff = 8000;  // low-pass cutoff in Hz at the sustain level
    float cutoff_env = 0; // extra cutoff at the start of the note, decaying away
    float cutoff_decay = 0.2f;
    float key_track = 0;     // 1 = cutoff follows the note's pitch
    float resonance = 0.7f;  // filter Q
    bool band_pass = false;  // band-pass instead of low-pass (noise sweeps)
    float sweep_to = 0;      // cutoff reached at the end of the gate, 0 = none
    float vibrato_depth = 0; // semitones
    float vibrato_rate = 5.5f;
    float vibrato_delay = 0.25f;
    float fm_ratio = 1, fm_index = 0, fm_decay = 0.5f, fm_sustain = 0;
    float pluck_decay = 1.5f; // seconds to fade for the plucked string
    float pluck_bright = 0.5f;
    float organ[4] = {1, 0.5f, 0.25f, 0.12f}; // harmonic levels of the organ shape
    float drive = 0;                          // soft saturation amount
    float pitch_drop = 0;                     // semitones above the note at the onset, gliding down
    float pitch_drop_time = 0.03f;
    float gain = 1;
};

// Renders one note, release included, into left/right from index 0 (the
// vectors grow as needed and are reused between notes). Returns the frames
// written. seed varies the noise and the phases from note to note.
int render_note(const voice_recipe& v, float pitch, float seconds, float velocity,
                std::uint32_t seed, std::vector<float>& left, std::vector<float>& right);

enum class drum_kind {
    kick,
    snare,
    rim,
    clap,
    hat_closed,
    hat_open,
    crash,
    tom_low,
    tom_mid,
    tom_high,
    shaker,
    timpani
};

struct drum_kit {
    float kick_pitch = 48, kick_start = 160, kick_sweep = 0.035f, kick_decay = 0.2f;
    float kick_click = 0.4f, kick_drive = 0.3f;
    float snare_tone = 185, snare_decay = 0.16f, snare_noise = 0.75f, snare_colour = 3500;
    float hat_decay = 0.045f, open_decay = 0.28f, hat_colour = 8000;
    float crash_decay = 1.6f;
    float tom_pitch = 110, tom_decay = 0.22f;
    float timpani_pitch = 55;
};

// Renders one hit (mono) into out from index 0; returns the frames written.
int render_drum(const drum_kit& kit, drum_kind kind, float velocity, std::uint32_t seed,
                std::vector<float>& out);
