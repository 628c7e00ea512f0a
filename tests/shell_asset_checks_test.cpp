// The header checks on hostile files: whatever a file's size, a check reads
// a bounded part of it (a run of zeros after a valid header is damage, not
// millions of empty chunks; no walk goes past a few thousand chunks), what
// the mixer would read is bounded too, and a BMP that SDL 1.2 and SDL 2
// would read two ways is refused, while the layouts both read alike load.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "shell/asset_checks.h"

// Named, so its helpers stay apart from other tests in a unity batch.
namespace asset_checks_test {

namespace fs = std::filesystem;

using bytes = std::vector<unsigned char>;

bytes read_all(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), {});
}

void append_be(bytes& data, std::uint32_t value) {
    for (int i = 3; i >= 0; --i) data.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void append_le(bytes& data, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) data.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void append_tag(bytes& data, const char* tag) { data.insert(data.end(), tag, tag + 4); }

// A chunk of no body (its checksum is not what the checks look at).
void append_empty_png_chunk(bytes& data, const char* type) {
    append_be(data, 0);
    append_tag(data, type);
    append_be(data, 0);
}

const fs::path asset_dir = GRAZE_ASSET_DIR;
constexpr long two_gigabytes = 2L * 1024 * 1024 * 1024;
constexpr long fifty_megabytes = 50L * 1024 * 1024;
// A PNG's signature and its whole IHDR chunk; a plain WAV's RIFF header and
// format chunk.
constexpr std::size_t png_header_bytes = 33;
constexpr std::size_t wav_header_bytes = 36;

const std::string png_damaged = "damaged PNG file: chunk type not four letters";
const std::string wav_damaged = "damaged WAV file: chunk id not printable";
const std::string too_many = "more than 4096 chunks";

std::string verdict(const char* fault) { return fault ? fault : "taken"; }

struct shell_asset_checks : ::testing::Test {
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("graze_asset_checks_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The bytes, then zeros up to `size` bytes: a hole, so no disk is used.
    std::string file(const std::string& name, const bytes& data, long size = 0) const {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(data.data()),
                   static_cast<std::streamsize>(data.size()));
        if (size > static_cast<long>(data.size())) {
            EXPECT_EQ(truncate(path.c_str(), size), 0);
        }
        return path.string();
    }
};

bytes head_of(const fs::path& path, std::size_t n) {
    const bytes all = read_all(path);
    return bytes(all.begin(), all.begin() + static_cast<long>(std::min(n, all.size())));
}

TEST_F(shell_asset_checks, zeros_after_a_valid_header_are_damage_whatever_the_size) {
    const bytes png = head_of(asset_dir / "Images/Vaisseau1.png", png_header_bytes);
    const bytes wav = head_of(asset_dir / "Sound/Shot1.wav", wav_header_bytes);
    ASSERT_EQ(png.size(), png_header_bytes);
    ASSERT_EQ(wav.size(), wav_header_bytes);
    for (const long size : {fifty_megabytes, two_gigabytes}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(verdict(png_file_fault(file("zeros.png", png, size).c_str())), png_damaged);
        EXPECT_EQ(verdict(wav_file_fault(file("zeros.wav", wav, size).c_str())), wav_damaged);
    }
    // Cut right after the header, either is short of what follows.
    EXPECT_EQ(verdict(png_file_fault(file("cut.png", png).c_str())), "file ends early");
    EXPECT_EQ(verdict(wav_file_fault(file("cut.wav", wav).c_str())), "no data chunk");
}

// A picture with 2 GB of zeros after its end is judged on its header alone
// (a BMP's pixels are where its header says, a PNG ends at IEND), and is
// read as the picture it holds.
TEST_F(shell_asset_checks, a_huge_picture_file_is_judged_on_its_header) {
    const bytes bmp = read_all(asset_dir / "Images/Coin.bmp");
    const bytes png = read_all(asset_dir / "Images/Vaisseau1.png");
    EXPECT_EQ(bmp_file_fault(file("huge.bmp", bmp, two_gigabytes).c_str()), nullptr);
    EXPECT_EQ(png_file_fault(file("huge.png", png, two_gigabytes).c_str()), nullptr);
}

// The mixer reads what a music file holds as it plays and searches back from
// its end for the last page; a sound effect is read whole before the game
// starts. Either is bounded before it is handed over.
TEST_F(shell_asset_checks, a_sound_or_music_file_is_bounded_before_the_mixer_reads_it) {
    const bytes ogg = read_all(asset_dir / "Sound/Boss.ogg");
    ASSERT_EQ(ogg_file_fault((asset_dir / "Sound/Boss.ogg").c_str()), nullptr);
    EXPECT_EQ(verdict(ogg_file_fault(file("huge.ogg", ogg, two_gigabytes).c_str())),
              "music file larger than 64 MB");
    // At the limit the size passes; zeros are no page.
    EXPECT_EQ(verdict(ogg_file_fault(file("largest.ogg", ogg, largest_music_file).c_str())),
              "no whole Ogg page at its end");
    bytes tail = ogg;
    tail.push_back(0);
    EXPECT_EQ(verdict(ogg_file_fault(file("tail.ogg", tail).c_str())),
              "no whole Ogg page at its end");
    EXPECT_EQ(verdict(ogg_file_fault(file("cut.ogg", bytes(ogg.begin(), ogg.end() - 1)).c_str())),
              "no whole Ogg page at its end");

    // Shot1.wav: 16-bit mono at 44.1 kHz; its data chunk's length at byte 40.
    const bytes wav = read_all(asset_dir / "Sound/Shot1.wav");
    auto lasting = [&](std::uint32_t seconds, std::uint32_t extra_frames) {
        bytes data(wav.begin(), wav.begin() + 44);
        const std::uint32_t length = (seconds * 44100 + extra_frames) * 2;
        for (int i = 0; i < 4; ++i) data[40 + i] = static_cast<unsigned char>(length >> (8 * i));
        return file("long.wav", data, 44 + static_cast<long>(length));
    };
    EXPECT_EQ(wav_file_fault(lasting(longest_sound_s, 0).c_str()), nullptr);
    EXPECT_EQ(verdict(wav_file_fault(lasting(longest_sound_s, 1).c_str())),
              "sound effect longer than 30 seconds");
    EXPECT_EQ(verdict(wav_file_fault(lasting(1000, 0).c_str())),
              "sound effect longer than 30 seconds");
}

// The decoder reads every chunk up to IEND: they may not be far larger than
// the picture.
TEST_F(shell_asset_checks, a_png_file_is_not_far_larger_than_its_picture) {
    const bytes png = read_all(asset_dir / "Images/Vaisseau1.png");
    auto with_chunk_of = [&](std::uint32_t length) {
        bytes data(png.begin(), png.begin() + png_header_bytes);
        append_be(data, length);
        append_tag(data, "grZe");
        data.resize(data.size() + length + 4);
        data.insert(data.end(), png.begin() + png_header_bytes, png.end());
        return file("big_chunk.png", data);
    };
    EXPECT_EQ(png_file_fault(with_chunk_of(512 * 1024).c_str()), nullptr);
    EXPECT_EQ(verdict(png_file_fault(with_chunk_of(4 * 1024 * 1024).c_str())),
              "PNG chunks far larger than its picture");
    // A chunk of 1 GB, the file as long: refused without reading it.
    bytes head(png.begin(), png.begin() + png_header_bytes);
    append_be(head, 1u << 30);
    append_tag(head, "grZe");
    EXPECT_EQ(verdict(png_file_fault(file("gigabyte.png", head, (1L << 30) + 2048).c_str())),
              "PNG chunks far larger than its picture");
}

TEST_F(shell_asset_checks, a_png_chunk_type_is_four_letters) {
    const bytes png = read_all(asset_dir / "Images/Vaisseau1.png");
    ASSERT_EQ(png_file_fault((asset_dir / "Images/Vaisseau1.png").c_str()), nullptr);
    // The first chunk after the header: its type at bytes 37 to 40.
    for (const unsigned char wrong : {'0', ' ', '_', '\0', '\x7f', '\xc3'}) {
        bytes data = png;
        data[png_header_bytes + 4 + 1] = wrong;
        EXPECT_EQ(verdict(png_file_fault(file("type.png", data).c_str())), png_damaged)
            << static_cast<int>(wrong);
    }
    // A type the decoder does not know, of letters, is walked over.
    bytes known = bytes(png.begin(), png.begin() + png_header_bytes);
    append_empty_png_chunk(known, "grZe");
    known.insert(known.end(), png.begin() + png_header_bytes, png.end());
    EXPECT_EQ(png_file_fault(file("letters.png", known).c_str()), nullptr);
}

TEST_F(shell_asset_checks, a_riff_chunk_id_is_four_printable_characters) {
    const bytes wav = read_all(asset_dir / "Sound/Shot1.wav");
    auto with_chunk_before_format = [&](const char* id) {
        bytes data(wav.begin(), wav.begin() + 12);
        append_tag(data, id);
        append_le(data, 2, 4);
        data.insert(data.end(), {0, 0});
        data.insert(data.end(), wav.begin() + 12, wav.end());
        return data;
    };
    EXPECT_EQ(wav_file_fault(file("list.wav", with_chunk_before_format("LIST")).c_str()), nullptr);
    EXPECT_EQ(wav_file_fault(file("odd.wav", with_chunk_before_format("id3 ")).c_str()), nullptr);
    for (const char* id : {"LI\x01T",
                           "\x7f"
                           "abc",
                           "\xff\xff\xff\xff", "da\x00a"}) {
        EXPECT_EQ(verdict(wav_file_fault(file("id.wav", with_chunk_before_format(id)).c_str())),
                  wav_damaged);
    }
}

// No file of the game has more than a few dozen chunks; a walk stops after
// 4096, the file's header chunk and the chunk it looks for included.
TEST_F(shell_asset_checks, a_walk_stops_after_4096_chunks) {
    const bytes png = read_all(asset_dir / "Images/Vaisseau1.png");
    auto png_of = [&](int extra_chunks) {
        bytes data(png.begin(), png.begin() + png_header_bytes);
        for (int i = 0; i < extra_chunks; ++i) append_empty_png_chunk(data, "grZe");
        data.insert(data.end(), png.begin() + png_header_bytes, png.end());
        return data;
    };
    // Vaisseau1.png: IHDR, its other chunks, IEND.
    int own_chunks = 0;
    for (std::size_t at = 8; at + 8 <= png.size(); ++own_chunks)
        at += 12 + (static_cast<std::size_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 |
                    png[at + 3]);
    const int png_room = most_file_chunks - own_chunks;
    EXPECT_EQ(png_file_fault(file("most.png", png_of(png_room)).c_str()), nullptr);
    EXPECT_EQ(verdict(png_file_fault(file("more.png", png_of(png_room + 1)).c_str())), too_many);

    const bytes wav = read_all(asset_dir / "Sound/Shot1.wav"); // format, then data
    auto wav_of = [&](int extra_chunks) {
        bytes data(wav.begin(), wav.begin() + wav_header_bytes);
        for (int i = 0; i < extra_chunks; ++i) {
            append_tag(data, "JUNK");
            append_le(data, 0, 4);
        }
        data.insert(data.end(), wav.begin() + wav_header_bytes, wav.end());
        return data;
    };
    const int wav_room = most_file_chunks - 2;
    EXPECT_EQ(wav_file_fault(file("most.wav", wav_of(wav_room)).c_str()), nullptr);
    EXPECT_EQ(verdict(wav_file_fault(file("more.wav", wav_of(wav_room + 1)).c_str())), too_many);
    // Millions of tiny chunks of good names: refused as soon as the count is up.
    bytes endless(wav.begin(), wav.begin() + wav_header_bytes);
    for (int i = 0; i < 4 * most_file_chunks; ++i) {
        append_tag(endless, "JUNK");
        append_le(endless, 0, 4);
    }
    EXPECT_EQ(verdict(wav_file_fault(file("endless.wav", endless).c_str())), too_many);
}

// --- BMP bit fields ---------------------------------------------------------

struct masks {
    std::uint32_t red, green, blue;
};

constexpr int bmp_bit_fields = 3;

// A 2 by 2 BMP of 16- or 32-bit pixels: red, green, blue, white, bottom row
// first. `info_size` 40 puts the masks after the info header; a longer one
// (52, 56, 108, 124) holds them inside, with the alpha mask from 56 on.
// Without bit fields (`compression` 0) the masks still go where bit fields
// would be, before the pixels, for SDL 1.2 to find.
bytes masked_bmp(int bits, const masks& m, std::uint32_t info_size = 40, std::uint32_t alpha = 0,
                 int compression = bmp_bit_fields) {
    const int row = bits == 16 ? 4 : 8;
    const std::uint32_t masks_after = info_size == 40 ? 12 : 0;
    const std::uint32_t pixels_at = 14 + info_size + masks_after;
    bytes data;
    data.insert(data.end(), {'B', 'M'});
    append_le(data, pixels_at + 2 * row, 4);
    append_le(data, 0, 4);
    append_le(data, pixels_at, 4);
    append_le(data, info_size, 4);
    append_le(data, 2, 4);                                       // width
    append_le(data, 2, 4);                                       // height
    append_le(data, 1, 2);                                       // planes
    append_le(data, static_cast<std::uint32_t>(bits), 2);        // bits
    append_le(data, static_cast<std::uint32_t>(compression), 4); // compression
    append_le(data, static_cast<std::uint32_t>(2 * row), 4);     // image size
    for (int i = 0; i < 4; ++i) append_le(data, 0, 4);           // resolution, colours
    append_le(data, m.red, 4);
    append_le(data, m.green, 4);
    append_le(data, m.blue, 4);
    if (info_size >= 56) append_le(data, alpha, 4);
    while (data.size() < pixels_at) data.push_back(0);
    const std::uint32_t pixels[4] = {m.red, m.green, m.blue, m.red | m.green | m.blue};
    for (const std::uint32_t p : pixels) append_le(data, p, bits / 8);
    return data;
}

struct shell_bmp_masks : shell_asset_checks {
    void SetUp() override {
        shell_asset_checks::SetUp();
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    }
    void TearDown() override {
        SDL_Quit();
        shell_asset_checks::TearDown();
    }
};

TEST_F(shell_bmp_masks, layouts_both_libraries_read_alike_load_with_their_colours) {
    struct layout {
        const char* name;
        int bits;
        masks m;
    } layouts[] = {
        {"5-5-5", 16, {0x7c00, 0x03e0, 0x001f}},
        {"5-5-5 the other way", 16, {0x001f, 0x03e0, 0x7c00}},
        {"5-6-5", 16, {0xf800, 0x07e0, 0x001f}},
        {"5-6-5 the other way", 16, {0x001f, 0x07e0, 0xf800}},
        {"8-8-8", 32, {0x00ff0000, 0x0000ff00, 0x000000ff}},
        {"8-8-8 the other way", 32, {0x000000ff, 0x0000ff00, 0x00ff0000}},
    };
    for (const layout& l : layouts) {
        for (const std::uint32_t info_size : {40u, 52u, 56u, 108u, 124u}) {
            SCOPED_TRACE(std::string(l.name) + ", info header of " + std::to_string(info_size));
            const std::string path = file("masks.bmp", masked_bmp(l.bits, l.m, info_size));
            EXPECT_EQ(verdict(bmp_file_fault(path.c_str())), "taken");
            SDL_Surface* s = SDL_LoadBMP(path.c_str());
            ASSERT_NE(s, nullptr) << SDL_GetError();
            EXPECT_EQ(s->format->BytesPerPixel, l.bits / 8);
            EXPECT_EQ(s->format->Rmask, l.m.red);
            EXPECT_EQ(s->format->Gmask, l.m.green);
            EXPECT_EQ(s->format->Bmask, l.m.blue);
            // Bottom row first: red, green at the bottom; blue, white on top.
            SDL_LockSurface(s);
            auto colour_at = [s](int x, int y) {
                const auto* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch +
                                x * s->format->BytesPerPixel;
                const Uint32 v = s->format->BytesPerPixel == 2
                                     ? *reinterpret_cast<const Uint16*>(p)
                                     : *reinterpret_cast<const Uint32*>(p);
                Uint8 r = 0, g = 0, b = 0;
                SDL_GetRGB(v, s->format, &r, &g, &b);
                return std::vector<int>{r / 128, g / 128, b / 128};
            };
            EXPECT_EQ(colour_at(0, 1), (std::vector<int>{1, 0, 0}));
            EXPECT_EQ(colour_at(1, 1), (std::vector<int>{0, 1, 0}));
            EXPECT_EQ(colour_at(0, 0), (std::vector<int>{0, 0, 1}));
            EXPECT_EQ(colour_at(1, 0), (std::vector<int>{1, 1, 1}));
            SDL_UnlockSurface(s);
            SDL_FreeSurface(s);
        }
    }
}

// SDL 1.2 takes any masks; SDL 2 refuses what its pixel formats do not know
// ("Unknown pixel format") and reads an alpha mask SDL 1.2 ignores.
TEST_F(shell_bmp_masks, masks_the_libraries_would_read_two_ways_are_refused) {
    struct refused {
        const char* name;
        bytes data;
        const char* reason;
    } cases[] = {
        {"overlapping", masked_bmp(16, {0xf800, 0x0fe0, 0x001f}), "BMP colour masks overlap"},
        {"overlapping, 32 bits", masked_bmp(32, {0x00ff0000, 0x00ffff00, 0x000000ff}),
         "BMP colour masks overlap"},
        {"the same mask twice", masked_bmp(32, {0x00ff0000, 0x00ff0000, 0x000000ff}),
         "BMP colour masks overlap"},
        {"red with a gap", masked_bmp(16, {0xf00f, 0x07e0, 0x0010}),
         "BMP colour mask not contiguous"},
        {"green with a gap, 32 bits", masked_bmp(32, {0x00ff0000, 0x0000f0f0, 0x0000000f}),
         "BMP colour mask not contiguous"},
        {"no red", masked_bmp(16, {0, 0x07e0, 0x001f}), "BMP colour mask empty"},
        {"no masks at all", masked_bmp(32, {0, 0, 0}), "BMP colour mask empty"},
        {"4-4-4", masked_bmp(16, {0x0f00, 0x00f0, 0x000f}),
         "BMP colour masks of an unknown layout"},
        {"10-10-10", masked_bmp(32, {0x3ff00000, 0x000ffc00, 0x000003ff}),
         "BMP colour masks of an unknown layout"},
        {"8-8-8 shifted up", masked_bmp(32, {0xff000000, 0x00ff0000, 0x0000ff00}),
         "BMP colour masks of an unknown layout"},
        {"16-bit pixels, 32-bit masks", masked_bmp(16, {0x00ff0000, 0x0000ff00, 0x000000ff}),
         "BMP colour masks of an unknown layout"},
        {"an alpha mask in a version 4 header",
         masked_bmp(32, {0x00ff0000, 0x0000ff00, 0x000000ff}, 108, 0xff000000),
         "BMP alpha mask not allowed"},
        {"an alpha mask in a version 3 header",
         masked_bmp(16, {0x7c00, 0x03e0, 0x001f}, 56, 0x8000), "BMP alpha mask not allowed"},
        {"masks before the pixels of a plain 16-bit BMP",
         masked_bmp(16, {0xf800, 0x07e0, 0x001f}, 40, 0, 0),
         "BMP pixels not right after its header"},
        {"masks before the pixels of a plain 32-bit BMP",
         masked_bmp(32, {0x000000ff, 0x0000ff00, 0x00ff0000}, 40, 0, 0),
         "BMP pixels not right after its header"},
    };
    for (const refused& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(verdict(bmp_file_fault(file("masks.bmp", c.data).c_str())), c.reason);
    }
    // Without bit fields, the default masks before the pixels are read as
    // the defaults by both.
    EXPECT_EQ(bmp_file_fault(
                  file("plain.bmp", masked_bmp(16, {0x7c00, 0x03e0, 0x001f}, 40, 0, 0)).c_str()),
              nullptr);
    EXPECT_EQ(bmp_file_fault(
                  file("plain.bmp", masked_bmp(32, {0x00ff0000, 0x0000ff00, 0x000000ff}, 40, 0, 0))
                      .c_str()),
              nullptr);
}

// SDL 1.2 reads a palette right after the first 40 bytes of the info header,
// SDL 2 after the whole of it: a longer header would give two pictures.
TEST_F(shell_bmp_masks, a_palette_follows_a_plain_info_header) {
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 4, 8, 0, 0, 0, 0);
    SDL_Color colours[2] = {{200, 10, 10, 0}, {10, 200, 10, 0}};
    SDL_SetColors(s, colours, 0, 2);
    const std::string plain = (folder / "palette.bmp").string();
    ASSERT_EQ(SDL_SaveBMP(s, plain.c_str()), 0);
    SDL_FreeSurface(s);
    EXPECT_EQ(bmp_file_fault(plain.c_str()), nullptr);
    // The same picture with a version 4 header: 68 more bytes before the palette.
    bytes data = read_all(plain);
    const std::uint32_t pixels_at = data[10] | data[11] << 8;
    data.insert(data.begin() + 54, 68, 0);
    data[14] = 108;
    const std::uint32_t moved = pixels_at + 68;
    for (int i = 0; i < 4; ++i) data[10 + i] = static_cast<unsigned char>(moved >> (8 * i));
    EXPECT_EQ(verdict(bmp_file_fault(file("long.bmp", data).c_str())),
              "BMP palette after a long info header");
}

} // namespace asset_checks_test
