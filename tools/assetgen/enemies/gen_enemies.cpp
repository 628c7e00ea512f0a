#include "enemies/gen_enemies.h"
#include "enemies/enemy_cast.h"

void add_enemy_jobs(asset_jobs& jobs) {
    jobs.push_back({"sky cast", generate_sky_cast, {}});
    jobs.push_back({"forest cast", generate_forest_cast, {}});
    jobs.push_back({"cave cast", generate_cave_cast, {}});
    jobs.push_back({"volcano cast", generate_volcano_cast, {}});
    jobs.push_back({"station cast", generate_station_cast, {}});
    jobs.push_back({"duellist", generate_duellist, {}});
}
