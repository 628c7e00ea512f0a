// IMG_Load and IMG_LoadPNG_RW for the browser build, where SDL_image's source is not at hand:
// PNG files through libpng, into surfaces with the layout SDL_image 1.2 gives
// them, so colour keys and the conversion to the display format see the same
// pixels as on the desktop. Grey, palette, 16-bit and transparency chunks are
// expanded to 8-bit RGB or RGBA first.
#include <SDL/SDL_image.h>

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {

struct png_reading {
    png_structp png = nullptr;
    png_infop info = nullptr;
    SDL_Surface* surface = nullptr;
    png_bytep* rows = nullptr;
};

void read_from_rwops(png_structp png, png_bytep data, png_size_t length) {
    auto* file = static_cast<SDL_RWops*>(png_get_io_ptr(png));
    if (SDL_RWread(file, data, 1, static_cast<int>(length)) != static_cast<int>(length))
        png_error(png, "the file ends too soon");
}

void report(png_structp png, png_const_charp message) {
    SDL_SetError("PNG: %s", message);
    png_longjmp(png, 1);
}

void ignore_warning(png_structp, png_const_charp) {}

// Reads the whole picture; the surface is null after any fault.
void read_png(png_reading& r, SDL_RWops* file) {
    if (setjmp(png_jmpbuf(r.png))) {
        if (r.surface) SDL_FreeSurface(r.surface);
        r.surface = nullptr;
        return;
    }
    png_set_read_fn(r.png, file, read_from_rwops);
    png_read_info(r.png, r.info);
    png_uint_32 width = 0, height = 0;
    int depth = 0, colour = 0;
    png_get_IHDR(r.png, r.info, &width, &height, &depth, &colour, nullptr, nullptr, nullptr);
    png_set_strip_16(r.png);
    png_set_packing(r.png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(r.png);
    if (colour == PNG_COLOR_TYPE_PALETTE || depth < 8) png_set_expand(r.png);
    if (png_get_valid(r.png, r.info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(r.png);
    png_read_update_info(r.png, r.info);
    const int channels = png_get_channels(r.png, r.info);
    if (channels != 3 && channels != 4) png_error(r.png, "unsupported pixel layout");
    // Bytes in file order: red first in memory, as SDL_image on a
    // little-endian machine.
    const Uint32 alpha_mask = channels == 4 ? 0xff000000u : 0;
    r.surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(width), static_cast<int>(height),
                             channels * 8, 0x000000ffu, 0x0000ff00u, 0x00ff0000u, alpha_mask);
    if (!r.surface) png_error(r.png, "out of memory");
    r.rows = static_cast<png_bytep*>(SDL_malloc(sizeof(png_bytep) * height));
    if (!r.rows) png_error(r.png, "out of memory");
    for (png_uint_32 y = 0; y < height; ++y)
        r.rows[y] = static_cast<png_bytep>(r.surface->pixels) + y * r.surface->pitch;
    png_read_image(r.png, r.rows);
    png_read_end(r.png, nullptr);
}

} // namespace

extern "C" SDL_Surface* IMG_LoadPNG_RW(SDL_RWops* file) {
    if (!file) return nullptr;
    png_reading r;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, report, ignore_warning);
    if (r.png) r.info = png_create_info_struct(r.png);
    if (r.info) {
        read_png(r, file);
    } else {
        SDL_SetError("PNG: out of memory");
    }
    png_destroy_read_struct(&r.png, &r.info, nullptr);
    SDL_free(r.rows);
    return r.surface;
}

extern "C" SDL_Surface* IMG_Load(const char* path) {
    SDL_RWops* file = SDL_RWFromFile(path, "rb");
    if (!file) return nullptr;
    SDL_Surface* surface = IMG_LoadPNG_RW(file);
    SDL_RWclose(file);
    return surface;
}

// libpng needs no start-up: every format asked for is ready.
extern "C" int IMG_Init(int flags) { return flags & IMG_INIT_PNG; }
