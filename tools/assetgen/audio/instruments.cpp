#include "audio/instruments.h"

voice_recipe pulse_lead() {
    voice_recipe v;
    v.shape = osc_shape::pulse;
    v.pulse_width = 0.3f;
    v.pwm_depth = 0.12f;
    v.pwm_rate = 0.7f;
    v.attack = 0.006f, v.decay = 0.3f, v.sustain = 0.65f, v.release = 0.12f;
    v.cutoff = 2600, v.cutoff_env = 2500, v.cutoff_decay = 0.15f, v.key_track = 0.5f;
    v.vibrato_depth = 0.2f, v.vibrato_rate = 5.6f, v.vibrato_delay = 0.22f;
    v.gain = 0.55f;
    return v;
}

voice_recipe brass_lead() {
    voice_recipe v;
    v.shape = osc_shape::saw;
    v.unison = 2, v.detune_cents = 7, v.width = 0.35f;
    v.attack = 0.03f, v.decay = 0.35f, v.sustain = 0.75f, v.release = 0.14f;
    v.cutoff = 1500, v.cutoff_env = 3200, v.cutoff_decay = 0.22f, v.key_track = 0.6f;
    v.resonance = 0.9f;
    v.vibrato_depth = 0.16f, v.vibrato_rate = 5.2f, v.vibrato_delay = 0.3f;
    v.gain = 0.5f;
    return v;
}

voice_recipe flute_lead() {
    voice_recipe v;
    v.shape = osc_shape::triangle;
    v.noise_level = 0.05f;
    v.attack = 0.05f, v.decay = 0.4f, v.sustain = 0.85f, v.release = 0.18f;
    v.cutoff = 3200, v.key_track = 0.4f;
    v.vibrato_depth = 0.22f, v.vibrato_rate = 5.0f, v.vibrato_delay = 0.28f;
    v.gain = 0.75f;
    return v;
}

voice_recipe square_lead() {
    voice_recipe v;
    v.shape = osc_shape::square;
    v.attack = 0.01f, v.decay = 0.4f, v.sustain = 0.7f, v.release = 0.15f;
    v.cutoff = 1600, v.cutoff_env = 1500, v.cutoff_decay = 0.2f, v.key_track = 0.5f;
    v.vibrato_depth = 0.18f, v.vibrato_rate = 5.3f, v.vibrato_delay = 0.25f;
    v.gain = 0.5f;
    return v;
}

voice_recipe string_line() {
    voice_recipe v;
    v.shape = osc_shape::saw;
    v.unison = 3, v.detune_cents = 9, v.width = 0.6f;
    v.attack = 0.18f, v.decay = 0.5f, v.sustain = 0.85f, v.release = 0.35f;
    v.cutoff = 2200, v.key_track = 0.3f;
    v.vibrato_depth = 0.1f, v.vibrato_rate = 5.0f, v.vibrato_delay = 0.3f;
    v.gain = 0.32f;
    return v;
}

voice_recipe saw_bass() {
    voice_recipe v;
    v.shape = osc_shape::saw;
    v.sub_level = 0.6f;
    v.attack = 0.003f, v.decay = 0.25f, v.sustain = 0.6f, v.release = 0.06f;
    v.cutoff = 320, v.cutoff_env = 1300, v.cutoff_decay = 0.1f, v.resonance = 1.3f;
    v.gain = 0.75f;
    return v;
}

voice_recipe square_bass() {
    voice_recipe v;
    v.shape = osc_shape::square;
    v.sub_level = 0.3f;
    v.attack = 0.003f, v.decay = 0.3f, v.sustain = 0.7f, v.release = 0.06f;
    v.cutoff = 500, v.cutoff_env = 800, v.cutoff_decay = 0.12f;
    v.gain = 0.7f;
    return v;
}

voice_recipe round_bass() {
    voice_recipe v;
    v.shape = osc_shape::triangle;
    v.sub_level = 0.4f;
    v.attack = 0.01f, v.decay = 0.6f, v.sustain = 0.7f, v.release = 0.15f;
    v.cutoff = 700;
    v.gain = 0.9f;
    return v;
}

voice_recipe pluck_bass() {
    voice_recipe v;
    v.shape = osc_shape::pluck;
    v.pluck_decay = 2.0f, v.pluck_bright = 0.35f;
    v.sub_level = 0.25f;
    v.attack = 0.002f, v.decay = 1, v.sustain = 1, v.release = 0.08f;
    v.cutoff = 900;
    v.gain = 1.6f;
    return v;
}

voice_recipe warm_pad() {
    voice_recipe v;
    v.shape = osc_shape::saw;
    v.unison = 3, v.detune_cents = 12, v.width = 0.8f;
    v.attack = 0.45f, v.decay = 1.0f, v.sustain = 0.85f, v.release = 0.55f;
    v.cutoff = 1100, v.key_track = 0.2f;
    v.gain = 0.22f;
    return v;
}

voice_recipe choir_pad() {
    voice_recipe v;
    v.shape = osc_shape::triangle;
    v.unison = 3, v.detune_cents = 10, v.width = 0.7f;
    v.noise_level = 0.04f;
    v.attack = 0.5f, v.decay = 1.0f, v.sustain = 0.9f, v.release = 0.6f;
    v.cutoff = 2400, v.resonance = 1.0f;
    v.vibrato_depth = 0.08f, v.vibrato_rate = 4.6f, v.vibrato_delay = 0.4f;
    v.gain = 0.28f;
    return v;
}

voice_recipe glass_pad() {
    voice_recipe v;
    v.shape = osc_shape::pulse;
    v.pulse_width = 0.4f, v.pwm_depth = 0.15f, v.pwm_rate = 0.25f;
    v.unison = 2, v.detune_cents = 8, v.width = 0.9f;
    v.attack = 0.6f, v.decay = 1.0f, v.sustain = 0.8f, v.release = 0.7f;
    v.cutoff = 1800;
    v.gain = 0.2f;
    return v;
}

voice_recipe pluck_arp() {
    voice_recipe v;
    v.shape = osc_shape::pluck;
    v.pluck_decay = 1.2f, v.pluck_bright = 0.65f;
    v.attack = 0.001f, v.decay = 1, v.sustain = 1, v.release = 0.15f;
    v.cutoff = 5000;
    v.gain = 0.6f;
    return v;
}

voice_recipe chip_arp() {
    voice_recipe v;
    v.shape = osc_shape::square;
    v.attack = 0.002f, v.decay = 0.12f, v.sustain = 0.15f, v.release = 0.05f;
    v.cutoff = 2400, v.cutoff_env = 2500, v.cutoff_decay = 0.06f;
    v.gain = 0.3f;
    return v;
}

voice_recipe fm_bell() {
    voice_recipe v;
    v.shape = osc_shape::fm;
    v.fm_ratio = 3.5f, v.fm_index = 2.4f, v.fm_decay = 0.5f;
    v.attack = 0.002f, v.decay = 1.1f, v.sustain = 0.0f, v.release = 0.6f;
    v.cutoff = 9000;
    v.gain = 0.35f;
    return v;
}

voice_recipe electric_piano() {
    voice_recipe v;
    v.shape = osc_shape::fm;
    v.fm_ratio = 1.0f, v.fm_index = 1.6f, v.fm_decay = 0.35f, v.fm_sustain = 0.15f;
    v.attack = 0.003f, v.decay = 1.4f, v.sustain = 0.25f, v.release = 0.3f;
    v.cutoff = 5000;
    v.gain = 0.45f;
    return v;
}

voice_recipe noise_riser() {
    voice_recipe v;
    v.shape = osc_shape::noise;
    v.band_pass = true;
    v.cutoff = 350, v.sweep_to = 7000, v.resonance = 2.0f;
    v.attack = 1.4f, v.decay = 1, v.sustain = 1, v.release = 0.08f;
    v.gain = 0.5f;
    return v;
}
