// The eleven pieces of the game, one plan each.
#pragma once

#include <vector>

#include "music/kit/music_plan.h"

song_plan song_introduction(); // 227 title: heroic, ends properly
song_plan song_free();         // 228 epilogue: quiet and bittersweet
song_plan song_prayer();       // 229 Level 1: bright sky
song_plan song_boss();         // 230 boss of Levels 1-3: tense loop
song_plan song_forest();       // 231 Level 2
song_plan song_grotte();       // 232 Level 3: the cave
song_plan song_volcan();       // 233 Level 4: driving
song_plan song_boss4_5();      // 234 boss of Levels 4-5: heavier loop
song_plan song_enterprise();   // 235 Level 5: the space station
song_plan song_boss6();        // 236 the final fight: epic loop
song_plan song_bye();          // 237 farewell: warm, ends properly

// All of them in slot order, 227 first.
std::vector<song_plan> all_songs();
