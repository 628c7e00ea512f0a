// Scrolling backdrops and their outro variants, the cave frames, the black
// and white cards.
#pragma once

#include "core/asset_jobs.h"

void add_backdrop_jobs(asset_jobs& jobs);
