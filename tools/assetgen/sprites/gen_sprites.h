// Player ship and its shots, super bolts, life icon, gauge strips, boss bars,
// explosion strips and enemy bullets.
#pragma once

#include "core/asset_sink.h"

void generate_sprites(asset_sink& sink);
