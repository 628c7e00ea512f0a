// Control of the simulated backend, for tests and tools. Game code never
// includes this: it only sees platform.h.
//
// The virtual clock starts at 0 and moves only through platform_delay (and
// sim_advance). Frames are counted by flips: frame N is the time between the
// N-th and the (N+1)-th flip, so frame 0 runs before the first flip.
// Scheduled key changes apply once their tick or frame has come: a key-down
// delivers an SDL_KEYDOWN event through the event poll and holds the key in
// the key state until its key-up (which delivers SDL_KEYUP); a press is a
// key-down held until the next flip, whether it was scheduled by frame or by
// tick.
#pragma once

#include <functional>
#include <vector>

#include "platform/platform.h"

enum class sim_call { chunk, music_play, music_fade };

struct sim_sound_event {
    Uint32 tick;
    int frame;
    sim_call call;
    int channel;       // chunks only, else -1
    const void* asset; // the chunk or track passed (may be null)
    int slot;          // its slot in the registered table, or -1
    int fade_ms;       // fades only, else 0
};

// Back to a fresh state: clock 0, frame 0, no keys, empty log, no hooks.
void sim_reset();

Uint32 sim_now();
void sim_advance(Uint32 ms);
int sim_frame();

// Scripted keyboard.
void sim_key_down_at_frame(int frame, SDLKey key);
void sim_key_up_at_frame(int frame, SDLKey key);
void sim_press_at_frame(int frame, SDLKey key);
void sim_key_down_at_tick(Uint32 tick, SDLKey key);
void sim_key_up_at_tick(Uint32 tick, SDLKey key);
void sim_press_at_tick(Uint32 tick, SDLKey key);
// A window close (SDL_QUIT) delivered at that frame.
void sim_quit_at_frame(int frame);
// A window close every `period` frames from that frame on (0 stops them).
void sim_close_window_every(int from_frame, int period);

// Music "plays" for the length given to its track; a track without one
// plays for the default length (0 unless set: it ends at once).
void sim_set_music_length(const Mix_Music* music, Uint32 ms);
void sim_set_default_music_length(Uint32 ms);

// Sound log. Registering the asset table lets the log name slots.
void sim_register_assets(void* const* table, int slot_count);
const std::vector<sim_sound_event>& sim_sound_log();
// Hands over the log so far and starts an empty one: a long run that reads
// its log as it goes keeps its memory flat.
std::vector<sim_sound_event> sim_take_sound_log();
// How many music tracks have been started, and the last one: what a tool
// that watches the screens needs, whoever takes the log.
int sim_music_plays();
sim_sound_event sim_last_music_play();

// Called with the screen and the frame number on every flip.
void sim_on_flip(std::function<void(SDL_Surface* screen, int frame)> hook);
