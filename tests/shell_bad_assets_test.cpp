// Bad asset files: a spoiled file of each kind stops the start with its path
// and a reason, before SDL_image or SDL_mixer can trip over it (status 1);
// something other than a regular file is never opened; and pictures of the
// wrong size load and are drawn safely. The whole catalogue is swept by
// scripts/corruption_sweep.py; the suite runs it over a sample.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "platform/platform_sim.h"
#include "shell/asset_catalogue.h"
#include "shell/asset_checks.h"
#include "shell/asset_loader.h"
#include "shell/game_main.h"
#include "shell/start_up.h"
#include "sim_run.h"

namespace {

namespace fs = std::filesystem;

using bytes = std::vector<unsigned char>;

std::string relative(int slot) {
    std::string path = asset_catalogue[slot].path;
    return path.rfind("./", 0) == 0 ? path.substr(2) : path;
}

bytes read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), {});
}

void write_all(const fs::path& path, const bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
}

void put_le(bytes& data, size_t at, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) data[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A picture of any size, as a BMP (the picture loader reads it whatever the
// file is called).
bytes picture_of_size(int w, int h) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, 60, 30));
    const std::string path =
        (fs::temp_directory_path() / ("graze_sized_" + std::to_string(::getpid()) + ".bmp"))
            .string();
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
    const bytes data = read_all(path);
    fs::remove(path);
    return data;
}

// A copy of the generated catalogue to spoil, the working folder while a test
// runs, as the game's is. Unless a test needs the real pictures, each is a
// tiny stand-in, so a load takes a moment.
struct shell_bad_assets : ::testing::Test {
    fs::path previous;
    fs::path folder;

    void SetUp() override {
        previous = fs::current_path();
        folder = fs::temp_directory_path() /
                 ("graze_bad_assets_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::copy(GRAZE_ASSET_DIR, folder, fs::copy_options::recursive);
        fs::current_path(folder);
        sim_reset();
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0);
        ASSERT_NE(SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE), nullptr);
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048), 0);
    }

    void TearDown() override {
        Mix_CloseAudio();
        SDL_Quit();
        sim_reset();
        fs::current_path(previous);
        fs::remove_all(folder);
    }

    void stand_in_pictures(std::initializer_list<int> keep = {}) const {
        const bytes tiny = picture_of_size(1, 1);
        for (int slot = 0; slot < picture_slot_count; ++slot)
            if (std::find(keep.begin(), keep.end(), slot) == keep.end()) replace(slot, tiny);
    }

    fs::path file(int slot) const { return folder / relative(slot); }
    bytes original(int slot) const { return read_all(file(slot)); }
    void replace(int slot, const bytes& data) const { write_all(file(slot), data); }

    // What loading the catalogue says, empty when it loads.
    static std::string load_message() {
        ::testing::internal::CaptureStderr();
        asset_table* assets = load_assets(true);
        const std::string said = ::testing::internal::GetCapturedStderr();
        free_assets(assets);
        EXPECT_EQ(assets == nullptr, !said.empty()) << said;
        return said;
    }

    void expect_refused(int slot, const bytes& data, const std::string& reason) {
        const bytes kept = original(slot);
        replace(slot, data);
        const std::string said = load_message();
        EXPECT_NE(
            said.find("cannot load " + std::string(asset_catalogue[slot].path) + ": " + reason),
            std::string::npos)
            << said;
        replace(slot, kept);
    }
};

TEST_F(shell_bad_assets, a_sound_effect_whose_header_the_mixer_cannot_take_is_refused_by_its_path) {
    stand_in_pictures();
    const int slot = slot_sound_shot1;
    const bytes wav = original(slot); // PCM, mono, 16 bits, 44.1 kHz, 44-byte header
    struct spoiled {
        size_t at;
        std::uint32_t value;
        int width;
        const char* reason;
    } cases[] = {
        {22, 0, 2, "not 1 or 2 channels"},
        {22, 3, 2, "not 1 or 2 channels"},
        {24, 0, 4, "sample rate out of range"},
        {24, 1, 4, "sample rate out of range"},
        {24, 0x7fffffff, 4, "sample rate out of range"},
        {34, 24, 2, "not 8 or 16 bits"},
        {20, 2, 2, "not PCM"},
        {16, 0xffffffff, 4, "format chunk of a wrong size"},
        {0, 0x46464952 ^ 1, 4, "not a RIFF WAVE file"},
    };
    for (const spoiled& c : cases) {
        bytes data = wav;
        put_le(data, c.at, c.value, c.width);
        replace(slot, data);
        const char* fault = wav_file_fault(asset_catalogue[slot].path);
        EXPECT_STREQ(fault ? fault : "taken", c.reason);
    }
    replace(slot, bytes(wav.begin(), wav.begin() + 30));
    EXPECT_STREQ(wav_file_fault(asset_catalogue[slot].path), "format chunk cut short");
    for (std::uint32_t rate : {lowest_sound_rate, 22050u, highest_sound_rate}) {
        bytes data = wav;
        put_le(data, 24, rate, 4);
        replace(slot, data);
        EXPECT_EQ(wav_file_fault(asset_catalogue[slot].path), nullptr) << rate;
    }

    // Loading names the file and the reason, and the mixer never sees it.
    bytes silent = wav;
    put_le(silent, 22, 0, 2);
    expect_refused(slot, silent, "not 1 or 2 channels");
    expect_refused(slot, original(slot_music_boss), "not a RIFF WAVE file");
    EXPECT_EQ(load_message(), "");
}

TEST_F(shell_bad_assets,
       a_music_track_that_is_no_vorbis_the_mixer_can_play_is_refused_by_its_path) {
    stand_in_pictures();
    const int slot = slot_music_boss;
    const bytes ogg = original(slot);
    // The identification packet starts at byte 28 of the first page; its page
    // checksum is not checked before the mixer sees it, so it is left as is.
    bytes no_channels = ogg;
    no_channels[28 + 11] = 0;
    expect_refused(slot, no_channels, "not 1 or 2 channels");
    bytes crawling = ogg;
    put_le(crawling, 28 + 12, 1, 4);
    expect_refused(slot, crawling, "sample rate out of range");
    expect_refused(slot, original(slot_sound_shot1), "not an Ogg file");
    expect_refused(slot, bytes(ogg.begin(), ogg.begin() + 40), "not an Ogg Vorbis file");
}

TEST_F(shell_bad_assets, a_spoiled_picture_of_either_kind_is_refused_by_its_path) {
    stand_in_pictures({slot_vaisseau1, slot_coin});
    const bytes png = original(slot_vaisseau1);
    expect_refused(slot_vaisseau1, bytes(png.begin(), png.begin() + png.size() / 2), "");
    expect_refused(slot_vaisseau1, bytes{}, "");
    bytes bmp = original(slot_coin);
    put_le(bmp, 28, 0, 2); // 0 bits per pixel
    expect_refused(slot_coin, bmp, "");
    // SDL reads this height as is, and its blits overflow on it.
    bytes endless = original(slot_coin);
    put_le(endless, 22, 0x80000000u, 4); // a height of -2^31
    expect_refused(slot_coin, endless, "picture of an impossible size");
}

TEST_F(shell_bad_assets, only_regular_files_are_opened) {
    stand_in_pictures();
    // A FIFO would block the start for ever; a folder or a device is no asset.
    const int fifo_slot = slot_vaisseau1, folder_slot = slot_sound_shot1,
              device_slot = slot_music_boss;
    fs::remove(folder / relative(fifo_slot));
    ASSERT_EQ(mkfifo((folder / relative(fifo_slot)).c_str(), 0600), 0);
    EXPECT_NE(
        load_message().find(std::string(asset_catalogue[fifo_slot].path) + ": not a regular file"),
        std::string::npos);
    fs::remove(folder / relative(fifo_slot));
    write_all(folder / relative(fifo_slot), picture_of_size(1, 1));

    fs::remove(folder / relative(folder_slot));
    fs::create_directory(folder / relative(folder_slot));
    EXPECT_NE(load_message().find("Sound/Shot1.wav: not a regular file"), std::string::npos);
    fs::remove(folder / relative(folder_slot));
    write_all(folder / relative(folder_slot),
              read_all(fs::path(GRAZE_ASSET_DIR) / relative(folder_slot)));

    fs::remove(folder / relative(device_slot));
    fs::create_symlink("/dev/zero", folder / relative(device_slot));
    EXPECT_NE(load_message().find("Sound/Boss.ogg: not a regular file"), std::string::npos);
}

TEST_F(shell_bad_assets, the_game_stops_with_status_1_before_its_first_screen) {
    stand_in_pictures();
    bytes wav = original(slot_sound_warning);
    put_le(wav, 24, 0, 4); // 0 Hz: the mixer's converter would never stop doubling
    replace(slot_sound_warning, wav);
    SDL_Quit();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(game_main(), exit_start_up_failed);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("cannot load Sound/Warning.wav: sample rate out of range"),
              std::string::npos)
        << said;
    EXPECT_EQ(sim_frame(), 0);
}

TEST_F(shell_bad_assets, pictures_of_the_wrong_size_load_and_a_level_draws_them_safely) {
    // Ship, bullets, gauge, digits, HUD frame, skies, title card, explosions,
    // enemy bullets and planes of Level 1: half too small, half too large.
    const int slots[] = {slot_vaisseau1,
                         slot_vaisseau_tir1,
                         slot_barre,
                         slot_digit_first,
                         slot_contour1,
                         slot_ciel,
                         slot_ciel1,
                         slot_level_card_first,
                         slot_explosion_vaisseau,
                         129,
                         130,
                         slot_tir0_bleu_ennemi,
                         slot_tir1_bleu_ennemi,
                         slot_avion_duo1};
    bool small = true;
    for (int slot : slots) {
        replace(slot, small ? picture_of_size(1, 1) : picture_of_size(700, 520));
        small = !small;
    }
    EXPECT_EQ(load_message(), "");
    Mix_CloseAudio();
    SDL_Quit();

    sim_session session;
    std::string error;
    ASSERT_TRUE(open_sim_session(folder.string(), session, error)) << error;
    sim_options options;
    options.draw = true;
    options.difficulty = difficulty_practice;
    options.max_frames = 1000;
    ASSERT_TRUE(parse_input_script("0 down g\n0 down f\n300 press d\n900 down left\n1200 up left\n"
                                   "950 press d\n",
                                   options.input, error))
        << error;
    sim_outcome outcome;
    ASSERT_TRUE(run_level_sim(session, options, outcome, error)) << error;
    EXPECT_EQ(outcome.frames, 1000);
    EXPECT_GT(outcome.kills, 0);
    close_sim_session(session);
}

} // namespace
