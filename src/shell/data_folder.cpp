#include "shell/data_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/report.h"

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
    const std::string how =
        data.empty() ? std::string(" (build/assets in a build, share/games/graze once installed).")
                     : ":\n    cd " + data + " && " + binary;
    report_line("no game data in %s (the game reads ./Images/ and Sound/ from the folder it "
                "starts in).\nStart it with the graze launcher, or from its data folder%s",
                here.c_str(), how.c_str());
    return false;
}
