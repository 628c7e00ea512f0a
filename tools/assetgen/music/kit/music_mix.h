// The usual balance of the parts; songs adjust from here.
#pragma once

#include <array>

#include "music/kit/music_plan.h"

std::array<part_mix, part_count> default_mix();
