#include "sim_run.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "ogg_length.h"
#include "platform/platform_sim.h"
#include "png_frames.h"
#include "shell/asset_catalogue.h"
#include "shell/asset_loader.h"
#include "shell/game_flow.h"
#include "shell/level_table.h"

namespace {

struct level_entry {
    const char* name;
    level_function play;
};

constexpr level_entry level_table[] = {
    {"1", play_level_1}, {"2", play_level_2}, {"3", play_level_3},         {"4", play_level_4},
    {"5", play_level_5}, {"6", play_level_6}, {"epilogue", play_epilogue},
};

level_function find_level(const std::string& name) {
    for (const level_entry& entry : level_table)
        if (name == entry.name) return entry.play;
    return nullptr;
}

// One trace event before its times are known relative to the start of play.
struct pending_event {
    Uint32 tick;        // absolute virtual time
    int flip;           // presented frames so far
    int sequence;       // order of recording, to keep ties stable
    std::string ev;     // the event name
    std::string fields; // its own fields, as ",\"key\":value..."
};

struct watcher {
    const sim_options* options = nullptr;
    std::vector<pending_event> events;
    int sequence = 0;
    bool playing = false;
    Uint32 play_start_tick = 0;
    int play_start_flip = 0;
    int last_phase = 0;
    int last_respawning = 0;
    sim_outcome* outcome = nullptr;
};

std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* c = text ? text : ""; *c; ++c) {
        if (*c == '"' || *c == '\\') out += '\\';
        out += *c;
    }
    return out + "\"";
}

void record_at(watcher& w, Uint32 tick, int flip, const std::string& ev,
               const std::string& fields) {
    if (!w.options->trace) return;
    w.events.push_back({tick, flip, w.sequence++, ev, fields});
}

void record(watcher& w, const std::string& ev, const std::string& fields) {
    record_at(w, platform_ticks(), sim_frame(), ev, fields);
}

void on_spawn(const enemy* e, void* context) {
    auto& w = *static_cast<watcher*>(context);
    record(w, "spawn",
           ",\"tag\":" + quoted(e->tag) + ",\"x\":" + std::to_string(e->ship->rect.x) +
               ",\"y\":" + std::to_string(e->ship->rect.y));
}

void on_kill(const enemy* e, int points, void* context) {
    auto& w = *static_cast<watcher*>(context);
    record(w, "kill", ",\"tag\":" + quoted(e->tag) + ",\"points\":" + std::to_string(points));
}

void on_player_hit(const ship* player, void* context) {
    auto& w = *static_cast<watcher*>(context);
    record(w, "hit", ",\"lives\":" + std::to_string(player->hit_points));
}

void schedule_input(const sim_options& options) {
    // Frames of play count from the first frame after the intro.
    const int origin = sim_frame();
    for (const script_event& e : options.input) {
        switch (e.action) {
        case script_action::down: sim_key_down_at_frame(origin + e.frame, e.key); break;
        case script_action::up: sim_key_up_at_frame(origin + e.frame, e.key); break;
        case script_action::press: sim_press_at_frame(origin + e.frame, e.key); break;
        }
    }
    if (options.max_frames >= 0) sim_press_at_frame(origin + options.max_frames, SDLK_ESCAPE);
}

// A whole run: the script by presented frame from the start, then the hands
// that leave the game.
void schedule_run_input(const sim_options& options) {
    int last = 0;
    for (const script_event& e : options.input) {
        last = std::max(last, e.frame);
        switch (e.action) {
        case script_action::down: sim_key_down_at_frame(e.frame, e.key); break;
        case script_action::up: sim_key_up_at_frame(e.frame, e.key); break;
        case script_action::press: sim_press_at_frame(e.frame, e.key); break;
        }
    }
    constexpr int second = 77, leave_attempts = 3000;
    const int wind_down = options.max_frames >= 0 ? options.max_frames : last + second;
    for (int i = 0; i < leave_attempts; ++i) {
        sim_press_at_frame(wind_down + i * second, SDLK_ESCAPE);
        sim_quit_at_frame(wind_down + i * second + second / 2);
    }
}

void on_play_started(const level_run& run, void* context) {
    auto& w = *static_cast<watcher*>(context);
    if (w.options->whole_run) return; // times stay counted from the program's start
    w.playing = true;
    w.play_start_tick = run.world->start_ms;
    w.play_start_flip = sim_frame();
    schedule_input(*w.options);
}

void on_frame_ended(const level_run& run, void* context) {
    auto& w = *static_cast<watcher*>(context);
    if (run.state.boss_phase != w.last_phase) {
        w.last_phase = run.state.boss_phase;
        // Stamped when the timeline moved, inside the frame that has just been flipped.
        record_at(w, run.state.phase_tick, sim_frame() - 1, "phase",
                  ",\"phase\":" + std::to_string(w.last_phase));
    }
    if (run.state.respawning && !w.last_respawning) record(w, "respawn", "");
    w.last_respawning = run.state.respawning;
    if (w.options->watch_frame) w.options->watch_frame(run);
}

void on_level_ended(const level_run& run, const game_result& result, void* context) {
    auto& w = *static_cast<watcher*>(context);
    sim_outcome& out = *w.outcome;
    out.code = result.code;
    out.score = run.world->score;
    out.kills = run.world->kills;
    out.lives = run.world->player->hit_points;
    out.frames = run.state.play_frame;
    out.boss_hp = run.boss ? run.boss->ship->hit_points : 0;
    record(w, "end",
           ",\"code\":" + std::to_string(result.code) +
               ",\"score\":" + std::to_string(run.world->score));
}

void add_sound_events(watcher& w, const asset_table& assets) {
    (void)assets;
    for (const sim_sound_event& s : sim_sound_log()) {
        switch (s.call) {
        case sim_call::chunk:
            w.events.push_back({s.tick, s.frame, w.sequence++, "sound",
                                ",\"channel\":" + std::to_string(s.channel) +
                                    ",\"slot\":" + std::to_string(s.slot)});
            break;
        case sim_call::music_play:
        case sim_call::music_fade:
            w.events.push_back({s.tick, s.frame, w.sequence++, "music",
                                std::string(",\"action\":\"") +
                                    (s.call == sim_call::music_play ? "play" : "fade") +
                                    "\",\"slot\":" + std::to_string(s.slot)});
            break;
        }
    }
}

void write_trace(watcher& w, sim_outcome& outcome) {
    std::stable_sort(w.events.begin(), w.events.end(),
                     [](const pending_event& a, const pending_event& b) {
                         if (a.tick != b.tick) return a.tick < b.tick;
                         return a.flip < b.flip;
                     });
    for (const pending_event& e : w.events) {
        const long tick = static_cast<long>(e.tick) - static_cast<long>(w.play_start_tick);
        const int frame = e.flip - w.play_start_flip;
        outcome.trace.push_back("{\"ev\":\"" + e.ev + "\",\"tick\":" + std::to_string(tick) +
                                ",\"frame\":" + std::to_string(frame) + e.fields + "}");
    }
}

} // namespace

bool known_level(const std::string& name) { return find_level(name) != nullptr; }

bool open_sim_session(const std::string& asset_dir, sim_session& session, std::string& error) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::error_code failed;
    std::filesystem::current_path(asset_dir, failed);
    if (failed) {
        error = "cannot enter the asset folder " + asset_dir;
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_AUDIO) < 0) {
        error = std::string("cannot start SDL: ") + SDL_GetError();
        return false;
    }
    session.screen = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    if (!session.screen) {
        error = std::string("cannot set the video mode: ") + SDL_GetError();
        return false;
    }
    // The dummy audio driver lets the music and sounds load, so the log can
    // name their slots; nothing is ever played through it.
    const bool audio = Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 2048) >= 0;
    session.assets = load_assets(audio);
    if (!session.assets) {
        error = "cannot load the assets from " + asset_dir;
        return false;
    }
    return true;
}

void close_sim_session(sim_session& session) {
    free_assets(session.assets);
    session.assets = nullptr;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_AUDIO);
}

bool run_level_sim(sim_session& session, const sim_options& options, sim_outcome& outcome,
                   std::string& error) {
    const level_function play = find_level(options.level);
    if (!play && !options.whole_run) {
        error = "unknown level '" + options.level + "'";
        return false;
    }
    // Each run draws the level's random variation as a fresh start of the
    // game would: the C library's sequence from its default seed.
    std::srand(1);
    sim_reset();
    sim_register_assets(session.assets->slots.data(), asset_slot_count);
    for (int slot = first_music_slot; slot < first_chunk_slot; ++slot) {
        const long length = ogg_length_ms(asset_catalogue[slot].path);
        if (session.assets->slots[slot] && length > 0)
            sim_set_music_length(music_slot(*session.assets, slot), static_cast<Uint32>(length));
    }
    if (!options.frames_dir.empty() || options.watch_flip) {
        if (!options.frames_dir.empty()) std::filesystem::create_directories(options.frames_dir);
        const std::string dir = options.frames_dir;
        const int every = std::max(options.every, 1);
        sim_on_flip([dir, every, watch = options.watch_flip](SDL_Surface* screen, int frame) {
            if (watch) watch(frame);
            if (dir.empty() || frame % every != 0) return;
            char name[32];
            std::snprintf(name, sizeof name, "/frame_%06d.png", frame);
            save_screen_png(screen, dir + name);
        });
    }

    watcher w;
    w.options = &options;
    w.outcome = &outcome;
    const scene_observer scene_watch{on_spawn, on_kill, on_player_hit, &w};
    const level_observer level_watch{on_play_started, on_frame_ended, on_level_ended, &w};
    set_scene_observer(&scene_watch);
    set_level_observer(&level_watch);
    set_drawing(options.draw || !options.frames_dir.empty());
    game_result result{0, options.score};
    if (options.whole_run) {
        schedule_run_input(options);
        play_game(session.screen, *session.assets, result, game_levels());
        outcome.code = result.code;
        outcome.score = result.score;
    } else {
        play(session.screen, options.difficulty, options.score, frame_period_ms, &result,
             *session.assets);
    }
    set_scene_observer(nullptr);
    set_level_observer(nullptr);
    sim_on_flip(nullptr);
    set_drawing(true);

    outcome.ticks = sim_now();
    if (options.trace) {
        add_sound_events(w, *session.assets);
        write_trace(w, outcome);
    }
    return true;
}

std::string summary_json(const sim_outcome& o) {
    return "{\"code\":" + std::to_string(o.code) + ",\"score\":" + std::to_string(o.score) +
           ",\"kills\":" + std::to_string(o.kills) + ",\"lives\":" + std::to_string(o.lives) +
           ",\"frames\":" + std::to_string(o.frames) + ",\"boss_hp\":" + std::to_string(o.boss_hp) +
           ",\"ticks\":" + std::to_string(o.ticks) + "}";
}
