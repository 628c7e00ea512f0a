// Every enemy and boss with their second frames and flash pictures.
#pragma once

#include "core/asset_sink.h"

void generate_enemies(asset_sink& sink);
