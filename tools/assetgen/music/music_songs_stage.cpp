// The five stage pieces. Each lasts exactly until its level's boss appears,
// so their lengths are fixed: the tempo stretches to fit the bars, and a
// final chord rings out under the warning beeps.
#include "audio/instruments.h"
#include "music/kit/music_harmony.h"
#include "music/kit/music_mix.h"
#include "music/music_songs.h"
#include "support/asset_slots.h"

namespace {
using B = bass_style;
using D = drum_style;
using A = arp_style;
} // namespace

song_plan song_prayer() {
    song_plan s;
    s.title = "Prayer";
    s.slot = slot_music_prayer;
    s.seed = 0x9a7e0004u;
    s.tonic = 64; // E major: open sky
    s.mode = mode_major;
    s.seconds = 109.0f;
    s.tail = 2.6f;
    s.final_chord = "IVadd9";
    s.theme_density = {0.55f, 0.5f, 0.65f};
    s.melody_low = -2, s.melody_high = 10;
    s.bass_octave = -2;
    s.pad_centre = 61, s.arp_base = 64;
    s.voices[part_lead] = pulse_lead();
    s.voices[part_counter] = square_lead();
    s.voices[part_counter].gain = 0.4f;
    s.voices[part_bass] = saw_bass();
    s.voices[part_pad] = glass_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.reverb = {0.78f, 0.35f, 0.45f};
    s.echo_beats = 0.75f;
    s.drum_gain = 0.9f;
    s.loudness_db = -15;
    s.sections = {
        {4, "I V vi IV", 0, B::held, D::none, A::up16, 0.45f, sec_pad | sec_riser},
        {8, "I V vi IV I V IV V", 1, B::octaves, D::rock, A::none, 0.75f,
         sec_pad | sec_crash | sec_fill},
        {8, "I V vi IV I V IV V", 1, B::octaves, D::rock, A::up8, 0.8f,
         sec_pad | sec_harmony | sec_fill},
        {8, "vi IV I V vi IV ii V", 2, B::pulse8, D::four_floor, A::none, 0.8f,
         sec_pad | sec_bells | sec_crash},
        {4, "IV V iii vi", 0, B::held, D::none, A::updown16, 0.45f, sec_pad | sec_bells},
        {4, "IV V ii V", 0, B::pulse8, D::half_time, A::up16, 0.65f, sec_roll | sec_riser},
        {8, "I V vi IV I V IV V", 1, B::octaves, D::rock, A::up16, 1.0f,
         sec_pad | sec_high | sec_harmony | sec_crash | sec_fill},
        {8, "vi IV I V vi IV ii V", 2, B::pulse8, D::four_floor, A::up8, 0.9f,
         sec_pad | sec_counter | sec_crash | sec_fill},
        {8, "IV I V vi IV I ii V", 3, B::syncopated, D::breakbeat, A::none, 0.85f,
         sec_pad | sec_bells | sec_crash | sec_roll},
    };
    return s;
}

song_plan song_forest() {
    song_plan s;
    s.title = "Forest";
    s.slot = slot_music_forest;
    s.seed = 0xf0e50005u;
    s.tonic = 62; // D dorian: woody, a little wistful
    s.mode = mode_dorian;
    s.seconds = 135.0f;
    s.tail = 3.0f;
    s.final_chord = "isus2";
    s.swing = 0.25f;
    s.theme_density = {0.45f, 0.55f, 0.4f};
    s.melody_low = -1, s.melody_high = 10;
    s.bass_octave = -2;
    s.pad_centre = 60, s.arp_base = 62;
    s.voices[part_lead] = flute_lead();
    s.voices[part_counter] = string_line();
    s.voices[part_bass] = pluck_bass();
    s.voices[part_pad] = choir_pad();
    s.voices[part_arp] = pluck_arp();
    s.voices[part_bell] = fm_bell();
    s.voices[part_bell].fm_ratio = 4.0f;
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.mix[part_arp].gain = 0.4f;
    s.mix[part_pad].gain = 0.28f;
    s.mix[part_lead].gain = 0.5f;
    s.kit.kick_pitch = 55, s.kit.kick_decay = 0.26f;
    s.kit.snare_tone = 210, s.kit.snare_decay = 0.12f;
    s.kit.tom_pitch = 130;
    s.drum_gain = 0.7f;
    s.reverb = {0.8f, 0.5f, 0.5f};
    s.echo_beats = 0.75f;
    s.loudness_db = -16;
    s.sections = {
        {4, "i IV i IV", 0, B::held, D::none, A::broken8, 0.4f, sec_pad},
        {8, "i IV i IV bVII IV v i", 1, B::syncopated, D::light, A::broken8, 0.6f,
         sec_pad | sec_no_kick},
        {8, "i IV i IV bVII IV v i", 1, B::syncopated, D::light, A::broken8, 0.65f,
         sec_pad | sec_counter | sec_fill},
        {8, "bIII bVII IV i bIII bVII IV v", 2, B::walking, D::breakbeat, A::up8, 0.75f,
         sec_pad | sec_crash | sec_fill},
        {4, "iv bVII i i", 0, B::held, D::none, A::triplets, 0.4f, sec_pad | sec_bells},
        {8, "i IV i IV bVII IV v i", 1, B::syncopated, D::breakbeat, A::broken8, 0.85f,
         sec_pad | sec_high | sec_harmony | sec_crash | sec_fill},
        {8, "bVI bVII i i bVI bVII IV IV", 3, B::halves, D::toms, A::triplets, 0.7f,
         sec_pad | sec_bells},
        {8, "bIII bVII IV i bIII bVII IV v", 2, B::walking, D::breakbeat, A::up8, 0.85f,
         sec_pad | sec_counter | sec_crash | sec_fill},
        {4, "i IV bVII i", 1, B::held, D::light, A::broken8, 0.5f, sec_pad | sec_sparse},
    };
    return s;
}

song_plan song_grotte() {
    song_plan s;
    s.title = "Grotte";
    s.slot = slot_music_grotte;
    s.seed = 0x6a0e0006u;
    s.tonic = 64; // E phrygian: dark, the flat second hangs in the air
    s.mode = mode_phrygian;
    s.seconds = 107.4f;
    s.tail = 3.6f;
    s.final_chord = "i";
    s.theme_density = {0.3f, 0.35f, 0.3f};
    s.melody_low = -3, s.melody_high = 7;
    s.bass_octave = -2;
    s.pad_centre = 58, s.arp_base = 59;
    s.voices[part_lead] = square_lead();
    s.voices[part_lead].cutoff = 1100, s.voices[part_lead].cutoff_env = 900;
    s.voices[part_lead].vibrato_depth = 0.25f;
    s.voices[part_counter] = flute_lead();
    s.voices[part_bass] = round_bass();
    s.voices[part_bass].cutoff = 450;
    s.voices[part_pad] = warm_pad();
    s.voices[part_pad].cutoff = 700;
    s.voices[part_arp] = pluck_arp();
    s.voices[part_arp].pluck_bright = 0.4f;
    s.voices[part_bell] = fm_bell();
    s.voices[part_bell].fm_ratio = 2.76f; // inharmonic: water drops on stone
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.mix[part_bell] = {0.3f, -0.35f, 0.55f, 0.45f};
    s.mix[part_lead].echo = 0.3f;
    s.kit.kick_pitch = 42, s.kit.kick_decay = 0.4f;
    s.kit.tom_pitch = 80, s.kit.tom_decay = 0.45f;
    s.drum_gain = 0.7f;
    s.drum_reverb = 0.3f;
    s.reverb = {0.9f, 0.45f, 0.7f};
    s.echo_beats = 1.5f;
    s.echo_feedback = 0.45f;
    s.loudness_db = -17;
    s.sections = {
        {4, "i bII i bII", 0, B::held, D::heartbeat, A::none, 0.35f, sec_pad | sec_bells},
        {8, "i bII i bvii i bII bvii i", 1, B::held, D::heartbeat, A::triplets, 0.5f,
         sec_pad | sec_bells},
        {8, "i bII i bvii i bII bvii i", 1, B::halves, D::half_time, A::triplets, 0.6f,
         sec_pad | sec_counter | sec_fill},
        {8, "iv bVI bII i iv bVI bII bII", 2, B::halves, D::toms, A::none, 0.65f,
         sec_pad | sec_bells | sec_riser},
        {4, "i bII bvii i", 0, B::held, D::none, A::triplets, 0.35f, sec_pad | sec_bells},
        {4, "i bII bvii i", 1, B::held, D::heartbeat, A::none, 0.4f,
         sec_pad | sec_sparse | sec_theme_counter},
    };
    return s;
}

song_plan song_volcan() {
    song_plan s;
    s.title = "Volcan";
    s.slot = slot_music_volcan;
    s.seed = 0x701c0007u;
    s.tonic = 69; // A minor, pushed hard
    s.mode = mode_minor;
    s.seconds = 137.0f;
    s.tail = 2.6f;
    s.final_chord = "i";
    s.theme_density = {0.6f, 0.5f, 0.7f};
    s.melody_low = -4, s.melody_high = 7;
    s.bass_octave = -3;
    s.pad_centre = 60, s.arp_base = 64;
    s.voices[part_lead] = brass_lead();
    s.voices[part_lead].drive = 0.3f;
    s.voices[part_counter] = square_lead();
    s.voices[part_counter].gain = 0.4f;
    s.voices[part_bass] = saw_bass();
    s.voices[part_bass].drive = 0.4f;
    s.voices[part_bass].cutoff = 420;
    s.voices[part_pad] = warm_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.kit.kick_pitch = 46, s.kit.kick_drive = 0.6f;
    s.kit.snare_tone = 175, s.kit.snare_decay = 0.18f;
    s.kit.tom_pitch = 100;
    s.drum_gain = 0.85f;
    s.reverb = {0.75f, 0.4f, 0.4f};
    s.echo_beats = 0.75f;
    s.loudness_db = -14.5f;
    s.sections = {
        {4, "i i bVI bVII", 0, B::pulse8, D::toms, A::none, 0.7f, sec_riser},
        {8, "i i bVI bVII i i bVI,bVII i", 0, B::pulse8, D::rock, A::stabs, 0.85f,
         sec_pad | sec_crash | sec_fill},
        {8, "i bVII bVI bVII i bVII bVI V", 1, B::pulse8, D::rock, A::none, 0.85f,
         sec_pad | sec_crash},
        {8, "i bVII bVI bVII i bVII bVI V", 1, B::gallop, D::rock, A::up16, 0.9f,
         sec_pad | sec_harmony | sec_fill},
        {8, "iv bVII bIII bVI iv bVII V V", 2, B::octaves, D::breakbeat, A::stabs, 0.85f,
         sec_pad | sec_crash | sec_fill},
        {4, "bVI bVII i i", 0, B::held, D::none, A::updown16, 0.5f, sec_pad | sec_bells},
        {4, "bVI bVII bVI V", 0, B::sixteenths, D::half_time, A::none, 0.75f, sec_roll | sec_riser},
        {8, "bVI bVII i i bVI bVII V V", 3, B::gallop, D::double_kick, A::up16, 1.0f,
         sec_pad | sec_crash | sec_fill},
        {8, "i bVII bVI bVII i bVII bVI V", 1, B::gallop, D::rock, A::up16, 1.0f,
         sec_pad | sec_high | sec_harmony | sec_crash},
        {8, "iv bVII bIII bVI iv bVII V V", 2, B::octaves, D::breakbeat, A::stabs, 0.9f,
         sec_pad | sec_counter | sec_crash | sec_fill},
        {8, "i i bVI bVII i i bVI,bVII i", 0, B::pulse8, D::rock, A::up16, 0.9f,
         sec_pad | sec_bells | sec_crash | sec_fill},
        {8, "i bVII bVI bVII i bVII bVI V", 1, B::pulse8, D::double_kick, A::none, 0.95f,
         sec_pad | sec_sparse | sec_crash | sec_roll},
    };
    return s;
}

song_plan song_enterprise() {
    song_plan s;
    s.title = "Enterprise";
    s.slot = slot_music_enterprise;
    s.seed = 0xe7e90008u;
    s.tonic = 66; // F# minor with a dorian lift: cool and mechanical
    s.mode = mode_dorian;
    s.seconds = 150.0f;
    s.tail = 3.0f;
    s.final_chord = "i";
    s.theme_density = {0.5f, 0.45f, 0.6f};
    s.melody_low = -2, s.melody_high = 9;
    s.bass_octave = -2;
    s.pad_centre = 61, s.arp_base = 61;
    s.voices[part_lead] = pulse_lead();
    s.voices[part_lead].pulse_width = 0.22f;
    s.voices[part_lead].cutoff = 2000;
    s.voices[part_counter] = glass_pad();
    s.voices[part_counter].gain = 0.35f;
    s.voices[part_counter].attack = 0.2f;
    s.voices[part_bass] = square_bass();
    s.voices[part_pad] = glass_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_arp].decay = 0.09f;
    s.voices[part_bell] = fm_bell();
    s.voices[part_bell].fm_ratio = 1.41f;
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.mix[part_arp].echo = 0.35f;
    s.mix[part_lead].echo = 0.3f;
    s.kit.kick_pitch = 50, s.kit.kick_decay = 0.3f;
    s.kit.hat_colour = 9000;
    s.drum_gain = 0.9f;
    s.mix[part_bass].gain = 0.55f;
    s.reverb = {0.84f, 0.3f, 0.5f};
    s.echo_beats = 0.75f;
    s.echo_feedback = 0.4f;
    s.loudness_db = -15;
    s.sections = {
        {8, "i i bVII bVII bVI bVI bVII bVII", 0, B::held, D::none, A::up16, 0.4f,
         sec_pad | sec_riser},
        {8, "i bVII bVI bVII i bVII IV IV", 1, B::octaves, D::four_floor, A::up16, 0.75f,
         sec_pad | sec_crash | sec_fill},
        {8, "i bVII bVI bVII i bVII IV IV", 1, B::octaves, D::four_floor, A::up16, 0.8f,
         sec_pad | sec_counter | sec_fill},
        {8, "bVI bVII i i bVI bVII IV V", 2, B::syncopated, D::four_floor, A::updown16, 0.8f,
         sec_pad | sec_bells | sec_crash},
        {8, "bVI bVI i i bVI bVI IV IV", 0, B::held, D::none, A::triplets, 0.45f,
         sec_pad | sec_bells | sec_riser},
        {8, "i bVII bVI bVII i bVII IV V", 3, B::octaves, D::four_floor, A::up16, 0.9f,
         sec_pad | sec_crash | sec_fill},
        {8, "i bVII bVI bVII i bVII IV IV", 1, B::octaves, D::four_floor, A::updown16, 1.0f,
         sec_pad | sec_high | sec_harmony | sec_crash | sec_fill},
        {8, "bVI bVII i i bVI bVII IV V", 2, B::syncopated, D::breakbeat, A::up16, 0.85f,
         sec_pad | sec_bells | sec_crash},
        {12, "i bVII bVI bVII", 0, B::octaves, D::four_floor, A::up16, 0.75f,
         sec_pad | sec_counter | sec_crash | sec_roll},
    };
    return s;
}
