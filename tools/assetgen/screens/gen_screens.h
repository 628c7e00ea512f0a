// Everything carrying text: title, credits, controls, menus, cards, banners,
// digits, HUD frames and labels, continue, loading, score and ending screens.
#pragma once

#include "core/asset_jobs.h"

// The screens showing the player's ship run after the job named `ship_job`.
void add_screen_jobs(asset_jobs& jobs, const std::string& ship_job);
