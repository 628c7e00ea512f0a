#include "pilot_view.h"

#include "engine/level_run.h"

namespace {

int centre(Sint16 position, Uint16 size) { return position + size / 2; }

// The step the enemy's script is on, or null when its script is not running.
const move_step* current_step(const enemy& e) {
    if (e.final_mode == final_ended || e.ship->explosion_frame != 0) return nullptr;
    const step_path& path = e.on_final ? e.final_path : e.on_main ? e.main_path : e.entry_path;
    if (e.step_index < 0 || e.step_index >= path_capacity) return nullptr;
    return path[e.step_index];
}

} // namespace

seen_bullet see_bullet(const shot& s) {
    return {centre(s.rect.x, s.rect.w),
            centre(s.rect.y, s.rect.h),
            s.rect.w / 2 + ship_reach,
            s.rect.h / 2 + ship_reach,
            s.velocity_x,
            s.velocity_y,
            s.accel_x,
            s.accel_y};
}

void look_at(const level_run& run, pilot_view& view) {
    const scene& world = *run.world;
    const ship& player = *world.player;
    view.play_frame = run.state.play_frame;
    view.x = player.rect.x;
    view.y = player.rect.y;
    view.invulnerable = player.invulnerable;
    view.graze = player.graze;
    view.in_control = player.explosion_frame == 0 && !run.state.respawning;
    view.level_over = run.state.quit != 0;
    view.lost = run.state.lost != 0;
    view.lives = player.hit_points;
    view.gauge_level = world.gauge_level;
    view.gauge_colour = world.gauge_colour;
    view.boss_phase = run.state.boss_phase == 4;
    view.enemies.clear();
    view.bullets.clear();
    for (int i = 0; i < world.next_slot; ++i) {
        const enemy* e = world.enemies[i];
        if (!e) continue;
        const ship& body = *e->ship;
        const move_step* step = current_step(*e);
        view.enemies.push_back({centre(body.rect.x, body.rect.w), centre(body.rect.y, body.rect.h),
                                body.reach_x + ship_reach, body.reach_y + ship_reach,
                                step ? step->dx : 0, step ? step->dy : 0, body.hit_points,
                                is_boss(e), body.hit_points > 0});
        if (body.shot_count <= 0) continue;
        for (int slot = 0; slot < body.shot_capacity; ++slot) {
            const shot* s = body.shots[slot];
            if (!s) continue;
            view.bullets.push_back(see_bullet(*s));
        }
    }
}
