// Scrolling backdrops and their outro variants, the cave frames, the black
// and white cards.
#pragma once

#include "core/asset_sink.h"

void generate_backdrops(asset_sink& sink);
