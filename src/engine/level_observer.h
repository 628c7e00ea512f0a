// Lets a tool watch a level as it runs (the headless simulator's trace). The
// game sets no observer.
#pragma once

struct level_run;
struct game_result;

struct level_observer {
    void (*play_started)(const level_run& run, void* context);
    // After the frame's update_scene and end-of-frame rules, every frame of play.
    void (*frame_ended)(const level_run& run, void* context);
    // Once play and outro are over, before anything is released.
    void (*level_ended)(const level_run& run, const game_result& result, void* context);
    void* context;
};

void set_level_observer(const level_observer* observer);
const level_observer* current_level_observer();
