// Bad asset files: a spoiled file of each kind stops the start with its path
// and a reason, before SDL_image or SDL_mixer can trip over it (status 1);
// something other than a regular file is never opened; and pictures of the
// wrong size load and are drawn safely. The whole catalogue is swept by
// scripts/testing/corruption_sweep.py; the suite runs it over a sample.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_sim.h"
#include "shell/asset_checks.h"
#include "shell/asset_loader.h"
#include "shell/game_main.h"
#include "shell/png_decoder.h"
#include "shell/sound_effect_file.h"
#include "shell/start_up.h"
#include "sim_run.h"
#include "slot_picture_file.h"
#include "support/asset_catalogue.h"
#include "support/asset_slots.h"

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

std::uint32_t be32(const bytes& data, size_t at) {
    return static_cast<std::uint32_t>(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 |
           data[at + 3];
}

// PNG's chunk checksum (CRC-32 over the chunk's type and body).
std::uint32_t png_crc(const unsigned char* from, size_t length) {
    std::uint32_t crc = 0xffffffffu;
    for (size_t i = 0; i < length; ++i) {
        crc ^= from[i];
        for (int bit = 0; bit < 8; ++bit) crc = crc & 1 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
    }
    return crc ^ 0xffffffffu;
}

// The offset of the first chunk of that type in a PNG file.
size_t png_chunk_at(const bytes& png, const char* type) {
    for (size_t at = 8; at + 8 <= png.size(); at += 12 + be32(png, at))
        if (std::equal(type, type + 4, png.begin() + static_cast<long>(at) + 4)) return at;
    return png.size();
}

// Spoils a byte of the chunk's body, its checksum made right again (so the
// decoder meets the spoiled data), or only a byte of its checksum.
enum class png_spoil { body, checksum };
bytes png_spoiled(const bytes& png, const char* type, png_spoil what) {
    bytes data = png;
    const size_t at = png_chunk_at(data, type);
    const std::uint32_t length = be32(data, at);
    if (what == png_spoil::checksum) {
        data[at + 8 + length] ^= 0x5a;
        return data;
    }
    data[at + 8 + length / 2] ^= 0x5a;
    const std::uint32_t crc = png_crc(data.data() + at + 4, length + 4);
    for (int i = 0; i < 4; ++i)
        data[at + 8 + length + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
    return data;
}

// An Ogg Vorbis file whose second page (the comment and set-up headers) is
// changed: its first page, all the header check reads, still passes.
bytes ogg_setup_spoiled(const bytes& ogg) {
    bytes spoiled = ogg;
    const std::string file(ogg.begin(), ogg.end());
    const size_t second = file.find("OggS", 4);
    for (size_t at = second + 40; at < std::min(second + 400, spoiled.size()); ++at)
        spoiled[at] ^= 0xff;
    return spoiled;
}

// A sound effect's samples in a WAV file: the plain 44-byte header, or the
// extensible wrapper (a 40-byte format chunk naming a sub-format), with other
// chunks before the format and between it and the data if asked.
struct wav_shape {
    bool extensible = false;
    const unsigned char* sub_format = nullptr; // 16 bytes
    bool other_chunks = false;
};

constexpr unsigned char pcm_guid[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                        0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
constexpr unsigned char float_guid[16] = {0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                          0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

void append_le(bytes& data, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) data.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void append_tag(bytes& data, const char* tag) {
    for (int i = 0; i < 4; ++i) data.push_back(static_cast<unsigned char>(tag[i]));
}

// The same mono 16-bit 44.1 kHz samples as `plain` (a 44-byte header WAV).
bytes rewrapped_wav(const bytes& plain, const wav_shape& shape) {
    const bytes samples(plain.begin() + 44, plain.end());
    bytes out;
    append_tag(out, "RIFF");
    append_le(out, 0, 4); // set below
    append_tag(out, "WAVE");
    if (shape.other_chunks) {
        append_tag(out, "JUNK");
        append_le(out, 5, 4);
        out.insert(out.end(), {1, 2, 3, 4, 5, 0}); // padded to an even length
    }
    append_tag(out, "fmt ");
    append_le(out, shape.extensible ? 40 : 16, 4);
    append_le(out, shape.extensible ? 0xfffe : 1, 2);
    append_le(out, 1, 2);         // channels
    append_le(out, 44100, 4);     // rate
    append_le(out, 44100 * 2, 4); // byte rate
    append_le(out, 2, 2);         // block align
    append_le(out, 16, 2);        // bits
    if (shape.extensible) {
        append_le(out, 22, 2); // the size of the extension
        append_le(out, 16, 2); // valid bits
        append_le(out, 4, 4);  // the channel mask: front centre
        out.insert(out.end(), shape.sub_format, shape.sub_format + 16);
    }
    if (shape.other_chunks) {
        append_tag(out, "LIST");
        append_le(out, 4, 4);
        append_tag(out, "INFO");
    }
    append_tag(out, "data");
    append_le(out, static_cast<std::uint32_t>(samples.size()), 4);
    out.insert(out.end(), samples.begin(), samples.end());
    put_le(out, 4, static_cast<std::uint32_t>(out.size() - 8), 4);
    return out;
}

bytes chunk_samples(const Mix_Chunk* chunk) {
    return chunk ? bytes(chunk->abuf, chunk->abuf + chunk->alen) : bytes{};
}

// A picture of any size, in the format of the slot it goes in.
bytes picture_of_size(int w, int h, int slot) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, 60, 30));
    const std::string path =
        (fs::temp_directory_path() / ("graze_sized_" + std::to_string(::getpid()))).string();
    save_slot_picture(s, slot, path);
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
        const bytes tiny_png = picture_of_size(1, 1, slot_titre);
        const bytes tiny_bmp = picture_of_size(1, 1, slot_coin);
        for (int slot = 0; slot < picture_slot_count; ++slot)
            if (std::find(keep.begin(), keep.end(), slot) == keep.end())
                replace(slot,
                        asset_catalogue[slot].loader == loader_kind::png ? tiny_png : tiny_bmp);
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

    // Loading with the file in place says exactly this one line.
    void says_for(int slot, const bytes& data, const std::string& reason) const {
        replace(slot, data);
        EXPECT_EQ(load_message(), "Graze: cannot load " + std::string(asset_catalogue[slot].path) +
                                      ": " + reason + "\n");
    }

    void expect_refused(int slot, const bytes& data, const std::string& reason) {
        const bytes kept = original(slot);
        replace(slot, data);
        const std::string said = load_message();
        EXPECT_NE(
            said.find("cannot load " + std::string(asset_catalogue[slot].path) + ": " + reason),
            std::string::npos)
            << reason << ": " << said;
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
        put_le(data, 28, rate * 2, 4); // the byte rate goes with it
        replace(slot, data);
        EXPECT_EQ(wav_file_fault(asset_catalogue[slot].path), nullptr) << rate;
    }
    replace(slot, wav);

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

// Each format SDL_image knows, as the first bytes of a small file: the loader
// takes a picture only in its slot's own format, whatever the name says.
std::vector<std::pair<const char*, bytes>> other_picture_formats() {
    auto text = [](const char* head, size_t size) {
        bytes data(size, 0);
        std::copy(head, head + std::char_traits<char>::length(head), data.begin());
        return data;
    };
    return {
        {"GIF", text("GIF89a\x10\0\x10\0", 64)},
        {"XCF", text("gimp xcf file\0", 64)},
        {"PCX", bytes{10, 5, 1, 8, 0xff, 0x7f, 0, 0, 0x0f, 0, 0x0f, 0}},
        {"JPG", bytes{0xff, 0xd8, 0xff, 0xe0, 0, 16, 'J', 'F', 'I', 'F', 0}},
        {"TIF", text("II*\0\x08\0\0\0", 64)},
        {"LBM", text("FORM\0\0\0\x40ILBMBMHD", 64)},
        {"PNM", text("P6\n16 16\n255\n", 64)},
        {"XPM", text("/* XPM */\nstatic char* x[] = {\"1 1 1 1\", \"a c #ffffff\", \"a\"};\n", 80)},
        {"XV", text("P7 332\n#END_OF_COMMENTS\n1 1 255\n", 64)},
        {"ICO", bytes{0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0}},
        {"CUR", bytes{0, 0, 2, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0}},
        {"WEBP", text("RIFF\x40\0\0\0WEBPVP8 ", 64)},
        {"TGA", bytes{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 16, 0, 24, 0}},
    };
}

TEST_F(shell_bad_assets, a_picture_only_in_its_slots_format_and_of_a_size_its_header_allows) {
    stand_in_pictures({slot_vaisseau1, slot_coin});
    const bytes png = original(slot_vaisseau1);
    const bytes bmp = original(slot_coin);
    for (const auto& [format, data] : other_picture_formats()) {
        SCOPED_TRACE(format);
        expect_refused(slot_vaisseau1, data, "not a PNG file");
        expect_refused(slot_coin, data, "not a BMP file");
    }
    expect_refused(slot_vaisseau1, bmp, "not a PNG file");
    expect_refused(slot_coin, png, "not a BMP file");

    // Sizes the file's own header claims, refused before any decoder reads it
    // (PNG sizes are big-endian at byte 16; the header's checksum is left
    // wrong, which would only stop the decoder later).
    auto png_sized = [&](std::uint32_t w, std::uint32_t h) {
        bytes data = png;
        for (int i = 0; i < 4; ++i) {
            data[16 + i] = static_cast<unsigned char>(w >> (24 - 8 * i));
            data[20 + i] = static_cast<unsigned char>(h >> (24 - 8 * i));
        }
        return data;
    };
    for (std::uint32_t side : {0u, 65536u, 100000u, 0x7fffffffu, 0x80000000u})
        expect_refused(slot_vaisseau1, png_sized(side, side), "picture of an impossible size");
    expect_refused(slot_vaisseau1, png_sized(4096, 4096), "picture of an impossible size");
    bytes colour_seven = png;
    colour_seven[25] = 7;
    expect_refused(slot_vaisseau1, colour_seven, "PNG colour type or depth not allowed");

    auto bmp_sized = [&](std::uint32_t w, std::uint32_t h) {
        bytes data = bmp;
        put_le(data, 18, w, 4);
        put_le(data, 22, h, 4);
        return data;
    };
    for (std::uint32_t side : {0u, 65536u, 100000u, 0x7fffffffu})
        expect_refused(slot_coin, bmp_sized(side, side), "picture of an impossible size");
    const std::uint32_t coin_w = bmp[18] | bmp[19] << 8, coin_h = bmp[22] | bmp[23] << 8;
    expect_refused(slot_coin, bmp_sized(coin_w, static_cast<std::uint32_t>(-24)),
                   "picture of an impossible size"); // rows top-down
    expect_refused(slot_coin, bmp_sized(coin_w, coin_h + 1),
                   "file ends early (BMP pixels beyond its end)");
    bytes compressed = bmp;
    put_le(compressed, 30, 99, 4);
    expect_refused(slot_coin, compressed, "BMP compression not allowed");
    bytes palette = bmp;
    put_le(palette, 46, 0xffffffffu, 4);
    expect_refused(slot_coin, palette, "BMP palette too large");
    bytes one_bit_three = bmp; // more colours than 1-bit pixels can name
    put_le(one_bit_three, 28, 1, 2);
    put_le(one_bit_three, 46, 3, 4);
    expect_refused(slot_coin, one_bit_three, "BMP palette too large");
    bytes fields_of_bytes = bmp;
    put_le(fields_of_bytes, 28, 8, 2);
    put_le(fields_of_bytes, 30, 3, 4);
    expect_refused(slot_coin, fields_of_bytes, "BMP compression not allowed");
    bytes info = bmp;
    put_le(info, 14, 0, 4);
    expect_refused(slot_coin, info, "BMP info header of an unknown size");
    EXPECT_EQ(load_message(), "");
}

// The pictures decode on several threads; whichever finishes first, the file
// reported is the first bad one in slot order, and nothing is kept. A file
// refused by its header is named before any decoding.
TEST_F(shell_bad_assets, the_first_bad_file_in_slot_order_is_reported_whatever_decodes_first) {
    stand_in_pictures();
    const int early = slot_programmer, late = first_music_slot - 1;
    const bytes early_file = original(early), late_file = original(late);
    // Damaged inside, with headers that pass: only the decoder finds it.
    auto cut = [](const bytes& data) { return png_spoiled(data, "IDAT", png_spoil::body); };
    set_loader_threads(4);
    set_slow_slot(early, 300);
    // A slow good picture early, a bad one late: the late one is reported.
    replace(late, cut(late_file));
    std::string said = load_message();
    EXPECT_NE(said.find("cannot load " + std::string(asset_catalogue[late].path) + ": "),
              std::string::npos)
        << said;
    // A slow bad picture early and a quick bad one late: the early one.
    replace(early, cut(early_file));
    said = load_message();
    EXPECT_NE(said.find("cannot load " + std::string(asset_catalogue[early].path) + ": "),
              std::string::npos)
        << said;
    EXPECT_EQ(said.find(asset_catalogue[late].path), std::string::npos) << said;
    // The same on one thread; but a refusal by header comes before any
    // decoding, so it is named at once, even late in the catalogue.
    set_loader_threads(1);
    said = load_message();
    EXPECT_NE(said.find("cannot load " + std::string(asset_catalogue[early].path) + ": "),
              std::string::npos)
        << said;
    replace(late, bytes{'B', 'M'});
    said = load_message();
    EXPECT_EQ(said, "Graze: cannot load " + std::string(asset_catalogue[late].path) +
                        ": not a PNG file\n");
    set_slow_slot(-1, 0);
    set_loader_threads(0);
    replace(early, early_file);
    EXPECT_NE(load_message().find(std::string(asset_catalogue[late].path) + ": not a PNG file"),
              std::string::npos);
    replace(late, late_file);
    EXPECT_EQ(load_message(), "");
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
    write_all(folder / relative(fifo_slot), picture_of_size(1, 1, fifo_slot));

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

// What SDL 1.2's own WAV reader and the one of SDL 2 under the compatibility
// library make of a file differs (one reads a cut file, the other does not);
// the game decides itself, and hands the mixer only a plain PCM file.
TEST_F(shell_bad_assets, a_sound_effect_gets_the_same_verdict_whichever_library_reads_it) {
    stand_in_pictures();
    const int slot = slot_sound_shot1;
    const bytes wav = original(slot); // PCM, mono, 16 bits, 44.1 kHz, 44-byte header
    const std::string path = asset_catalogue[slot].path;
    const std::string data_longer = "file ends early (its data chunk is longer)";
    auto with = [&](size_t at, std::uint32_t value, int width) {
        bytes data = wav;
        put_le(data, at, value, width);
        return data;
    };
    struct refused_case {
        const char* name;
        bytes data;
        std::string reason;
    };
    const std::vector<refused_case> refused = {
        {"cut at 44 bytes", bytes(wav.begin(), wav.begin() + 44), data_longer},
        {"cut at half", bytes(wav.begin(), wav.begin() + static_cast<long>(wav.size() / 2)),
         data_longer},
        {"one byte short", bytes(wav.begin(), wav.end() - 1), data_longer},
        {"data size 2 GB", with(40, 0x80000000u, 4), data_longer},
        {"data size 3 GB", with(40, 0xc0000000u, 4), data_longer},
        {"data size 4 GB", with(40, 0xffffffffu, 4), data_longer},
        {"data size 0", with(40, 0, 4), "no sound in the data chunk"},
        {"no data chunk", bytes(wav.begin(), wav.begin() + 36), "no data chunk"},
        {"block align 0", with(32, 0, 2),
         "block align not the channels times the bytes of a sample"},
        {"block align 4", with(32, 4, 2),
         "block align not the channels times the bytes of a sample"},
        {"byte rate 0", with(28, 0, 4), "byte rate not the sample rate times the block align"},
        {"extensible, float", rewrapped_wav(wav, {true, float_guid, false}), "not PCM"},
        {"extensible tag, short format chunk", with(20, 0xfffe, 2), "not PCM"},
    };
    for (const refused_case& c : refused) {
        SCOPED_TRACE(c.name);
        replace(slot, c.data);
        // One line: the program's name, the file, the reason.
        EXPECT_EQ(load_message(), "Graze: cannot load " + path + ": " + c.reason + "\n");
    }

    // The same samples in another wrapper load as the same sound.
    replace(slot, wav);
    char reason[256] = "";
    Mix_Chunk* plain = load_sound_effect(path.c_str(), reason, sizeof reason);
    ASSERT_NE(plain, nullptr) << reason;
    const bytes heard = chunk_samples(plain);
    Mix_FreeChunk(plain);
    const std::pair<const char*, bytes> taken[] = {
        {"extensible PCM", rewrapped_wav(wav, {true, pcm_guid, false})},
        {"extensible PCM among other chunks", rewrapped_wav(wav, {true, pcm_guid, true})},
        {"plain PCM among other chunks", rewrapped_wav(wav, {false, nullptr, true})},
        {"a stray byte after the last frame",
         [&] {
             bytes data = wav;
             data.push_back(0x7f);
             put_le(data, 40, static_cast<std::uint32_t>(data.size() - 44), 4);
             return data;
         }()},
    };
    for (const auto& [name, data] : taken) {
        SCOPED_TRACE(name);
        replace(slot, data);
        EXPECT_EQ(wav_file_fault(path.c_str()), nullptr);
        Mix_Chunk* chunk = load_sound_effect(path.c_str(), reason, sizeof reason);
        ASSERT_NE(chunk, nullptr) << reason;
        EXPECT_EQ(chunk_samples(chunk), heard);
        Mix_FreeChunk(chunk);
        EXPECT_EQ(load_message(), "");
    }
    replace(slot, wav);
}

// What the user reads: one line per failure, the file, and the system's own
// words for why it could not be read, or what is wrong inside it.
TEST_F(shell_bad_assets, a_failure_is_one_line_naming_the_file_and_the_reason) {
    stand_in_pictures({slot_vaisseau1});
    const int slot = slot_vaisseau1;
    const std::string path = asset_catalogue[slot].path;
    const fs::path at = file(slot);
    const bytes png = original(slot);
    auto says = [&](const std::string& reason) {
        EXPECT_EQ(load_message(), "Graze: cannot load " + path + ": " + reason + "\n");
    };

    fs::remove(at);
    says("No such file or directory");
    fs::create_symlink(folder / "nowhere.png", at);
    says("No such file or directory");
    fs::remove(at);
    fs::create_symlink(folder / "loop_b.png", at);
    fs::create_symlink(at, folder / "loop_b.png");
    says("Too many levels of symbolic links");
    fs::remove(at);
    fs::remove(folder / "loop_b.png");
    fs::create_directory(at);
    says("not a regular file");
    fs::remove(at);

    // A file its reader may not open: checked by a reader without root's
    // rights, in a process of its own.
    write_all(at, png);
    ASSERT_EQ(chmod(at.c_str(), 0), 0);
    int words[2];
    ASSERT_EQ(pipe(words), 0);
    const pid_t child = fork();
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(1);
        const char* fault = file_access_fault(at.c_str());
        const std::string said = fault ? fault : "readable";
        _exit(write(words[1], said.data(), said.size()) < 0 ? 1 : 0);
    }
    close(words[1]);
    char said[128] = "";
    const ssize_t got = read(words[0], said, sizeof said - 1);
    close(words[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(std::string(said, static_cast<size_t>(std::max<ssize_t>(got, 0))),
              "Permission denied");
    ASSERT_EQ(chmod(at.c_str(), 0644), 0);

    // Inside a PNG: cut short, a checksum that does not match, and data that
    // libpng cannot inflate. libpng's words come in the one line, and
    // nothing of its own is printed.
    says_for(slot, bytes(png.begin(), png.begin() + static_cast<long>(png.size() / 2)),
             "file ends early");
    says_for(slot, bytes(png.begin(), png.begin() + 20), "file ends early");
    says_for(slot, png_spoiled(png, "IDAT", png_spoil::checksum),
             "damaged PNG file: IDAT: CRC error");
    replace(slot, png_spoiled(png, "IDAT", png_spoil::body));
    const std::string damaged = load_message();
    EXPECT_EQ(damaged.rfind("Graze: cannot load " + path + ": damaged PNG file: ", 0), 0u)
        << damaged;
    EXPECT_EQ(std::count(damaged.begin(), damaged.end(), '\n'), 1) << damaged;
    // A file that shrinks after its checks: the decoder says it ends early.
    replace(slot, bytes(png.begin(), png.begin() + static_cast<long>(png.size() / 2)));
    char reason[256] = "";
    EXPECT_EQ(decode_png_file(path.c_str(), reason, sizeof reason), nullptr);
    EXPECT_STREQ(reason, "file ends early");
    replace(slot, png);
    EXPECT_EQ(load_message(), "");
}

// The header checks of the whole catalogue run before the window opens: a
// bad file anywhere in it stops the game with no window ever shown.
TEST_F(shell_bad_assets, a_bad_header_anywhere_is_reported_before_the_window_opens) {
    stand_in_pictures();
    Mix_CloseAudio();
    SDL_Quit();
    const int last_picture = first_music_slot - 1, last_sound = asset_slot_count - 1;
    const std::pair<int, std::string> cases[] = {
        {slot_titre, "not a PNG file"},
        {last_picture, "not a PNG file"},
        {slot_music_boss, "not an Ogg file"},
        {last_sound, "not a RIFF WAVE file"},
    };
    for (const auto& [slot, reason] : cases) {
        SCOPED_TRACE(asset_catalogue[slot].path);
        const bytes kept = original(slot);
        replace(slot, bytes{'B', 'M', 0, 0});
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(game_main(), exit_start_up_failed);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "Graze: cannot load " + std::string(asset_catalogue[slot].path) + ": " + reason +
                      "\n");
        EXPECT_EQ(SDL_WasInit(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0u); // no window, no device
        EXPECT_EQ(sim_frame(), 0);
        replace(slot, kept);
        SDL_Quit();
    }
}

// Standard error goes to a file while this lives, so a test can watch it
// grow while the loader's threads work.
struct stderr_in_file {
    std::string path =
        (fs::temp_directory_path() / ("graze_stderr_" + std::to_string(getpid()))).string();
    int saved = dup(STDERR_FILENO);

    stderr_in_file() {
        std::fflush(stderr);
        const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~stderr_in_file() {
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        fs::remove(path);
    }
    std::string said() const {
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// A file only its decoder can refuse (damaged picture data, a music track
// whose Vorbis headers the mixer cannot read) is named by the decoding
// threads themselves as soon as they end, without waiting for the window: the
// first thread may still be opening it.
// A palette BMP of `bits` per pixel, `w` by `h`, with a palette of `colours`
// grey entries and the given indices, top row first.
bytes palette_bmp(int bits, int w, int h, std::uint32_t colours, const std::vector<int>& indices) {
    const std::uint32_t row = static_cast<std::uint32_t>((w * bits + 31) / 32 * 4);
    const std::uint32_t pixels_at = 14 + 40 + 4 * colours;
    bytes bmp(pixels_at + row * static_cast<std::uint32_t>(h), 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    put_le(bmp, 2, static_cast<std::uint32_t>(bmp.size()), 4);
    put_le(bmp, 10, pixels_at, 4);
    put_le(bmp, 14, 40, 4);
    put_le(bmp, 18, static_cast<std::uint32_t>(w), 4);
    put_le(bmp, 22, static_cast<std::uint32_t>(h), 4);
    put_le(bmp, 26, 1, 2);
    put_le(bmp, 28, static_cast<std::uint32_t>(bits), 2);
    put_le(bmp, 46, colours, 4);
    for (std::uint32_t i = 0; i < colours; ++i)
        for (int channel = 0; channel < 3; ++channel)
            bmp[54 + 4 * i + channel] = static_cast<unsigned char>(i * 40);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int bit = x * bits;
            unsigned char& at = bmp[pixels_at + row * static_cast<std::uint32_t>(h - 1 - y) +
                                    static_cast<std::uint32_t>(bit / 8)];
            at = static_cast<unsigned char>(at | indices[y * w + x] << (8 - bits - bit % 8));
        }
    return bmp;
}

// A pixel that names no entry of a short palette: SDL 1.2 would draw it in
// whatever its unused entries hold, SDL 2 refuses the picture; so does the
// game, on both. Padding bits at a row's end are no pixels.
TEST_F(shell_bad_assets, a_bmp_pixel_beyond_its_short_palette_is_refused_on_either_library) {
    stand_in_pictures();
    bytes padded = palette_bmp(4, 1, 1, 2, {1});
    constexpr size_t pixel = 14 + 40 + 4 * 2;
    padded[pixel] = 0x1f; // the pixel is 1; the low nibble and the next bytes are padding
    std::fill(padded.begin() + pixel + 1, padded.end(), 0xff);
    for (const bytes& good :
         {palette_bmp(8, 2, 2, 3, {0, 1, 2, 1}), palette_bmp(4, 3, 1, 2, {1, 0, 1}), padded}) {
        replace(slot_coin, good);
        EXPECT_EQ(load_message(), "");
    }
    says_for(slot_coin, palette_bmp(8, 2, 2, 3, {0, 1, 3, 1}), "BMP pixel beyond its palette");
    says_for(slot_coin, palette_bmp(4, 3, 1, 2, {1, 0, 2}), "BMP pixel beyond its palette");
    says_for(slot_coin, palette_bmp(1, 9, 1, 1, {0, 0, 0, 0, 0, 0, 0, 0, 1}),
             "BMP pixel beyond its palette");
}

TEST_F(shell_bad_assets, a_file_only_its_decoder_refuses_is_named_without_waiting_for_the_window) {
    stand_in_pictures();
    const std::pair<int, bytes> cases[] = {
        {slot_programmer, png_spoiled(original(slot_programmer), "IDAT", png_spoil::body)},
        {slot_music_boss, ogg_setup_spoiled(original(slot_music_boss))},
    };
    for (const auto& [slot, spoiled] : cases) {
        SCOPED_TRACE(asset_catalogue[slot].path);
        const bytes kept = original(slot);
        replace(slot, spoiled);
        const std::string expected =
            "Graze: cannot load " + std::string(asset_catalogue[slot].path);
        std::string said;
        {
            stderr_in_file watched;
            ASSERT_TRUE(begin_loading_assets()); // every header passes
            for (int wait = 0; wait < 1000 && said.empty(); ++wait) {
                SDL_Delay(10);
                said = watched.said();
            }
            cancel_loading_assets();
            EXPECT_EQ(watched.said(), said); // named once
        }
        EXPECT_EQ(said.rfind(expected, 0), 0u) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        replace(slot, kept);
    }
    EXPECT_EQ(load_message(), "");
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
        replace(slot, small ? picture_of_size(1, 1, slot) : picture_of_size(700, 520, slot));
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
