// The screen every layer draws on, the play field between the two side
// panels, and the player's ship: the figures the game's moves and bounds are
// measured against.
#pragma once

inline constexpr int screen_width = 640;
inline constexpr int screen_height = 480;

// The play field: x 138 to 501, the full height of the screen. The left panel
// ends at x 137, the right one starts at field_end_x.
inline constexpr int field_x = 138;
inline constexpr int field_width = 364;
inline constexpr int field_end_x = field_x + field_width;
static_assert(field_end_x == 502);

// The ship's picture and body.
inline constexpr int ship_width = 37;
inline constexpr int ship_height = 32;
