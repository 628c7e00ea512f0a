// assetgen OUT_DIR [--sheet FILE] [--icons DIR]   (--help: this usage)
// Writes every picture, sound and music file of the catalogue into OUT_DIR
// (as Images/ and Sound/), the same bytes on every run; with --icons, the
// desktop icon at every size under DIR. The generators run side by side on
// every processor (core/asset_jobs.h).
#include <chrono>
#include <cstdio>
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

namespace {

constexpr const char* usage = "usage: assetgen OUT_DIR [--sheet FILE] [--icons DIR]\n";

struct command_line {
    std::string out_dir, sheet, icons;
    bool help = false;
};

// Reads the command line; a word it does not know, an option without its
// value or a second folder is refused with its reason (nothing is written).
bool read_command_line(int argc, char** argv, command_line& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--help" || word == "-h") {
            line.help = true;
        } else if (word == "--sheet" || word == "--icons") {
            if (i + 1 == argc) {
                std::fprintf(stderr, "assetgen: %s needs a value\n", word.c_str());
                return false;
            }
            (word == "--sheet" ? line.sheet : line.icons) = argv[++i];
        } else if (word.starts_with("-")) {
            std::fprintf(stderr, "assetgen: unknown option %s\n", word.c_str());
            return false;
        } else if (!line.out_dir.empty()) {
            std::fprintf(stderr, "assetgen: one output folder only, not also %s\n", word.c_str());
            return false;
        } else {
            line.out_dir = word;
        }
    }
    if (!line.help && line.out_dir.empty()) {
        std::fprintf(stderr, "assetgen: no output folder given\n");
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    command_line line;
    if (!read_command_line(argc, argv, line)) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (line.help) {
        std::fputs(usage, stdout);
        return 0;
    }
    // Every screen needs its lettering: without the fonts there is no point
    // spending minutes on the rest.
    if (!fonts_available()) return 1;

    const auto start = std::chrono::steady_clock::now();
    asset_sink sink = make_sink(line.out_dir);
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
    if (!line.sheet.empty()) write_contact_sheet(sink, line.sheet);
    if (!line.icons.empty() && !write_icons(sink, line.icons)) return 1;
    if (!check_complete(sink)) return 1;
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: 250 slots written to %s in %.1f s\n", line.out_dir.c_str(), seconds);
    return 0;
}
