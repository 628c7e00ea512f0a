#include "enemies/gen_enemies.h"
#include "enemies/enemy_cast.h"

void generate_enemies(asset_sink& sink) {
    generate_sky_cast(sink);
    generate_forest_cast(sink);
    generate_cave_cast(sink);
    generate_volcano_cast(sink);
    generate_station_cast(sink);
    generate_duellist(sink);
}
