// The browser backend: the game compiled to WebAssembly, in a page. SDL runs
// with its dummy video driver and no audio driver; this file is the small
// driver around it. Time is SDL's clock less the time the page was hidden; a
// wait sleeps through Asyncify, handing the browser its event loop; keys come
// from the page (keyboard, touch pad, gamepad); a flip copies the screen to
// the page's canvas; the page's Web Audio pulls SDL_mixer's mix.
#include "platform/platform.h"

#include <emscripten.h>

#include <array>
#include <cstring>

// Hooks the page (index.html) provides on its Module object.
EM_JS(void, page_present, (const void* rgba, int width, int height),
      { Module.grazePresent(HEAPU8, rgba, width, height); });
EM_JS(int, page_audio_open, (int frequency, int channels),
      { return Module.grazeAudioOpen ? Module.grazeAudioOpen(frequency, channels) : 0; });
// Sleeps in the page's event loop for this long, or until the page shows
// again after being hidden (web/library.js).
extern "C" void page_sleep(Uint32 ms);

namespace {

constexpr int canvas_width = 640;
constexpr int canvas_height = 480;

// A frame loop behind its schedule never waits: the page still gets its event
// loop back (keys, painting, sound) when this long has passed without a wait.
constexpr Uint32 yield_after_ms = 40;
Uint32 last_yield_ms = 0;

// The keyboard as the page reports it, indexed by SDLKey.
std::array<Uint8, SDLK_LAST> keys{};

// The screen in the canvas's byte order: red, green, blue, opaque alpha.
std::array<Uint32, canvas_width * canvas_height> canvas_pixels{};

// SDL_mixer's request to SDL_OpenAudio, kept for the page's pulls.
SDL_AudioSpec mixer_spec{};
bool mixer_open = false;
constexpr int most_pulled_frames = 8192;
std::array<Sint16, most_pulled_frames * 2> mixed{};

// The mix moves on with time even when the page's audio falls behind or
// stops (a suspended audio context, a hidden tab, a slow clock): the game
// waits for fades to end and for music to stop, so what the page has not
// pulled a while after its time is mixed unheard.
constexpr Uint32 unpulled_ms = 250;
Uint32 opened_ms = 0;
Uint64 mixed_frames = 0;

void mix_frames(int frames) {
    if (frames > most_pulled_frames) frames = most_pulled_frames;
    const int bytes = frames * 2 * static_cast<int>(sizeof(Sint16));
    std::memset(mixed.data(), 0, bytes);
    mixer_spec.callback(mixer_spec.userdata, reinterpret_cast<Uint8*>(mixed.data()), bytes);
    mixed_frames += static_cast<Uint64>(frames);
}

Uint32 game_ticks();

void mix_unheard_time() {
    if (!mixer_open) return;
    const Uint64 due = static_cast<Uint64>(game_ticks() - opened_ms) * mixer_spec.freq / 1000;
    const Uint64 slack = static_cast<Uint64>(mixer_spec.freq) * unpulled_ms / 1000;
    while (mixed_frames + slack < due) {
        const Uint64 behind = due - slack - mixed_frames;
        mix_frames(behind < most_pulled_frames ? static_cast<int>(behind) : most_pulled_frames);
    }
}

// A hidden page pauses the game: its clock stands still from the moment the
// page is hidden, and the game waits at its next wait or flip until the page
// shows again. The sound stops with it (the page suspends its audio, and no
// time is mixed unheard while hidden).
bool page_hidden = false;
Uint32 hidden_since_ms = 0;
Uint32 hidden_total_ms = 0;

Uint32 game_ticks() { return (page_hidden ? hidden_since_ms : SDL_GetTicks()) - hidden_total_ms; }

void wait_while_hidden();

void sleep_in_page(Uint32 ms) {
    // The whole wait in the game's time: a wait the page's hiding interrupted
    // goes on for what was left of it.
    const Uint32 until = game_ticks() + ms;
    for (;;) {
        page_sleep(ms);
        wait_while_hidden();
        const Uint32 now = game_ticks();
        if (static_cast<Sint32>(until - now) <= 0) break;
        ms = until - now;
    }
    last_yield_ms = SDL_GetTicks();
    mix_unheard_time();
}

// The screen into the canvas's byte order. Apart from the frame loop and
// never inlined into it: Asyncify leaves code that cannot sleep as fast as
// it is, and this runs over every pixel of every frame.
__attribute__((noinline)) void copy_to_canvas(const SDL_Surface& screen) {
    // The masks in locals: the stores below could otherwise alias them and
    // reload them for every pixel.
    const SDL_PixelFormat& f = *screen.format;
    const Uint32 r_mask = f.Rmask, g_mask = f.Gmask, b_mask = f.Bmask;
    const int r_shift = f.Rshift, g_shift = f.Gshift, b_shift = f.Bshift;
    const bool usual = r_mask == 0x00ff0000u && g_mask == 0x0000ff00u && b_mask == 0x000000ffu;
    for (int y = 0; y < canvas_height; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(screen.pixels) +
                                                          y * screen.pitch);
        Uint32* out = canvas_pixels.data() + y * canvas_width;
        if (usual) {
            // The screen SDL gives the game: red and blue swap places.
            for (int x = 0; x < canvas_width; ++x) {
                const Uint32 p = row[x];
                out[x] = (p >> 16 & 0xffu) | (p & 0xff00u) | (p & 0xffu) << 16 | 0xff000000u;
            }
            continue;
        }
        for (int x = 0; x < canvas_width; ++x) {
            const Uint32 p = row[x];
            const Uint32 r = (p & r_mask) >> r_shift;
            const Uint32 g = (p & g_mask) >> g_shift;
            const Uint32 b = (p & b_mask) >> b_shift;
            out[x] = r | g << 8 | b << 16 | 0xff000000u;
        }
    }
}

} // namespace

namespace {
constexpr Uint32 hidden_wait_ms = 3600000;
void wait_while_hidden() {
    while (page_hidden) page_sleep(hidden_wait_ms);
}
} // namespace

extern "C" {

// From the page: a key went down (1) or up (0).
EMSCRIPTEN_KEEPALIVE void web_key(int sym, int down) {
    if (sym <= 0 || sym >= SDLK_LAST) return;
    keys[sym] = down ? 1 : 0;
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = static_cast<SDLKey>(sym);
    SDL_PushEvent(&event);
}

// From the page: it was hidden (1) or shows again (0).
EMSCRIPTEN_KEEPALIVE void web_hidden(int hidden) {
    if (hidden && !page_hidden) {
        page_hidden = true;
        hidden_since_ms = SDL_GetTicks();
    } else if (!hidden && page_hidden) {
        page_hidden = false;
        hidden_total_ms += SDL_GetTicks() - hidden_since_ms;
    }
}

// The game's clock, for the page's test of a hidden page.
EMSCRIPTEN_KEEPALIVE Uint32 web_game_ticks() { return game_ticks(); }

// From the page's Web Audio: mixes this many stereo 16-bit frames and returns
// where they are. The page only pulls while the game waits, never in the
// middle of a mixer call.
EMSCRIPTEN_KEEPALIVE const Sint16* web_audio_mix(int frames) {
    if (!mixer_open) {
        std::memset(mixed.data(), 0, sizeof mixed);
        return mixed.data();
    }
    mix_frames(frames);
    return mixed.data();
}

// SDL 1.2 without threads cannot run an audio device of its own: the link
// (-Wl,--wrap=SDL_OpenAudio) sends SDL_mixer's open here instead, and the
// page's Web Audio becomes the device.
int __wrap_SDL_OpenAudio(SDL_AudioSpec* desired, SDL_AudioSpec* obtained) {
    if (desired->format != AUDIO_S16LSB || desired->channels != 2 ||
        !page_audio_open(desired->freq, desired->channels)) {
        SDL_SetError("no Web Audio in this browser");
        return -1;
    }
    mixer_spec = *desired;
    mixer_spec.silence = 0;
    mixer_spec.size = static_cast<Uint32>(desired->samples) * desired->channels * sizeof(Sint16);
    if (obtained) *obtained = mixer_spec;
    mixer_open = true;
    opened_ms = game_ticks();
    return 0;
}

// SDL_mixer waits for a fading music to end before it starts the next one,
// in steps of SDL_Delay: the fade only moves on while the page runs.
void __wrap_SDL_Delay(Uint32 ms) { sleep_in_page(ms); }

} // extern "C"

// A page runs the game on one thread: no other is ever started.
int platform_thread_count() { return 1; }
SDL_Thread* platform_start_thread(int (*)(void*)) { return nullptr; }
void platform_wait_thread(SDL_Thread*) {}

// A page has no signals to catch, so nothing is ever asked to stop.
void platform_catch_stop_signals() {}
void platform_stop_point() {}
bool platform_stop_requested() { return false; }
void platform_set_stop_exit_status(int) {}

Uint32 platform_ticks() { return game_ticks(); }

void platform_delay(Uint32 ms) { sleep_in_page(ms); }

int platform_poll_event(SDL_Event* event) { return SDL_PollEvent(event); }

const Uint8* platform_key_state() { return keys.data(); }

void platform_flip(SDL_Surface* screen) {
    SDL_Flip(screen);
    if (screen->w == canvas_width && screen->h == canvas_height &&
        screen->format->BytesPerPixel == 4 && SDL_LockSurface(screen) == 0) {
        copy_to_canvas(*screen);
        SDL_UnlockSurface(screen);
        page_present(canvas_pixels.data(), canvas_width, canvas_height);
    }
    if (SDL_GetTicks() - last_yield_ms >= yield_after_ms || page_hidden) sleep_in_page(0);
}

void platform_play_chunk(int channel, Mix_Chunk* chunk) {
    if (chunk) Mix_PlayChannelTimed(channel, chunk, 0, -1);
}

void platform_play_music(Mix_Music* music) {
    if (music) Mix_PlayMusic(music, 0);
}

bool platform_music_playing() { return Mix_PlayingMusic() != 0; }

void platform_fade_out_music(int ms) { Mix_FadeOutMusic(ms); }
