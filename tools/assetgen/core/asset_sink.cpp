#include "core/asset_sink.h"

#include <png.h>

#include <cstdio>
#include <filesystem>

#include "core/draw.h"
#include "support/asset_catalogue.h"
#include "support/asset_slots.h"

namespace fs = std::filesystem;

asset_sink make_sink(const std::string& root) {
    asset_sink sink;
    sink.root = root;
    sink.pictures.resize(asset_slot_count);
    sink.written.assign(asset_slot_count, 0);
    fs::create_directories(fs::path(root) / "Images");
    fs::create_directories(fs::path(root) / "Sound");
    return sink;
}

std::string slot_path(const asset_sink& sink, int slot) {
    std::string rel = asset_catalogue[slot].path;
    if (rel.rfind("./", 0) == 0) rel = rel.substr(2);
    return (fs::path(sink.root) / rel).string();
}

namespace {

constexpr png_size_t idat_bytes = 256 * 1024;

// How a PNG file is laid out: its colour type, its palette when it has one,
// and the zlib level and filter its rows are written with.
struct png_layout {
    int colour_type;
    std::vector<png_color> palette;
    int compression;
    int filter; // a PNG_FILTER_ mask, or -1 for libpng's own choice
};

bool write_png_file(const std::string& path, int w, int h, const png_layout& layout,
                    const std::uint8_t* pixels, size_t row_bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, w, h, 8, layout.colour_type, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!layout.palette.empty())
        png_set_PLTE(png, info, layout.palette.data(), static_cast<int>(layout.palette.size()));
    png_set_compression_level(png, layout.compression);
    // Large image data chunks: fewer chunk headers and checks for the reader.
    png_set_compression_buffer_size(png, idat_bytes);
    if (layout.filter >= 0) png_set_filter(png, PNG_FILTER_TYPE_BASE, layout.filter);
    png_write_info(png, info);
    for (int y = 0; y < h; ++y) png_write_row(png, pixels + static_cast<size_t>(y) * row_bytes);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

constexpr size_t largest_palette = 256;

} // namespace

bool write_png_rows(const std::string& path, int w, int h, bool alpha, const std::uint8_t* pixels,
                    int compression) {
    const png_layout layout{alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, {}, compression, -1};
    return write_png_file(path, w, h, layout, pixels, static_cast<size_t>(w) * (alpha ? 4 : 3));
}

bool write_picture_png(const std::string& path, int w, int h, const std::vector<rgb>& px,
                       const rgb* key) {
    // Rows unfiltered and stored without compression: the game's decoder then
    // only copies the rows out of the file, which makes a start quick (the
    // whole catalogue decodes in about 40% of the CPU it takes from deflated
    // files); the package's own compression still packs them. Few colours
    // are written as palette indices, a third of the bytes.
    std::vector<png_color> palette;
    std::vector<std::uint8_t> indices(px.size());
    auto index_of = [&palette](rgb c) -> int {
        for (size_t i = 0; i < palette.size(); ++i)
            if (palette[i].red == c.r && palette[i].green == c.g && palette[i].blue == c.b)
                return static_cast<int>(i);
        if (palette.size() == largest_palette) return -1;
        palette.push_back(png_color{c.r, c.g, c.b});
        return static_cast<int>(palette.size() - 1);
    };
    // The key colour is always in a keyed picture's palette, so the loader
    // finds it exactly even when no pixel shows it.
    bool few = !key || index_of(*key) >= 0;
    int last = -1;
    rgb last_colour{};
    for (size_t i = 0; few && i < px.size(); ++i) {
        if (last < 0 || !(px[i] == last_colour)) {
            last = index_of(px[i]);
            last_colour = px[i];
        }
        few = last >= 0;
        indices[i] = static_cast<std::uint8_t>(last);
    }
    constexpr int level = 0;
    if (few)
        return write_png_file(path, w, h, {PNG_COLOR_TYPE_PALETTE, palette, level, PNG_FILTER_NONE},
                              indices.data(), static_cast<size_t>(w));
    return write_png_file(path, w, h, {PNG_COLOR_TYPE_RGB, {}, level, PNG_FILTER_NONE},
                          reinterpret_cast<const std::uint8_t*>(px.data()),
                          static_cast<size_t>(w) * 3);
}

bool write_png(const std::string& path, int w, int h, const std::vector<rgb>& px) {
    // rgb is three packed bytes, exactly one PNG RGB pixel.
    static_assert(sizeof(rgb) == 3);
    return write_png_rows(path, w, h, false, reinterpret_cast<const std::uint8_t*>(px.data()), 6);
}

static void put_u16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xff);
    out.push_back((v >> 8) & 0xff);
}
static void put_u32(std::vector<unsigned char>& out, unsigned v) {
    put_u16(out, v & 0xffff);
    put_u16(out, v >> 16);
}

static bool write_file(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

bool write_bmp(const std::string& path, int w, int h, const std::vector<rgb>& px) {
    const int row = (w * 3 + 3) & ~3;
    const unsigned data_size = static_cast<unsigned>(row * h);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put_u32(out, 54 + data_size);
    put_u32(out, 0);
    put_u32(out, 54);
    put_u32(out, 40); // BITMAPINFOHEADER
    put_u32(out, static_cast<unsigned>(w));
    put_u32(out, static_cast<unsigned>(h));
    put_u16(out, 1);
    put_u16(out, 24);
    put_u32(out, 0); // no compression
    put_u32(out, data_size);
    put_u32(out, 2835);
    put_u32(out, 2835);
    put_u32(out, 0);
    put_u32(out, 0);
    for (int y = h - 1; y >= 0; --y) { // bottom-up rows, BGR order
        for (int x = 0; x < w; ++x) {
            const rgb c = px[static_cast<size_t>(y) * w + x];
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (int pad = w * 3; pad < row; ++pad) out.push_back(0);
    }
    return write_file(path, out);
}

static rgb nudge_off(rgb c, rgb key) {
    if (!(c == key)) return c;
    // One step towards the middle keeps the colour visually the same.
    c.g = c.g < 128 ? c.g + 1 : c.g - 1;
    return c;
}

static void mark_written(asset_sink& sink, int slot, const picture& p) {
    for (int other = 0; other < picture_slot_count; ++other) {
        if (std::string(asset_catalogue[other].path) == asset_catalogue[slot].path) {
            sink.written[other] = 1;
            sink.pictures[other] = p;
        }
    }
}

namespace {

// The ship's poses and every enemy and boss picture: solid figures.
bool is_figure(int slot) {
    return (slot >= slot_vaisseau1 && slot <= slot_vaisseau_droitea &&
            slot != slot_vaisseau_tir1) ||
           (slot >= slot_avion_duo1 && slot <= slot_last_boss_flash);
}

} // namespace

void emit_picture(asset_sink& sink, int slot, const picture& drawn) {
    const catalogue_entry& entry = asset_catalogue[slot];
    picture p = drawn;
    if (is_figure(slot)) seal_pinholes(p);
    std::vector<rgb> out(p.px.size());
    const rgb key{entry.key.r, entry.key.g, entry.key.b};
    for (size_t i = 0; i < out.size(); ++i) {
        if (!entry.key.keyed)
            out[i] = p.opaque[i] ? p.px[i] : rgb{};
        else
            out[i] = p.opaque[i] ? nudge_off(p.px[i], key) : key;
    }
    const std::string path = slot_path(sink, slot);
    const bool ok = entry.loader == loader_kind::png
                        ? write_picture_png(path, p.w, p.h, out, entry.key.keyed ? &key : nullptr)
                        : write_bmp(path, p.w, p.h, out);
    if (!ok) {
        std::fprintf(stderr, "assetgen: cannot write %s (slot %d)\n", path.c_str(), slot);
        sink.failed = true;
        return;
    }
    picture shown = p;
    shown.px = out;
    mark_written(sink, slot, shown);
}

void emit_wav(asset_sink& sink, int slot, const std::vector<std::int16_t>& samples, int channels,
              int rate) {
    std::vector<unsigned char> out;
    const unsigned data_size = static_cast<unsigned>(samples.size() * 2);
    for (char c : std::string("RIFF")) out.push_back(c);
    put_u32(out, 36 + data_size);
    for (char c : std::string("WAVEfmt ")) out.push_back(c);
    put_u32(out, 16);
    put_u16(out, 1); // PCM
    put_u16(out, static_cast<unsigned>(channels));
    put_u32(out, static_cast<unsigned>(rate));
    put_u32(out, static_cast<unsigned>(rate * channels * 2));
    put_u16(out, static_cast<unsigned>(channels * 2));
    put_u16(out, 16);
    for (char c : std::string("data")) out.push_back(c);
    put_u32(out, data_size);
    for (std::int16_t s : samples) put_u16(out, static_cast<std::uint16_t>(s));
    emit_bytes(sink, slot, out);
}

void emit_bytes(asset_sink& sink, int slot, const std::vector<unsigned char>& bytes) {
    const std::string path = slot_path(sink, slot);
    if (!write_file(path, bytes)) {
        std::fprintf(stderr, "assetgen: cannot write %s (slot %d)\n", path.c_str(), slot);
        sink.failed = true;
        return;
    }
    sink.written[slot] = 1;
}

bool check_complete(asset_sink& sink) {
    bool complete = !sink.failed;
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        if (!sink.written[slot]) {
            std::fprintf(stderr, "assetgen: slot %d (%s) was not generated\n", slot,
                         asset_catalogue[slot].path);
            complete = false;
        }
    }
    return complete;
}

// 3 by 5 digits for the slot numbers on the contact sheet.
static constexpr const char* tiny_digits[10] = {
    "111101101101111", "010110010010111", "111001111100111", "111001111001111", "101101111001001",
    "111100111001111", "111100111101111", "111001001001001", "111101111101111", "111101111001111"};

static void draw_number(std::vector<rgb>& px, int sheet_w, int x, int y, int n, int zoom) {
    const std::string text = std::to_string(n);
    for (size_t k = 0; k < text.size(); ++k) {
        const char* glyph = tiny_digits[text[k] - '0'];
        for (int gy = 0; gy < 5; ++gy)
            for (int gx = 0; gx < 3; ++gx)
                if (glyph[gy * 3 + gx] == '1')
                    for (int zy = 0; zy < zoom; ++zy)
                        for (int zx = 0; zx < zoom; ++zx)
                            px[static_cast<size_t>(y + gy * zoom + zy) * sheet_w + x +
                               static_cast<int>(k) * 4 * zoom + gx * zoom + zx] =
                                rgb{255, 255, 255};
    }
}

void write_contact_sheet(const asset_sink& sink, const std::string& path) {
    constexpr int cell_w = 168, cell_h = 150, label_h = 14, columns = 12;
    const int rows = (picture_slot_count + columns - 1) / columns;
    const int sheet_w = cell_w * columns, sheet_h = cell_h * rows;
    std::vector<rgb> px(static_cast<size_t>(sheet_w) * sheet_h, rgb{40, 40, 48});
    for (int slot = 0; slot < picture_slot_count; ++slot) {
        const int cx = (slot % columns) * cell_w, cy = (slot / columns) * cell_h;
        draw_number(px, sheet_w, cx + 4, cy + 3, slot, 2);
        const picture& p = sink.pictures[slot];
        if (p.w == 0) continue;
        const int box_w = cell_w - 8, box_h = cell_h - label_h - 6;
        // Shrink big pictures by an integer step; small ones are shown enlarged.
        int shrink = 1, grow = 1;
        while (p.w / shrink > box_w || p.h / shrink > box_h) ++shrink;
        if (shrink == 1)
            while (p.w * (grow + 1) <= box_w && p.h * (grow + 1) <= box_h && grow < 4) ++grow;
        const int shown_w = p.w * grow / shrink, shown_h = p.h * grow / shrink;
        const int ox = cx + 4, oy = cy + label_h + 2;
        for (int y = 0; y < shown_h; ++y) {
            for (int x = 0; x < shown_w; ++x) {
                const int sx = x * shrink / grow, sy = y * shrink / grow;
                const size_t i = static_cast<size_t>(sy) * p.w + sx;
                const bool checker = ((x / 6) + (y / 6)) % 2 == 0;
                rgb c = checker ? rgb{150, 150, 150} : rgb{110, 110, 110};
                if (p.opaque[i] || !asset_catalogue[slot].key.keyed) c = p.px[i];
                px[static_cast<size_t>(oy + y) * sheet_w + ox + x] = c;
            }
        }
    }
    write_png(path, sheet_w, sheet_h, px);
}
