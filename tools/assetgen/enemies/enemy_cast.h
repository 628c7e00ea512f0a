// The enemies and bosses of each level, one function per cast; together they
// write catalogue slots 151 to 226.
#pragma once

#include "core/asset_sink.h"

// Level 1 (bright sky): twin plane, ghosts, fairy, the large plane boss, and
// the two pictures the game loads but never shows (dragon, small plane).
void generate_sky_cast(asset_sink& sink);
// Level 2 (forest) and its Level 4 recolour: long plane, wheels, claw, boss.
void generate_forest_cast(asset_sink& sink);
// Level 3 (cave): bat, beetles in four headings, cave monster boss.
void generate_cave_cast(asset_sink& sink);
// Level 4 (volcano): ball, star, falling arrow, gadget, lava boss.
void generate_volcano_cast(asset_sink& sink);
// Level 5 (space station) and Level 6: angel, cuckoo, station boss, final boss.
void generate_station_cast(asset_sink& sink);
// Epilogue: the duellist.
void generate_duellist(asset_sink& sink);

// The long plane in its colour schemes: Level 2 forest, Level 4 volcano, and
// the sky colours of the small plane the game loads but never shows.
enum class plane_scheme { forest, volcano, sky };
picture forest_plane_picture(plane_scheme scheme, int frame);
