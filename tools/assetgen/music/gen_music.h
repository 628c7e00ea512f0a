// The eleven music tracks.
#pragma once

#include "core/asset_jobs.h"

// One job a track, longest first.
void add_music_jobs(asset_jobs& jobs);
