#include "engine/timeline.h"

#include "engine/panels.h"
#include "platform/platform.h"

namespace {
constexpr int warning_channel = 2;
} // namespace

void warning_timeline(level_run& run) {
    level_state& st = run.state;
    const int warning_time = run.config->warning_time;
    if (warning_time != never && st.boss_phase < boss_phase) {
        const Uint32 t = level_clock(run, platform_ticks());
        // A phase moves on once its window has begun: a stalled frame only
        // delays the next phases by a frame each, never freezes them.
        const Uint32 window_start = static_cast<Uint32>(warning_time) + 1000u * st.boss_phase;
        if (t >= window_start) {
            if (st.boss_phase < 3)
                platform_play_chunk(warning_channel, chunk_slot(*run.assets, slot_sound_warning));
            st.boss_phase += 1;
            st.phase_tick = platform_ticks();
        }
    }
    if (st.boss_phase >= 1 && st.boss_phase <= 3) draw_warning_banner(run);
}

void pace_frame(level_state& st, int frame_ms) {
    const Uint32 t = platform_ticks();
    const Uint32 wait = st.next_deadline - t;
    // Unsigned: a deadline already passed gives a huge wait, which is not
    // slept; nor is any wait longer than a frame, whatever the clock did.
    if (wait != 0 && wait <= static_cast<Uint32>(frame_ms)) {
        platform_delay(wait);
        st.next_deadline = platform_ticks() + frame_ms;
    } else {
        st.next_deadline = t + frame_ms;
    }
}
