// Plays a composed score through its instruments into interleaved stereo at
// 44.1 kHz, with echo, reverb, level matching and a soft ceiling.
#pragma once

#include <vector>

#include "music/kit/music_plan.h"

std::vector<float> render_song(const song_plan& plan, const song_score& score);
