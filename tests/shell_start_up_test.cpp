// Start-up and exit status: a folder without the game's data, a refused video
// mode, a missing asset and an exhausted heap stop the game with a non-zero
// status before the first screen; without an audio device the game warns and
// runs silent to a normal goodbye with status 0.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "fake_assets.h"
#include "platform/platform_sim.h"
#include "shell/data_folder.h"
#include "shell/game_main.h"
#include "shell/start_up.h"
#include "slot_picture_file.h"
#include "support/asset_catalogue.h"
#include "support/asset_slots.h"
#include "support/tracked_memory.h"

namespace {

namespace fs = std::filesystem;

// Each test runs game_main in a folder of its own, as the game runs in the
// folder that holds its assets, and leaves SDL and the environment as found.
struct shell_start_up : ::testing::Test {
    fs::path previous;
    fs::path folder;

    void SetUp() override {
        sim_reset();
        release_all();
        previous = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("graze_start_up_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        fs::current_path(folder);
    }

    void TearDown() override {
        sim_reset();
        int frequency, channels;
        Uint16 format;
        if (Mix_QuerySpec(&frequency, &format, &channels)) Mix_CloseAudio();
        SDL_Quit();
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    // Every picture of the catalogue as a small BMP in its slot's colour (the
    // picture loader reads BMP content whatever the file is called); no
    // music or sound files.
    static void write_pictures() {
        fs::create_directories("Images");
        for (int slot = 0; slot < picture_slot_count; ++slot) {
            SDL_Surface* picture =
                SDL_CreateRGBSurface(SDL_SWSURFACE, 16, 16, 32, 0xff0000, 0xff00, 0xff, 0);
            SDL_FillRect(picture, nullptr,
                         SDL_MapRGB(picture->format, static_cast<Uint8>(slot), fake::picture_green,
                                    fake::picture_blue));
            save_slot_picture(picture, slot, asset_catalogue[slot].path);
            SDL_FreeSurface(picture);
        }
    }

    // The pictures above, and the generated sounds and music: a data folder
    // whose every file passes the checks made before the window opens.
    static void write_catalogue() {
        write_pictures();
        fs::create_directories("Sound");
        for (int slot = picture_slot_count; slot < asset_slot_count; ++slot) {
            const fs::path file = asset_catalogue[slot].path;
            fs::copy_file(fs::path(GRAZE_ASSET_DIR) / file, file,
                          fs::copy_options::overwrite_existing);
        }
    }
};

TEST_F(shell_start_up, a_refused_video_mode_is_reported_and_stops_before_anything_loads) {
    setenv("SDL_VIDEODRIVER", "no_such_video_driver", 1);
    write_catalogue();
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = game_main();
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, exit_start_up_failed);
    EXPECT_NE(status, 0);
    EXPECT_NE(err.find("cannot set the 640x480 video mode: "), std::string::npos) << err;
    EXPECT_EQ(err.find("Images"), std::string::npos) << err;
    EXPECT_EQ(out, ""); // not even the audio was tried
    EXPECT_EQ(sim_frame(), 0);
}

TEST_F(shell_start_up, a_folder_without_game_data_says_where_it_looked_and_how_to_start) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = game_main();
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, exit_start_up_failed);
    EXPECT_NE(err.find("no game data in " + fs::current_path().string()), std::string::npos) << err;
    EXPECT_NE(err.find("./Images/"), std::string::npos) << err;
    EXPECT_NE(err.find("graze launcher"), std::string::npos) << err;
    EXPECT_EQ(out, "");                        // not even the audio was tried
    EXPECT_EQ(SDL_GetVideoSurface(), nullptr); // no window opened
    EXPECT_EQ(sim_frame(), 0);
}

TEST_F(shell_start_up, the_data_folder_of_a_build_or_an_install_is_found_beside_its_binary) {
    fs::create_directories("build/assets/Images");
    fs::create_directories("usr/lib/games/graze");
    fs::create_directories("usr/share/games/graze/Images");
    fs::create_directories("elsewhere");
    const fs::path root = fs::current_path();
    EXPECT_EQ(data_folder_beside((root / "build/graze").string()),
              (root / "build/assets").string());
    EXPECT_EQ(data_folder_beside((root / "usr/lib/games/graze/graze").string()),
              (root / "usr/share/games/graze").string());
    EXPECT_EQ(data_folder_beside((root / "elsewhere/graze").string()), "");
}

// Without a display SDL falls back on drawing the game as text in the
// terminal, on the console or offscreen; only a player who asks for such a
// driver gets it.
TEST_F(shell_start_up, without_a_display_the_game_refuses_before_anything_loads) {
    write_catalogue(); // a data folder whose files pass the checks before the window
    const char* display = std::getenv("DISPLAY");
    const std::string saved_display = display ? display : "";
    unsetenv("SDL_VIDEODRIVER");
    setenv("DISPLAY", "", 1);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int refused = game_main();
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(refused, exit_start_up_failed);
    EXPECT_NE(err.find("no display is available"), std::string::npos) << err;
    EXPECT_EQ(err.find("Images"), std::string::npos) << err; // nothing was loaded
    EXPECT_EQ(out, "");                                      // not even the audio was tried
    EXPECT_EQ(sim_frame(), 0);

    // A display named but not there: whatever SDL falls back on is refused.
    SDL_Quit();
    setenv("DISPLAY", ":4093", 1); // no server there
    ::testing::internal::CaptureStderr();
    const int unreachable = game_main();
    const std::string unreachable_err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(unreachable, exit_start_up_failed);
    EXPECT_NE(unreachable_err.find("no display is available"), std::string::npos)
        << unreachable_err;
    EXPECT_EQ(unreachable_err.find("Images"), std::string::npos) << unreachable_err;

    // Asked for by name, a driver is the player's choice: the game goes on to
    // load its pictures (the first is missing here, and said to be before the
    // window opens, as it would be with a display). SDL's dummy driver is on
    // every library.
    SDL_Quit();
    fs::remove(asset_catalogue[slot_titre].path);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ::testing::internal::CaptureStderr();
    const int asked = game_main();
    const std::string asked_err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(asked, exit_start_up_failed);
    EXPECT_EQ(asked_err.find("no display"), std::string::npos) << asked_err;
    EXPECT_NE(asked_err.find("./Images/Titre.png"), std::string::npos) << asked_err;

    unsetenv("CACA_DRIVER");
    if (display)
        setenv("DISPLAY", saved_display.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

TEST_F(shell_start_up, a_missing_asset_is_reported_by_its_path_and_the_status_is_non_zero) {
    fs::create_directories("Images"); // the right folder, without its pictures
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int status = game_main();
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, exit_start_up_failed);
    EXPECT_NE(err.find("./Images/Titre.png"), std::string::npos) << err;
    EXPECT_EQ(out, "");        // the dummy audio device opened: no warning
    EXPECT_EQ(sim_frame(), 0); // no screen was shown
}

// Every file is checked before the window opens, the sounds too: a missing
// one is a damaged installation, whether the audio device opens or not.
TEST_F(shell_start_up, a_missing_sound_stops_the_start_before_the_window_opens) {
    write_pictures();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(game_main(), exit_start_up_failed);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Graze: cannot load Sound/Introduction.ogg: No such file or directory\n");
    EXPECT_EQ(SDL_GetVideoSurface(), nullptr);
    EXPECT_EQ(sim_frame(), 0);
}

TEST_F(shell_start_up, without_audio_the_game_warns_runs_silent_and_says_goodbye_with_0) {
    setenv("SDL_AUDIODRIVER", "no_such_audio_driver", 1);
    write_catalogue();
    std::vector<int> shown;
    sim_on_flip([&](SDL_Surface* s, int) { shown.push_back(fake::shown_slot(s)); });
    for (int frame = 0; frame < 36; ++frame) fake::press_after_flip(frame, SDLK_RETURN);
    fake::press_after_flip(36, SDLK_ESCAPE);

    ::testing::internal::CaptureStdout();
    const int status = game_main();
    const std::string out = ::testing::internal::GetCapturedStdout();

    EXPECT_EQ(status, exit_goodbye);
    EXPECT_EQ(out.rfind("Warning: Couldn't set 44100 Hz 16-bit audio\n Reason: ", 0), 0u) << out;
    std::vector<int> expected;
    for (int slot : {slot_programmer, slot_resources, slot_keyboard})
        expected.insert(expected.end(), 12, slot);
    expected.push_back(slot_titre);
    expected.push_back(slot_sojiro_bye);
    EXPECT_EQ(shown, expected);
    // The music calls reach the seam with empty slots, which play nothing.
    ASSERT_FALSE(sim_sound_log().empty());
    for (const sim_sound_event& e : sim_sound_log()) EXPECT_EQ(e.asset, nullptr);

    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 640);
    EXPECT_EQ(screen->h, 480);
    EXPECT_EQ(screen->format->BitsPerPixel, 32);
    EXPECT_TRUE(screen->flags & SDL_FULLSCREEN);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE); // no pointer over the game
}

TEST_F(shell_start_up, an_exhausted_heap_is_reported_and_gives_no_game_result) {
    ::testing::internal::CaptureStderr();
    game_result* none = new_game_result([](std::size_t) -> void* { return nullptr; });
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(none, nullptr);
    EXPECT_NE(err.find("out of memory"), std::string::npos) << err;

    game_result* result = new_game_result();
    ASSERT_NE(result, nullptr);
    EXPECT_EQ(result->code, 0);
    EXPECT_EQ(result->score, 0);
    std::free(result);
}

TEST(shell_start_up_constants, the_video_mode_and_audio_format_are_the_games) {
    EXPECT_EQ(screen_flags,
              static_cast<Uint32>(SDL_FULLSCREEN | SDL_DOUBLEBUF | SDL_HWPALETTE | SDL_HWSURFACE));
    EXPECT_EQ(audio_format, 0x8010);
    EXPECT_EQ(exit_goodbye, 0);
    EXPECT_NE(exit_start_up_failed, 0);
}

} // namespace
