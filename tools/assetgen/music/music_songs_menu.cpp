// The pieces heard outside the levels: the title theme, the epilogue and
// the farewell. All three end properly rather than loop.
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

song_plan song_introduction() {
    song_plan s;
    s.title = "Introduction";
    s.slot = slot_music_introduction;
    s.seed = 0x1a7a0001u;
    s.tonic = 62; // D major, bright and open for brass
    s.mode = mode_major;
    s.seconds = 90.0f;
    s.tail = 4.5f;
    s.final_chord = "I";
    s.theme_density = {0.45f, 0.4f, 0.5f};
    s.melody_low = -1, s.melody_high = 10;
    s.bass_octave = -2;
    s.pad_centre = 60, s.arp_base = 62;
    s.voices[part_lead] = brass_lead();
    s.voices[part_counter] = string_line();
    s.voices[part_bass] = saw_bass();
    s.voices[part_pad] = warm_pad();
    s.voices[part_arp] = chip_arp();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.kit.tom_pitch = 95, s.kit.tom_decay = 0.4f, s.kit.timpani_pitch = 49;
    s.reverb = {0.82f, 0.3f, 0.55f};
    s.echo_beats = 0.75f;
    s.loudness_db = -15;
    s.sections = {
        {4, "I bVII IV I", 0, B::held, D::toms, A::none, 0.4f, sec_pad | sec_bells | sec_riser},
        {8, "I V vi IV I V IV,V I", 1, B::root_fifth, D::march, A::none, 0.7f,
         sec_pad | sec_crash | sec_fill},
        {8, "I V vi IV I V IV,V I", 1, B::gallop, D::rock, A::broken8, 0.85f,
         sec_pad | sec_harmony | sec_crash | sec_fill},
        {8, "vi IV I V vi IV ii V", 2, B::pulse8, D::half_time, A::none, 0.7f,
         sec_pad | sec_bells | sec_crash},
        {4, "IV V iii vi", 0, B::held, D::none, A::updown16, 0.45f,
         sec_pad | sec_counter | sec_riser | sec_roll},
        {8, "I V vi IV I V IV,V I", 1, B::gallop, D::rock, A::up16, 1.0f,
         sec_pad | sec_harmony | sec_high | sec_crash | sec_fill},
        {4, "bVI bVII bVI,bVII I", 3, B::root_fifth, D::march, A::none, 0.9f,
         sec_pad | sec_crash | sec_roll},
    };
    return s;
}

song_plan song_free() {
    song_plan s;
    s.title = "Free";
    s.slot = slot_music_free;
    s.seed = 0xf4ee0002u;
    s.beats_per_bar = 3; // a slow waltz: nostalgic rather than sad
    s.tonic = 67;        // G major with the minor iv for the bitter side
    s.mode = mode_major;
    s.seconds = 85.0f;
    s.tail = 5.0f;
    s.final_chord = "Iadd9";
    s.theme_density = {0.3f, 0.35f, 0.3f};
    s.melody_low = -2, s.melody_high = 8;
    s.bass_octave = -2;
    s.pad_centre = 60, s.arp_base = 60;
    s.voices[part_lead] = flute_lead();
    s.voices[part_counter] = string_line();
    s.voices[part_bass] = round_bass();
    s.voices[part_pad] = glass_pad();
    s.voices[part_arp] = electric_piano();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.mix[part_arp].gain = 0.3f;
    s.mix[part_lead].echo = 0.25f;
    s.kit.kick_decay = 0.25f, s.kit.kick_pitch = 52;
    s.drum_gain = 0.7f;
    s.reverb = {0.86f, 0.4f, 0.65f};
    s.echo_beats = 1.5f;
    s.loudness_db = -19;
    s.sections = {
        {4, "I iii IV iv", 0, B::held, D::none, A::broken8, 0.3f, sec_pad},
        {8, "I V vi iii IV I ii,IV V", 1, B::halves, D::none, A::broken8, 0.45f, sec_pad},
        {8, "vi IV I V vi IV iv V", 2, B::halves, D::waltz, A::broken8, 0.55f,
         sec_pad | sec_counter},
        {8, "I V vi iii IV I ii,IV V", 1, B::halves, D::waltz, A::broken8, 0.6f,
         sec_pad | sec_bells | sec_harmony},
        {4, "IV iv I vi", 2, B::held, D::none, A::none, 0.35f,
         sec_pad | sec_theme_bell | sec_sparse},
        {4, "IV iv ii,V I", 1, B::halves, D::none, A::broken8, 0.4f, sec_pad | sec_sparse},
    };
    return s;
}

song_plan song_bye() {
    song_plan s;
    s.title = "Bye";
    s.slot = slot_music_bye;
    s.seed = 0xb7e00003u;
    s.tonic = 65; // F major: warm
    s.mode = mode_major;
    s.seconds = 80.0f;
    s.tail = 4.5f;
    s.final_chord = "Imaj7";
    s.swing = 0.35f;
    s.theme_density = {0.45f, 0.4f, 0.4f};
    s.melody_low = -2, s.melody_high = 9;
    s.bass_octave = -2;
    s.pad_centre = 60, s.arp_base = 60;
    s.voices[part_lead] = square_lead();
    s.voices[part_lead].cutoff = 1300;
    s.voices[part_counter] = flute_lead();
    s.voices[part_bass] = round_bass();
    s.voices[part_pad] = warm_pad();
    s.voices[part_arp] = electric_piano();
    s.voices[part_bell] = fm_bell();
    s.voices[part_fx] = noise_riser();
    s.mix = default_mix();
    s.mix[part_counter].gain = 0.3f;
    s.mix[part_arp].gain = 0.4f;
    s.kit.snare_decay = 0.12f, s.kit.kick_decay = 0.28f;
    s.drum_gain = 0.6f;
    s.reverb = {0.8f, 0.45f, 0.5f};
    s.loudness_db = -17;
    s.sections = {
        {4, "Imaj7 vi7 IVmaj7 V", 0, B::held, D::none, A::broken8, 0.35f, sec_pad},
        {8, "I iii IV V vi IV ii V", 1, B::walking, D::light, A::broken8, 0.55f, sec_pad},
        {8, "IV V iii vi ii V I,vi ii,V", 2, B::walking, D::light, A::broken8, 0.6f,
         sec_pad | sec_counter | sec_fill},
        {8, "I iii IV V vi IV ii V", 1, B::walking, D::rock, A::broken8, 0.7f,
         sec_pad | sec_harmony | sec_bells | sec_crash},
        {2, "IV iv", 0, B::held, D::none, A::none, 0.4f, sec_pad | sec_bells},
    };
    return s;
}
