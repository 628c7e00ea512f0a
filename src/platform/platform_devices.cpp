// SDL itself, the window and the audio device, opened the same way by every
// backend: the simulated one and the page open them on SDL's dummy video
// driver, which they name.
#include "platform/platform.h"
#include "platform/report.h"

#include <sys/stat.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The drivers that show the game in a window on a desktop. Left to itself,
// SDL falls back on others when there is none (text in the terminal, the
// console's framebuffer or KMS, an offscreen or dummy surface): the game would
// then run where nobody sees it.
bool windowed_driver(const char* name) {
    return std::strcmp(name, "x11") == 0 || std::strcmp(name, "wayland") == 0;
}

bool set(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// A Wayland compositor's socket, where SDL 2 would look for it.
bool wayland_socket_exists() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!runtime || !*runtime) return false;
    const char* name = set("WAYLAND_DISPLAY") ? std::getenv("WAYLAND_DISPLAY") : "wayland-0";
    const std::string path = name[0] == '/' ? std::string(name) : std::string(runtime) + "/" + name;
    struct stat facts {};
    return stat(path.c_str(), &facts) == 0 && S_ISSOCK(facts.st_mode);
}

void report_no_display(const char* found) {
    report_line("no display is available (%s); start it on a desktop, or name a driver in "
                "SDL_VIDEODRIVER to play elsewhere",
                found);
}

void report_refused_mode(const platform_video_mode& mode) {
    report_line("cannot set the %dx%d video mode: %s", mode.width, mode.height, SDL_GetError());
}

// The catalogue is decoded into short-lived surfaces of up to a few
// megabytes, one after another on each decoding thread. Left to itself glibc
// maps each of them afresh and unmaps it at free, so every picture paid for
// new zeroed pages; kept in the heap, the next picture reuses them (about a
// sixth off the time to the first picture). The loaded catalogue's resident
// size stays the same.
void keep_large_allocations_in_heap() {
#if defined(__GLIBC__)
    constexpr int reuse_up_to = 32 << 20;
    mallopt(M_MMAP_THRESHOLD, reuse_up_to);
    mallopt(M_TRIM_THRESHOLD, reuse_up_to);
#endif
}

} // namespace

bool platform_start() {
    keep_large_allocations_in_heap();
    if (SDL_Init(SDL_INIT_NOPARACHUTE) < 0) {
        report_line("%s", SDL_GetError());
        return false;
    }
    std::atexit(SDL_Quit);
    return true;
}

SDL_Surface* platform_open_screen(const platform_video_mode& mode) {
    const bool asked = set("SDL_VIDEODRIVER");
    if (!asked && !set("DISPLAY") && !wayland_socket_exists()) {
        report_no_display("neither DISPLAY nor a Wayland socket is set");
        return nullptr;
    }
    // A text-mode fallback is then only probed, on libcaca's silent output.
    if (!asked) setenv("CACA_DRIVER", "null", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0) {
        if (asked) {
            report_refused_mode(mode);
        } else {
            const std::string found = std::string("SDL found none: ") + SDL_GetError();
            report_no_display(found.c_str());
        }
        return nullptr;
    }
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (!asked && !windowed_driver(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        const std::string found = std::string("SDL could only start its ") + driver + " driver";
        report_no_display(found.c_str());
        return nullptr;
    }
    SDL_Surface* screen =
        SDL_SetVideoMode(mode.width, mode.height, mode.bits_per_pixel, mode.flags);
    if (!screen) report_refused_mode(mode);
    return screen;
}

bool platform_open_audio(const platform_audio_format& format) {
    if (Mix_OpenAudio(format.frequency, format.format, format.channels, format.chunk_samples) < 0) {
        std::printf("Warning: Couldn't set %d Hz 16-bit audio\n Reason: %s\n", format.frequency,
                    SDL_GetError());
        return false;
    }
    return true;
}

bool platform_start_audio_and_video() {
    if (SDL_Init(SDL_INIT_AUDIO | SDL_INIT_VIDEO) < 0) {
        std::printf("Unable to init SDL: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

void platform_hide_cursor() { SDL_ShowCursor(SDL_DISABLE); }
