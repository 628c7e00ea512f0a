// assetgen OUT_DIR [--sheet FILE] [--icons DIR]
// Writes every picture, sound and music file of the catalogue into OUT_DIR
// (as Images/ and Sound/), the same bytes on every run; with --icons, the
// desktop icon at every size under DIR. The generators run side by side on
// every processor (core/asset_jobs.h).
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "backdrops/gen_backdrops.h"
#include "core/asset_jobs.h"
#include "core/icons.h"
#include "core/text.h"
#include "enemies/gen_enemies.h"
#include "music/gen_music.h"
#include "screens/gen_screens.h"
#include "sounds/gen_sounds.h"
#include "sprites/gen_sprites.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT_DIR [--sheet FILE] [--icons DIR]\n", argv[0]);
        return 2;
    }
    std::string sheet, icons;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--sheet") == 0) sheet = argv[i + 1];
        if (std::strcmp(argv[i], "--icons") == 0) icons = argv[i + 1];
    }
    // Every screen needs its lettering: without the fonts there is no point
    // spending minutes on the rest.
    if (!fonts_available()) return 1;

    const auto start = std::chrono::steady_clock::now();
    asset_sink sink = make_sink(argv[1]);
    // Longest first, so the threads finish at about the same time; the ship
    // comes before everything since the screens show it.
    asset_jobs jobs;
    add_sprite_jobs(jobs);
    add_music_jobs(jobs);
    add_backdrop_jobs(jobs);
    add_enemy_jobs(jobs);
    add_screen_jobs(jobs, "ship");
    add_sound_jobs(jobs);
    if (!run_asset_jobs(sink, jobs, machine_threads())) return 1;
    if (!sheet.empty()) write_contact_sheet(sink, sheet);
    if (!icons.empty() && !write_icons(sink, icons)) return 1;
    if (!check_complete(sink)) return 1;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: 250 slots written to %s in %.1f s\n", argv[1], seconds);
    return 0;
}
