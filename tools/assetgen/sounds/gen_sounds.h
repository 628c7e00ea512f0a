// The twelve sound effects.
#pragma once

#include "core/asset_sink.h"

void generate_sounds(asset_sink& sink);
