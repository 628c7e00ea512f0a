// The families of text-bearing pictures, one file each; generate_screens
// runs them in this order.
#pragma once

#include "core/asset_sink.h"

void make_title_screens(asset_sink& sink);  // title, cheat title, "press Enter"
void make_intro_screens(asset_sink& sink);  // programming, art and sound, controls
void make_ending_screens(asset_sink& sink); // thanks, goodbye, final score, the end, try again
void make_hud_pictures(asset_sink& sink);   // side frames, digits, 1P, many lives, BOSS
void make_menu_screens(asset_sink& sink);   // difficulty menu, continue, loading
void make_level_cards(asset_sink& sink);    // the six level title cards
void make_level_banners(asset_sink& sink);  // warning, game over, end-of-level score panel
