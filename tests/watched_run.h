// Plays one level of the generated catalogue under the simulated backend, as
// the simulator does, but with the test's own hands on the level as it runs:
// a hook when play starts and one after every frame of play, free to read
// the level and to set up a situation (lives, hit points) on it.
#pragma once

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "engine/level_engine.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "objects/blit.h"
#include "ogg_length.h"
#include "platform/platform_sim.h"
#include "sim_run.h"
#include "support/asset_catalogue.h"

struct watched_run {
    std::function<void(const level_run&)> started;
    std::function<void(const level_run&)> frame_ended;
    std::vector<std::pair<int, SDLKey>> presses; // frame of play, key
    std::vector<std::pair<int, SDLKey>> held;    // held from that frame of play on
    bool draw = false;
    int frames = 0; // frames of play, counted by the hook
};

namespace watched_detail {
inline void on_started(const level_run& run, void* context) {
    auto& w = *static_cast<watched_run*>(context);
    const int origin = sim_frame();
    for (const auto& [frame, key] : w.presses) sim_press_at_frame(origin + frame, key);
    for (const auto& [frame, key] : w.held) sim_key_down_at_frame(origin + frame, key);
    if (w.started) w.started(run);
}
inline void on_frame(const level_run& run, void* context) {
    auto& w = *static_cast<watched_run*>(context);
    w.frames += 1;
    if (w.frame_ended) w.frame_ended(run);
}
inline void on_ended(const level_run&, const game_result&, void*) {}
} // namespace watched_detail

inline game_result play_watched(sim_session& session, const level_config& level, watched_run& w,
                                int difficulty, int incoming_score) {
    start_sim_run(session);
    const level_observer watch{watched_detail::on_started, watched_detail::on_frame,
                               watched_detail::on_ended, &w};
    set_level_observer(&watch);
    set_drawing(w.draw);
    game_result result{0, incoming_score};
    play_level(level, {session.screen, difficulty, incoming_score, frame_period_ms, session.assets},
               &result);
    set_level_observer(nullptr);
    set_drawing(true);
    return result;
}
