// Times one start of a program: from just before its exec to the first time
// the X screen (black until then) shows a lit pixel, polled about every
// millisecond. Prints the milliseconds, or a reason and status 1 when the
// program ends first or the limit passes. The program runs in its own process
// group, which is killed once the picture is seen.
// Built with the tools; run by scripts/measuring/startup_timer.sh.
// Usage: first_frame_watch LIMIT_MS PROGRAM [ARGS...]   (DISPLAY from the environment)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

double now_ms() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_nsec) / 1.0e6;
}

// True when any pixel of the root window is not black.
bool screen_lit(Display* display, Window root, int w, int h) {
    XImage* image = XGetImage(display, root, 0, 0, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (!image) return false;
    bool lit = false;
    if (image->bits_per_pixel == 32) {
        for (int y = 0; y < h && !lit; ++y) {
            const auto* row =
                reinterpret_cast<const unsigned*>(image->data + y * image->bytes_per_line);
            for (int x = 0; x < w && !lit; ++x) lit = (row[x] & 0xffffffu) != 0;
        }
    } else {
        for (int y = 0; y < h && !lit; ++y)
            for (int x = 0; x < w && !lit; ++x) lit = (XGetPixel(image, x, y) & 0xffffff) != 0;
    }
    XDestroyImage(image);
    return lit;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: first_frame_watch LIMIT_MS PROGRAM [ARGS...]\n");
        return 2;
    }
    const double limit = std::atof(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "first_frame_watch: no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XWindowAttributes size{};
    XGetWindowAttributes(display, root, &size);
    if (screen_lit(display, root, size.width, size.height)) {
        std::fprintf(stderr, "first_frame_watch: the screen is lit before the start\n");
        return 2;
    }
    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    setpgid(child, child);
    int status = 0;
    int result = 1;
    for (;;) {
        if (screen_lit(display, root, size.width, size.height)) {
            std::printf("%.1f\n", now_ms() - start);
            result = 0;
            break;
        }
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "first_frame_watch: %s ended before its first picture\n", argv[2]);
            XCloseDisplay(display);
            return 1;
        }
        if (now_ms() - start > limit) {
            std::fprintf(stderr, "first_frame_watch: no picture within %.0f ms\n", limit);
            break;
        }
        usleep(500);
    }
    kill(-child, SIGKILL);
    waitpid(child, &status, 0);
    // Let the server drop the window before the next start.
    XSync(display, False);
    XCloseDisplay(display);
    return result;
}
