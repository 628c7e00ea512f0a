// Everything carrying text: title, credits, controls, menus, cards, banners,
// digits, HUD frames and labels, continue, loading, score and ending screens.
#pragma once

#include "core/asset_sink.h"

void generate_screens(asset_sink& sink);
