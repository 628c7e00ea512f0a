// Moved: the slot names live with the asset table in support/.
#pragma once
#include "support/asset_slots.h"
