// Turns a song plan into timed notes and drum hits: themes over the chords
// of each section, the accompaniment, and the ending.
#pragma once

#include "music/kit/music_plan.h"

song_score compose_song(const song_plan& plan);

// Length the composed song will have, in seconds, without composing it.
double song_seconds(const song_plan& plan);
