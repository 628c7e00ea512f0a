// The frame's timing: the warning timeline before the boss phase, and the
// pacing that holds the loop to one frame per period.
#pragma once

#include "engine/level_run.h"

// Advances the warning phases (at most one per frame, each sound once) and
// draws the warning banner in phases 1 to 3.
void warning_timeline(level_run& run);

// Waits until the frame's deadline, never longer than one frame period.
void pace_frame(level_state& st, int frame_ms);
