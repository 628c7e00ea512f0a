// The sprite family: everything that flies, burns or fills up during play.
#include "sprites/gen_sprites.h"
#include "sprites/sprite_parts.h"

void add_sprite_jobs(asset_jobs& jobs) {
    jobs.push_back({"ship", generate_ship_sprites, {}});
    jobs.push_back({"shots", generate_shot_sprites, {}});
    jobs.push_back({"gauges", generate_gauge_sprites, {}});
    jobs.push_back({"explosions", generate_explosion_sprites, {}});
}
