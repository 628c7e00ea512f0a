// The sprite family: everything that flies, burns or fills up during play.
#include "sprites/gen_sprites.h"
#include "sprites/sprite_parts.h"

void generate_sprites(asset_sink& sink) {
    generate_ship_sprites(sink);
    generate_shot_sprites(sink);
    generate_gauge_sprites(sink);
    generate_explosion_sprites(sink);
}
