// Player ship and its shots, super bolts, life icon, gauge strips, boss bars,
// explosion strips and enemy bullets.
#pragma once

#include "core/asset_jobs.h"

// The ship's job is named "ship": the screens show the ship it draws.
void add_sprite_jobs(asset_jobs& jobs);
