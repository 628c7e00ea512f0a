#include "shell/data_folder.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

// From the installed binary's folder to the installed data folder; the
// install rules set it from the layout they use.
#ifndef GRAZE_DATA_FROM_BINARY
#define GRAZE_DATA_FROM_BINARY "../../../share/games/graze"
#endif

namespace {

bool holds_images(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "Images", error);
}

} // namespace

std::string data_folder_beside(const std::string& binary) {
    const fs::path folder = fs::path(binary).parent_path();
    for (const fs::path& candidate : {folder / "assets", folder / GRAZE_DATA_FROM_BINARY}) {
        std::error_code error;
        const fs::path found = fs::weakly_canonical(candidate, error);
        if (!error && holds_images(found)) return found.string();
    }
    return {};
}

bool game_data_here() {
    if (holds_images(".")) return true;
    std::error_code error;
    const std::string here = fs::current_path(error).string();
    const std::string binary = fs::read_symlink("/proc/self/exe", error).string();
    const std::string data = error ? std::string() : data_folder_beside(binary);
    std::fprintf(stderr,
                 "Graze: no game data in %s (the game reads ./Images/ and Sound/ from the folder "
                 "it starts in).\nStart it with the graze launcher, or from its data folder",
                 here.c_str());
    if (data.empty())
        std::fprintf(stderr, " (build/assets in a build, share/games/graze once installed).\n");
    else
        std::fprintf(stderr, ":\n    cd %s && %s\n", data.c_str(), binary.c_str());
    return false;
}
