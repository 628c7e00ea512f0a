// The generators, one per family of assets. Each writes its slots through the
// sink; together they cover all 250 slots of the catalogue.
#pragma once

#include "asset_sink.h"

// Player ship and its shots, super bolts, life icon, gauge strips, boss bars,
// explosion strips and enemy bullets.
void generate_sprites(asset_sink& sink);
// Every enemy and boss with their second frames and flash pictures.
void generate_enemies(asset_sink& sink);
// Scrolling backdrops and their outro variants, the cave frames, the black
// and white cards.
void generate_backdrops(asset_sink& sink);
// Everything carrying text: title, credits, controls, menus, cards, banners,
// digits, HUD frames and labels, continue, loading, score and ending screens.
void generate_screens(asset_sink& sink);
// The twelve sound effects.
void generate_sounds(asset_sink& sink);
// The eleven music tracks.
void generate_music(asset_sink& sink);
