#include "sim_run.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <unistd.h>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "levels/levels.h"
#include "objects/blit.h"
#include "objects/hud.h"
#include "ogg_length.h"
#include "platform/platform_sim.h"
#include "png_frames.h"
#include "shell/asset_loader.h"
#include "shell/game_flow.h"
#include "shell/level_table.h"
#include "sim_files.h"
#include "support/asset_catalogue.h"

namespace {

volatile std::sig_atomic_t stop_signal = 0;

void note_stop_signal(int) { stop_signal = 1; }

constexpr Uint32 play_limit_ms = 60 * 60 * 1000;
constexpr const char* stopped_by_play_limit = "one hour of play";
constexpr const char* stopped_by_signal = "signal";

// One trace event before its times are known relative to the start of play.
struct pending_event {
    Uint32 tick;        // absolute virtual time
    int flip;           // presented frames so far
    bool sound;         // a sound or music call: after the level's own events of the same moment
    long sequence;      // order of recording, to keep ties stable
    std::string ev;     // the event name
    std::string fields; // its own fields, as ",\"key\":value..."
};

struct watcher {
    const sim_options* options = nullptr;
    // Events not written yet: at most those of the frame in progress, once
    // play has started (before, their times are not known yet).
    std::vector<pending_event> events;
    long sequence = 0;
    bool playing = false;
    Uint32 play_start_tick = 0;
    int play_start_flip = 0;
    int first_flip = -1; // the run's first presented frame (pictures count from it)
    int last_phase = 0;
    int last_respawning = 0;
    // Where the frame of play in progress began.
    Uint32 frame_start_tick = 0;
    int frame_start_flip = 0;
    bool leaving = false; // the simulator is leaving the game
    sim_outcome* outcome = nullptr;
    int runs_ended = 0;
    bool closing = false;
    int final_score = 0;
    int frames_folder = -1; // where frames are saved, open
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
    w.events.push_back({tick, flip, false, w.sequence++, ev, fields});
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

constexpr int second_of_frames = 77;

// The hands that leave the game from that presented frame on: Escape, then a
// window close, once a second, until the game has said goodbye.
void schedule_leaving(int from_frame) {
    constexpr int leave_attempts = 3000;
    for (int i = 0; i < leave_attempts; ++i) {
        sim_press_at_frame(from_frame + i * second_of_frames, SDLK_ESCAPE);
        sim_quit_at_frame(from_frame + i * second_of_frames + second_of_frames / 2);
    }
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
    schedule_leaving(options.max_frames >= 0 ? options.max_frames : last + second_of_frames);
}

void on_play_started(const level_run& run, void* context) {
    auto& w = *static_cast<watcher*>(context);
    w.frame_start_tick = platform_ticks();
    w.frame_start_flip = sim_frame();
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
    // The ship starts rising in the frame's controls step, at its first tick.
    if (run.state.respawning && !w.last_respawning)
        record_at(w, w.frame_start_tick, w.frame_start_flip, "respawn", "");
    w.last_respawning = run.state.respawning;
    w.outcome->play_digest = fold_play_frame(w.outcome->play_digest, run);
    if (w.options->watch_frame) w.options->watch_frame(run);
    w.frame_start_tick = platform_ticks();
    w.frame_start_flip = sim_frame();

    const sim_options& o = *w.options;
    if (!o.whole_run && o.max_frames < 0 && !w.leaving &&
        level_clock(run, w.frame_start_tick) >= play_limit_ms) {
        w.leaving = true;
        w.outcome->stopped = stopped_by_play_limit;
        sim_press_at_frame(sim_frame(), SDLK_ESCAPE);
    }
}

void on_level_ended(const level_run& run, const game_result& result, void* context) {
    auto& w = *static_cast<watcher*>(context);
    if (w.options->one_run && !w.closing) {
        // From now on the window is closed every few frames: the levels
        // ignore it, the end screens move on at once and the title screen
        // leaves the game, so the first run is the only one.
        w.closing = true;
        sim_close_window_every(sim_frame() + 1, 20);
    }
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

void on_run_ended(bool completed, int final_score, void* context) {
    auto& w = *static_cast<watcher*>(context);
    record(w, "final",
           ",\"completed\":" + std::to_string(completed ? 1 : 0) +
               ",\"score\":" + std::to_string(final_score));
    w.final_score = final_score;
    w.runs_ended += 1;
}

// Moves the sound and music calls logged so far into the pending events.
void take_sound_events(watcher& w) {
    for (const sim_sound_event& s : sim_take_sound_log()) {
        if (!w.options->trace) continue;
        switch (s.call) {
        case sim_call::chunk:
            w.events.push_back({s.tick, s.frame, true, w.sequence++, "sound",
                                ",\"channel\":" + std::to_string(s.channel) +
                                    ",\"slot\":" + std::to_string(s.slot)});
            break;
        case sim_call::music_play:
        case sim_call::music_fade:
            w.events.push_back({s.tick, s.frame, true, w.sequence++, "music",
                                std::string(",\"action\":\"") +
                                    (s.call == sim_call::music_play ? "play" : "fade") +
                                    "\",\"slot\":" + std::to_string(s.slot)});
            break;
        }
    }
}

// Writes, in time order, the pending events of the presented frames before
// `flip`: nothing recorded later can come before them.
void write_settled_events(watcher& w, int flip) {
    take_sound_events(w);
    if (w.events.empty()) return;
    auto settled = std::stable_partition(w.events.begin(), w.events.end(),
                                         [flip](const pending_event& e) { return e.flip < flip; });
    std::sort(w.events.begin(), settled, [](const pending_event& a, const pending_event& b) {
        if (a.tick != b.tick) return a.tick < b.tick;
        if (a.flip != b.flip) return a.flip < b.flip;
        if (a.sound != b.sound) return b.sound;
        return a.sequence < b.sequence;
    });
    for (auto e = w.events.begin(); e != settled; ++e) {
        const long tick = static_cast<long>(e->tick) - static_cast<long>(w.play_start_tick);
        const int frame = e->flip - w.play_start_flip;
        std::string line = "{\"ev\":\"" + e->ev + "\",\"tick\":" + std::to_string(tick) +
                           ",\"frame\":" + std::to_string(frame) + e->fields + "}";
        if (w.options->trace_out) {
            *w.options->trace_out << line << '\n';
            // The first failed write says why (a full disk); the rest fail alike.
            if (!*w.options->trace_out && !w.outcome->trace_error)
                w.outcome->trace_error = errno ? errno : EIO;
        } else
            w.outcome->trace.push_back(std::move(line));
    }
    w.events.erase(w.events.begin(), settled);
}

bool always_drawn(const sim_options& o) { return o.draw || !o.frames_dir.empty(); }

// Called on every flip: frame capture, the trace so far, and leaving the game
// on a stop signal.
void on_flip(watcher& w, SDL_Surface* screen, int frame) {
    const sim_options& o = *w.options;
    if (o.watch_flip) o.watch_flip(frame);
    if (o.picture_every > 0) {
        if (w.first_flip < 0) w.first_flip = frame;
        const int counted = frame - w.first_flip;
        if (counted % o.picture_every == 0)
            w.outcome->play_digest = fold_picture(w.outcome->play_digest, screen);
        set_drawing(always_drawn(o) || (counted + 1) % o.picture_every == 0);
    }
    if (w.frames_folder >= 0 && frame % std::max(o.every, 1) == 0) {
        char name[32];
        std::snprintf(name, sizeof name, "frame_%06d.png", frame);
        const int error = save_screen_png(screen, w.frames_folder, name);
        if (error && w.outcome->frame_error.empty())
            w.outcome->frame_error = o.frames_dir + "/" + name + ": " + std::strerror(error);
    }
    // Before play starts, a level run's times are not known yet.
    if (o.whole_run || w.playing) write_settled_events(w, frame);
    if (stop_signal && !w.leaving) {
        w.leaving = true;
        w.outcome->stopped = stopped_by_signal;
        schedule_leaving(frame + 1);
    }
}

} // namespace

bool known_level(const std::string& name) { return find_level(name) != nullptr; }

bool known_difficulty(int difficulty) {
    for (int known : {difficulty_practice, difficulty_easy, difficulty_normal, difficulty_hard,
                      difficulty_cheat, difficulty_epilogue})
        if (difficulty == known) return true;
    return false;
}

void stop_runs_on_signals() {
    struct sigaction action {};
    action.sa_handler = note_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool open_sim_session(const std::string& asset_dir, sim_session& session, std::string& error) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::error_code failed;
    std::filesystem::current_path(asset_dir, failed);
    if (failed) {
        error = "cannot enter the asset folder " + asset_dir + ": " + failed.message();
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

void start_sim_run(const sim_session& session) {
    // Each run draws the level's random variation as a fresh start of the
    // game would: the C library's sequence from its default seed.
    std::srand(1);
    sim_reset();
    // And the black window a fresh start opens: a run after another in the
    // same session must not begin on the last one's pixels.
    if (session.screen) SDL_FillRect(session.screen, nullptr, 0);
    // The HUD's blink runs on across the levels of a game, from 0 at its start.
    set_hud_blink_counter(0);
    sim_register_assets(session.assets->slots.data(), asset_slot_count);
    for (int slot = first_music_slot; slot < first_chunk_slot; ++slot) {
        const long length = ogg_length_ms(asset_catalogue[slot].path);
        if (session.assets->slots[slot] && length > 0)
            sim_set_music_length(music_slot(*session.assets, slot), static_cast<Uint32>(length));
    }
}

bool run_level_sim(sim_session& session, const sim_options& options, sim_outcome& outcome,
                   std::string& error) {
    const level_config* level = find_level(options.level);
    if (!level && !options.whole_run) {
        error = "unknown level '" + options.level + "'";
        return false;
    }
    start_sim_run(session);
    watcher w;
    w.options = &options;
    w.outcome = &outcome;
    // The folder is opened before the first frame; graze-sim hands it open.
    bool own_folder = false;
    if (!options.frames_dir.empty()) {
        w.frames_folder = options.frames_folder;
        if (w.frames_folder < 0) {
            std::string reason;
            if (!open_output_folder(options.frames_dir, w.frames_folder, reason)) {
                error = "cannot write " + options.frames_dir + ": " + reason;
                return false;
            }
            own_folder = true;
        }
    }
    sim_on_flip([&w](SDL_Surface* screen, int frame) { on_flip(w, screen, frame); });
    const scene_observer scene_watch{on_spawn, on_kill, on_player_hit, &w};
    const level_observer level_watch{on_play_started, on_frame_ended, on_level_ended, &w};
    const run_observer run_watch{on_run_ended, &w};
    set_scene_observer(&scene_watch);
    set_run_observer(&run_watch);
    set_level_observer(&level_watch);
    set_drawing(always_drawn(options) || options.picture_every > 0);
    game_result result{0, options.score};
    if (options.whole_run) {
        schedule_run_input(options);
        play_game(session.screen, *session.assets, result, game_levels());
        outcome.code = result.code;
        outcome.score = w.runs_ended > 0 ? w.final_score : result.score;
    } else {
        play_level(
            *level,
            {session.screen, options.difficulty, options.score, frame_period_ms, session.assets},
            &result);
    }
    set_scene_observer(nullptr);
    set_run_observer(nullptr);
    set_level_observer(nullptr);
    sim_on_flip(nullptr);
    set_drawing(true);

    outcome.ticks = sim_now();
    write_settled_events(w, std::numeric_limits<int>::max());
    if (options.trace_out) {
        errno = 0;
        if (!options.trace_out->flush() && !outcome.trace_error)
            outcome.trace_error = errno ? errno : EIO;
    }
    if (own_folder) ::close(w.frames_folder);
    return true;
}

std::string summary_json(const sim_outcome& o, bool with_digest) {
    return "{\"code\":" + std::to_string(o.code) + ",\"score\":" + std::to_string(o.score) +
           ",\"kills\":" + std::to_string(o.kills) + ",\"lives\":" + std::to_string(o.lives) +
           ",\"frames\":" + std::to_string(o.frames) + ",\"boss_hp\":" + std::to_string(o.boss_hp) +
           ",\"ticks\":" + std::to_string(o.ticks) +
           (o.stopped.empty() ? "" : ",\"stopped\":\"" + o.stopped + "\"") +
           (with_digest ? ",\"play_digest\":\"" + play_digest_text(o.play_digest) + "\"" : "") +
           "}";
}
