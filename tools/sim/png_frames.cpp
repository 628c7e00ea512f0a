#include "png_frames.h"

#include <png.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace {

// libpng's own reports would go to standard error; the caller reports.
void quiet_error(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void quiet_warning(png_structp, png_const_charp) {}

} // namespace

int save_screen_png(SDL_Surface* screen, int folder, const char* name) {
    const int fd = ::openat(folder, name, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    FILE* file = ::fdopen(fd, "wb");
    if (!file) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    // Everything that needs freeing exists before libpng may jump back here.
    std::vector<unsigned char> row(static_cast<size_t>(screen->w) * 3);
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quiet_error, quiet_warning);
    png_infop info = png_create_info_struct(png);
    SDL_LockSurface(screen);
    errno = 0;
    if (setjmp(png_jmpbuf(png))) {
        // A write failed (libpng's fwrite came up short): errno says why.
        const int error = errno ? errno : EIO;
        SDL_UnlockSurface(screen);
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return error;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, screen->w, screen->h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 3);
    png_write_info(png, info);
    for (int y = 0; y < screen->h; ++y) {
        const auto* pixels = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        for (int x = 0; x < screen->w; ++x) {
            const Uint32 value = pixel_value(*screen->format, pixels, x);
            SDL_GetRGB(value, screen->format, &row[x * 3], &row[x * 3 + 1], &row[x * 3 + 2]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    SDL_UnlockSurface(screen);
    png_destroy_write_struct(&png, &info);
    // A full disk shows at the latest when the last bytes leave the buffer.
    errno = 0;
    const bool flushed = std::fflush(file) == 0;
    const int flush_error = errno;
    errno = 0;
    const bool closed = std::fclose(file) == 0;
    if (flushed && closed) return 0;
    if (!flushed) return flush_error ? flush_error : EIO;
    return errno ? errno : EIO;
}
