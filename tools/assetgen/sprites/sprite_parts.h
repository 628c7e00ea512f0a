// The pieces of the sprite family, one file each: the player's ship and life
// icon, every shot and bullet, the gauge and boss-bar strips, the explosions.
#pragma once

#include "core/asset_sink.h"

void generate_ship_sprites(asset_sink& sink);
void generate_shot_sprites(asset_sink& sink);
void generate_gauge_sprites(asset_sink& sink);
void generate_explosion_sprites(asset_sink& sink);
