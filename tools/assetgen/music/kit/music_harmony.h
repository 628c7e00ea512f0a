// Chords written as roman numerals relative to the key ("i bVI bIII bVII",
// "IV,V" for two chords in one bar), scales that bend to fit the chord of
// the moment, and chord voicings that move smoothly.
#pragma once

#include <array>
#include <string_view>
#include <vector>

struct chord {
    int root = 0;               // semitones above the key note, 0..11
    std::array<int, 4> tones{}; // semitones above the root
    int count = 3;
};

// A chord held over a run of sixteenth steps (counted from the song start).
struct chord_span {
    int step = 0;
    int steps = 0;
    chord c;
};

chord parse_chord(std::string_view token);
// Chords for bars first_bar..first_bar+bars-1; the tokens repeat when the
// text has fewer bars than the section.
std::vector<chord_span> chord_spans(const char* text, int first_bar, int bars, int steps_per_bar);

using scale7 = std::array<int, 7>;

constexpr scale7 mode_major = {0, 2, 4, 5, 7, 9, 11};
constexpr scale7 mode_minor = {0, 2, 3, 5, 7, 8, 10};
constexpr scale7 mode_dorian = {0, 2, 3, 5, 7, 9, 10};
constexpr scale7 mode_phrygian = {0, 1, 3, 5, 7, 8, 10};
constexpr scale7 mode_harmonic_minor = {0, 2, 3, 5, 7, 8, 11};
constexpr scale7 mode_mixolydian = {0, 2, 4, 5, 7, 9, 10};
constexpr scale7 mode_lydian = {0, 2, 4, 6, 7, 9, 11};

bool chord_has(const chord& c, int tonic, int pitch);
// Nearest pitch that belongs to the chord; ties go in the direction of bias.
int nearest_chord_tone(const chord& c, int tonic, int target, int bias);
// Nearest pitch whose class is the chord's root.
int nearest_root(const chord& c, int tonic, int target);
// The key's mode with any clashing step replaced by the chord's own tone.
scale7 local_scale(const scale7& mode, const chord& c);
int degree_pitch(const scale7& scale, int tonic, int degree);
// Bass note for the chord's root in the octave starting at base.
int bass_root(const chord& c, int base);
// Close voicing nearest the previous one (or centred on centre when empty).
std::vector<int> voice_chord(const chord& c, int tonic, const std::vector<int>& previous,
                             int centre);
// The chord's pitches from low upwards over the given number of octaves.
std::vector<int> chord_ladder(const chord& c, int tonic, int low, int octaves);
