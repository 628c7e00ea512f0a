// The three boss pieces. The game restarts them whenever they end, so each
// is one seamless loop: its last bar is a fill that lands on its first, and
// the tails of the last notes ring on into the start.
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

song_plan song_boss() {
    song_plan s;
    s.title = "Boss";
    s.slot = slot_music_boss;
    s.seed = 0xb0550009u;
    s.ending = song_end::loop;
    s.bpm = 160;  // a bar is exactly 1.5 s: 48 bars make a 72 s loop
    s.tonic = 60; // C minor with the raised leading note for bite
    s.mode = mode_harmonic_minor;
    s.theme_density = {0.6f, 0.45f, 0.65f};
    s.melody_low = -2, s.melody_high = 9;
    s.bass_octave = -2;
    s.pad_centre = 60, s.arp_base = 60;
    s.voices[part_lead] = brass_lead();
    s.voices[part_lead].drive = 0.25f;
    s.voices[part_counter] = square_lead();
    s.voices[part_counter].gain = 0.4f;
    s.voices[part_bass] = saw_bass();
    s.voices[part_bass].drive = 0.3f;
    s.voices[part_pad] = warm_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.kit.kick_pitch = 47, s.kit.kick_drive = 0.5f;
    s.drum_gain = 0.85f;
    s.reverb = {0.74f, 0.4f, 0.4f};
    s.loudness_db = -14.5f;
    s.sections = {
        {8, "i i bVI V i i bVI,bVII V", 0, B::sixteenths, D::double_kick, A::stabs, 0.85f,
         sec_crash | sec_pad},
        {8, "i bVI iv V i bVI iv V", 1, B::sixteenths, D::rock, A::none, 0.9f, sec_pad | sec_crash},
        {8, "i bVI iv V i bVI iv V", 1, B::gallop, D::rock, A::up16, 0.95f,
         sec_pad | sec_harmony | sec_fill},
        {8, "bVI bVII i i bVI bVII V V", 2, B::held, D::half_time, A::none, 0.6f,
         sec_pad | sec_theme_bell | sec_crash | sec_riser},
        {8, "i bVI iv V i bVI iv V", 2, B::sixteenths, D::double_kick, A::up16, 1.0f,
         sec_pad | sec_high | sec_crash | sec_fill},
        {8, "iv V i i iv V bVI V", 3, B::gallop, D::toms, A::stabs, 0.85f, sec_pad | sec_roll},
    };
    return s;
}

song_plan song_boss4_5() {
    song_plan s;
    s.title = "Boss4-5";
    s.slot = slot_music_boss4_5;
    s.seed = 0xb045000au;
    s.ending = song_end::loop;
    s.bpm = 144;  // bars of 1.667 s: 48 bars make an 80 s loop
    s.tonic = 64; // E phrygian, tuned low and heavy
    s.mode = mode_phrygian;
    s.theme_density = {0.5f, 0.4f, 0.6f};
    s.melody_low = -3, s.melody_high = 7;
    s.bass_octave = -3;
    s.pad_centre = 58, s.arp_base = 59;
    s.voices[part_lead] = brass_lead();
    s.voices[part_lead].drive = 0.45f;
    s.voices[part_lead].cutoff = 1200;
    s.voices[part_counter] = brass_lead();
    s.voices[part_counter].gain = 0.35f;
    s.voices[part_bass] = saw_bass();
    s.voices[part_bass].drive = 0.6f;
    s.voices[part_bass].sub_level = 0.5f;
    s.voices[part_pad] = choir_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_arp].cutoff = 1800;
    s.voices[part_bell] = fm_bell();
    s.voices[part_bell].fm_ratio = 2.76f;
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.kit.kick_pitch = 43, s.kit.kick_decay = 0.3f, s.kit.kick_drive = 0.8f;
    s.kit.snare_tone = 165, s.kit.snare_decay = 0.2f;
    s.kit.tom_pitch = 85;
    s.drum_gain = 0.9f;
    s.reverb = {0.8f, 0.45f, 0.45f};
    s.loudness_db = -14.5f;
    s.sections = {
        {8, "i bII i bII i bII bVII,bII i", 0, B::sixteenths, D::double_kick, A::stabs, 0.9f,
         sec_crash | sec_pad},
        {8, "i bII bVII i i bII iv,bVII i", 1, B::sixteenths, D::half_time, A::none, 0.85f,
         sec_pad | sec_low | sec_crash},
        {8, "i bII bVII i i bII iv,bVII i", 1, B::sixteenths, D::double_kick, A::up16, 1.0f,
         sec_pad | sec_harmony | sec_crash | sec_fill},
        {8, "iv bVI bII i iv bVI bII bII", 2, B::held, D::toms, A::none, 0.6f,
         sec_pad | sec_theme_bell | sec_riser},
        {8, "iv bVI bII i iv bVI bVII bII", 2, B::gallop, D::double_kick, A::stabs, 1.0f,
         sec_pad | sec_crash | sec_fill},
        {8, "i bII bVII bII i bII bVII bII", 3, B::sixteenths, D::rock, A::updown16, 0.9f,
         sec_pad | sec_roll},
    };
    return s;
}

song_plan song_boss6() {
    song_plan s;
    s.title = "Boss6";
    s.slot = slot_music_boss6;
    s.seed = 0xb060000bu;
    s.ending = song_end::loop;
    s.bpm = 150;  // bars of 1.6 s: 64 bars make a 102.4 s loop
    s.tonic = 62; // D harmonic minor: the last stand
    s.mode = mode_harmonic_minor;
    s.theme_density = {0.5f, 0.45f, 0.55f};
    s.melody_low = -2, s.melody_high = 10;
    s.bass_octave = -2;
    s.pad_centre = 60, s.arp_base = 62;
    s.voices[part_lead] = brass_lead();
    s.voices[part_lead].unison = 3;
    s.voices[part_lead].detune_cents = 9;
    s.voices[part_lead].gain = 0.42f;
    s.voices[part_counter] = string_line();
    s.voices[part_bass] = saw_bass();
    s.voices[part_bass].drive = 0.35f;
    s.voices[part_pad] = choir_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.mix[part_pad].gain = 0.3f;
    s.mix[part_lead].gain = 0.7f;
    s.kit.kick_pitch = 45, s.kit.kick_drive = 0.5f;
    s.kit.tom_pitch = 90, s.kit.tom_decay = 0.4f, s.kit.timpani_pitch = 55;
    s.drum_gain = 0.85f;
    s.reverb = {0.85f, 0.35f, 0.5f};
    s.loudness_db = -14.5f;
    s.sections = {
        {8, "i i bVI bVI iv iv V V", 0, B::held, D::toms, A::none, 0.65f,
         sec_pad | sec_counter | sec_crash},
        {8, "i bVI bVII V i bVI bVII,V i", 0, B::sixteenths, D::double_kick, A::stabs, 0.9f,
         sec_pad | sec_crash | sec_fill},
        {8, "i bVI bIII bVII i bVI iv V", 1, B::gallop, D::rock, A::none, 0.9f,
         sec_pad | sec_crash},
        {8, "i bVI bIII bVII i bVI iv V", 1, B::gallop, D::rock, A::up16, 0.95f,
         sec_pad | sec_harmony | sec_fill},
        {8, "bVI bVII bIII bVI iv bVII V V", 2, B::pulse8, D::march, A::updown16, 0.85f,
         sec_pad | sec_crash | sec_bells},
        {8, "iv iv i i bVI bVI V V", 3, B::held, D::half_time, A::triplets, 0.6f,
         sec_pad | sec_theme_bell | sec_riser},
        {8, "i bVI bIII bVII i bVI iv V", 1, B::sixteenths, D::double_kick, A::up16, 1.0f,
         sec_pad | sec_high | sec_harmony | sec_crash | sec_fill},
        {8, "bVI bVII bIII bVI iv bVII V V", 2, B::gallop, D::march, A::stabs, 0.95f,
         sec_pad | sec_counter | sec_crash | sec_roll},
    };
    return s;
}
