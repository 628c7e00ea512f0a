// The install tree: `cmake --install` under a prefix and DESTDIR lays the game
// out as a Linux game (launcher, private binary, data folder, desktop entry,
// icons, manual page) and holds every slot of the catalogue with the build's
// bytes; the launcher answers --help and --version itself and refuses options
// the game does not have. (The real-window test starts the installed game
// through the launcher from another folder.)
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/asset_catalogue.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* prefix = "/opt/graze-test";

struct command_result {
    int status = -1;
    std::string out; // standard output and error together
};

command_result run(const std::string& command) {
    command_result result;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) result.out.append(chunk, n);
        const int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The catalogue's relative path without its leading "./".
std::string relative(const char* path) {
    std::string rel = path;
    return rel.rfind("./", 0) == 0 ? rel.substr(2) : rel;
}

// One install for the whole group, into a folder of its own.
struct install_tree : ::testing::Test {
    static inline fs::path destdir;
    static inline fs::path root; // destdir + prefix
    static inline command_result installed;

    static void SetUpTestSuite() {
        destdir = fs::temp_directory_path() / ("graze-install-" + std::to_string(getpid()));
        fs::remove_all(destdir);
        root = destdir / fs::path(prefix).relative_path();
        installed =
            run("DESTDIR='" + destdir.string() +
                "' '" GRAZE_CMAKE_COMMAND "' --install '" GRAZE_BINARY_DIR "' --prefix " + prefix);
    }
    static void TearDownTestSuite() { fs::remove_all(destdir); }

    void SetUp() override { ASSERT_EQ(installed.status, 0) << installed.out; }

    std::string launcher() const { return (root / "games/graze").string(); }
};

TEST_F(install_tree, every_slot_of_the_catalogue_is_installed_with_the_builds_bytes) {
    const fs::path data = root / "share/games/graze";
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        const std::string rel = relative(asset_catalogue[slot].path);
        ASSERT_TRUE(fs::is_regular_file(data / rel)) << "slot " << slot << ": " << rel;
        EXPECT_EQ(read_file(data / rel), read_file(fs::path(GRAZE_ASSET_DIR) / rel))
            << "slot " << slot << ": " << rel;
    }
    // The game itself sits in a private folder, not on the PATH.
    EXPECT_TRUE(fs::is_regular_file(root / "lib/games/graze/graze"));
    EXPECT_FALSE(fs::exists(root / "bin/graze"));
    EXPECT_EQ(fs::status(root / "games/graze").permissions() & fs::perms::others_exec,
              fs::perms::others_exec);
}

TEST_F(install_tree, the_launcher_answers_help_and_version_and_refuses_options) {
    const command_result version = run("cd / && '" + launcher() + "' --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "graze " GRAZE_VERSION "\n");

    const command_result help = run("cd / && '" + launcher() + "' --help");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: graze [--help | --version]\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("Arrows steer, G fires the main gun"), std::string::npos) << help.out;
    EXPECT_NE(help.out.find("Game data: " + (root / "share/games/graze").string()),
              std::string::npos)
        << help.out;

    for (const char* wrong : {"--fullscreen", "--help --version", "-x"}) {
        const command_result refused = run("'" + launcher() + "' " + wrong);
        EXPECT_EQ(refused.status, 2) << wrong;
        EXPECT_EQ(refused.out.rfind("graze: ", 0), 0u) << refused.out;
        EXPECT_NE(refused.out.find("the game takes no options"), std::string::npos) << refused.out;
    }
}

TEST_F(install_tree, the_desktop_entry_icons_and_manual_page_name_the_installed_game) {
    const std::string entry = read_file(root / "share/applications/graze.desktop");
    EXPECT_EQ(entry.rfind("[Desktop Entry]\n", 0), 0u) << entry;
    EXPECT_NE(entry.find("\nExec=" + std::string(prefix) + "/games/graze\n"), std::string::npos)
        << entry;
    EXPECT_NE(entry.find("\nIcon=graze\n"), std::string::npos) << entry;
    EXPECT_NE(entry.find("\nCategories=Game;ArcadeGame;\n"), std::string::npos) << entry;

    // The player's ship on a transparent square at every size.
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string edge = std::to_string(size);
        const fs::path icon =
            root / "share/icons/hicolor" / (edge + "x" + edge) / "apps" / "graze.png";
        SDL_Surface* s = IMG_Load(icon.c_str());
        ASSERT_NE(s, nullptr) << icon;
        EXPECT_EQ(s->w, size);
        EXPECT_EQ(s->h, size);
        ASSERT_EQ(s->format->BytesPerPixel, 4) << icon;
        auto alpha = [&](int x, int y) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x], s->format, &r, &g,
                        &b, &a);
            return a;
        };
        EXPECT_EQ(alpha(0, 0), 0) << icon;
        EXPECT_EQ(alpha(size - 1, size - 1), 0) << icon;
        EXPECT_EQ(alpha(size / 2, size / 2), 255) << icon;
        SDL_FreeSurface(s);
    }

    const command_result page =
        run("gzip -dc '" + (root / "share/man/man6/graze.6.gz").string() + "'");
    EXPECT_EQ(page.status, 0) << page.out;
    EXPECT_NE(page.out.find(".TH GRAZE 6 \"" GRAZE_RELEASE_DATE "\" \"Graze " GRAZE_VERSION "\""),
              std::string::npos)
        << page.out.substr(0, 300);
    EXPECT_NE(page.out.find(std::string(prefix) + "/share/games/graze/Images/"), std::string::npos);
    for (const char* section : {"CONTROLS", "DIFFICULTIES", "FILES"})
        EXPECT_NE(page.out.find(std::string(".SH ") + section), std::string::npos) << section;
}

// The Exec key as a desktop environment reads it: string escapes first, then
// the command line's quoting (a quoted argument unescapes \" \` \$ \\).
std::string first_exec_argument(const std::string& value) {
    std::string line;
    for (size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == '\\') ++i;
        line += value[i];
    }
    if (line.empty() || line[0] != '"') return line.substr(0, line.find(' '));
    std::string argument;
    for (size_t i = 1; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        argument += line[i];
    }
    return argument;
}

std::string key_of(const std::string& entry, const std::string& key) {
    const size_t at = entry.find("\n" + key + "=");
    if (at == std::string::npos) return "";
    const size_t start = at + key.size() + 2;
    return entry.substr(start, entry.find('\n', start) - start);
}

// Under a prefix with a space, quote and dollar, the entry's command line
// still names the launcher, and desktop-file-validate accepts both entries.
TEST_F(install_tree, the_desktop_entry_starts_the_launcher_under_any_prefix) {
    const std::string odd_prefix = "/opt/my games/$HOME \"x\"";
    const fs::path odd_destdir = destdir.string() + "-odd";
    const command_result odd =
        run("DESTDIR='" + odd_destdir.string() +
            "' '" GRAZE_CMAKE_COMMAND "' --install '" GRAZE_BINARY_DIR "' --prefix '" + odd_prefix +
            "'");
    ASSERT_EQ(odd.status, 0) << odd.out;
    const fs::path odd_entry =
        odd_destdir / fs::path(odd_prefix).relative_path() / "share/applications/graze.desktop";
    const std::string entry = read_file(odd_entry);
    EXPECT_EQ(key_of(entry, "Exec"), "\"/opt/my games/\\\\$HOME \\\\\"x\\\\\"/games/graze\"")
        << entry;
    EXPECT_EQ(first_exec_argument(key_of(entry, "Exec")), odd_prefix + "/games/graze");
    EXPECT_EQ(key_of(entry, "TryExec"), odd_prefix + "/games/graze");
    EXPECT_EQ(
        first_exec_argument(key_of(read_file(root / "share/applications/graze.desktop"), "Exec")),
        std::string(prefix) + "/games/graze");
    if (run("command -v desktop-file-validate").status == 0) {
        for (const fs::path& path : {root / "share/applications/graze.desktop", odd_entry}) {
            const command_result valid = run("desktop-file-validate '" + path.string() + "'");
            EXPECT_EQ(valid.status, 0) << valid.out;
            EXPECT_EQ(valid.out, "") << valid.out;
        }
    }
    fs::remove_all(odd_destdir);
}

// Every file and folder of an install tree as a package carries it: folders
// 0755, programs 0755, everything else 0644; prints each that differs.
std::string modes_unlike_a_package(const fs::path& tree) {
    std::string wrong;
    const auto mode_of = [](const fs::path& p) {
        return static_cast<unsigned>(fs::symlink_status(p).permissions() & fs::perms::mask);
    };
    for (const auto& item : fs::recursive_directory_iterator(tree)) {
        const fs::path& p = item.path();
        if (fs::is_symlink(p)) continue;
        const bool program = p.filename() == "graze"; // the launcher and the game
        const unsigned expected = item.is_directory() || program ? 0755u : 0644u;
        if (mode_of(p) != expected) {
            char line[64];
            std::snprintf(line, sizeof line, " %o (not %o)\n", mode_of(p), expected);
            wrong += fs::relative(p, tree).string() + line;
        }
    }
    return wrong;
}

// The modes come from the install rules alone: not from the umask (0002 here)
// nor from the source tree, whose files an unpacked archive may hold as
// 0664 (the desktop entry and the manual page are written from such copies).
TEST_F(install_tree, files_and_folders_get_a_packages_modes_whatever_the_umask_and_sources) {
    const fs::path loose = destdir.string() + "-umask";
    const command_result whole =
        run("umask 002 && DESTDIR='" + loose.string() +
            "' '" GRAZE_CMAKE_COMMAND "' --install '" GRAZE_BINARY_DIR "' --prefix /usr");
    ASSERT_EQ(whole.status, 0) << whole.out;
    EXPECT_EQ(modes_unlike_a_package(loose / "usr"), "");

    const fs::path sources = destdir.string() + "-sources";
    const fs::path entries = destdir.string() + "-entries";
    fs::create_directories(sources);
    for (const char* name : {"graze.desktop.in", "graze.6.in"}) {
        fs::copy_file(fs::path(GRAZE_SOURCE_DIR) / "packaging" / name, sources / name);
        fs::permissions(sources / name, static_cast<fs::perms>(0664));
    }
    const command_result written =
        run("umask 002 && DESTDIR='" + entries.string() +
            "' '" GRAZE_CMAKE_COMMAND
            "' -DCMAKE_INSTALL_PREFIX=/usr -DGRAZE_VERSION=1 -DGRAZE_RELEASE_DATE=today"
            " -DGRAZE_INSTALL_GAMESDIR=games -DGRAZE_INSTALL_DATADIR=share/games/graze"
            " -DGRAZE_INSTALL_LIBDIR=lib/games/graze -DGRAZE_APPLICATIONS_DIR=share/applications"
            " -DGRAZE_MAN6_DIR=share/man/man6 -DGRAZE_PACKAGING_DIR='" +
            sources.string() + "' -P '" GRAZE_SOURCE_DIR "/packaging/install_entries.cmake'");
    ASSERT_EQ(written.status, 0) << written.out;
    EXPECT_TRUE(fs::is_regular_file(entries / "usr/share/applications/graze.desktop"));
    EXPECT_TRUE(fs::is_regular_file(entries / "usr/share/man/man6/graze.6.gz"));
    EXPECT_EQ(modes_unlike_a_package(entries), "");
    for (const fs::path& made : {loose, sources, entries}) fs::remove_all(made);
}

} // namespace
