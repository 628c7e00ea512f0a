#pragma once

// The game itself: start-up, the game loop over title, menus, levels and end
// screens, and the goodbye. Returns the process exit status.
int game_main();
