// Themes: a two-bar call and a one-bar answer, made once per song from its
// seed and then replayed over whatever chords a section brings, so a tune
// keeps its identity while the harmony moves under it.
#pragma once

#include <cstdint>
#include <vector>

struct motif_note {
    int step = 0;   // sixteenth within the phrase
    int len = 4;    // in sixteenths
    int degree = 0; // scale degree relative to the key note
};

struct theme {
    std::vector<motif_note> call;   // two bars
    std::vector<motif_note> answer; // one bar that settles on the key note
    int shift = 1;                  // how far the second phrase moves the call
};

theme make_theme(std::uint32_t seed, int steps_per_bar, float density, int low, int high);
