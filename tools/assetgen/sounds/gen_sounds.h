// The twelve sound effects.
#pragma once

#include "core/asset_jobs.h"

void add_sound_jobs(asset_jobs& jobs);
