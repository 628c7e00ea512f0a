// The eleven music tracks.
#pragma once

#include "core/asset_sink.h"

void generate_music(asset_sink& sink);
