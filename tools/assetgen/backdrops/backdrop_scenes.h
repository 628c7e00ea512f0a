// The backdrop painters, one per scene. Every scrolling backdrop is 640x480
// and repeats vertically; the cave is a loop of frames instead.
#pragma once

#include <vector>

#include "core/picture.h"

namespace backdrop {

// Level 1: farmland far below, under a bright daytime cloud deck.
picture paint_day_sky();
// Level 1 after the flash: the same flight at dusk, higher over the clouds.
picture paint_dusk_sky();
// The epilogue: a quiet starry night sky with faint veils of nebula.
picture paint_night_sky();
// Level 2: tree tops seen from above, a river and glades.
picture paint_forest();
// Level 3: `count` frames of a cave gorge whose loop closes exactly; count
// must divide 240 (the game uses 30).
std::vector<picture> paint_cave_frames(int count);
// Level 4: cracked crust over glowing lava.
picture paint_lava();
// Levels 5 and 6: a metal deck seen from above.
picture paint_station();

} // namespace backdrop
