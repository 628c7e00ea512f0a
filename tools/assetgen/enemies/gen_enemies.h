// Every enemy and boss with their second frames and flash pictures.
#pragma once

#include "core/asset_jobs.h"

void add_enemy_jobs(asset_jobs& jobs);
