#include "objects/enemy.h"

#include <cstring>

#include "objects/blit.h"
#include "platform/platform.h"
#include "support/rect_random.h"
#include "support/screen_geometry.h"
#include "support/tracked_memory.h"

namespace {

// Enemy step sounds share one mixer channel, so a new volley cuts the last.
constexpr int step_sound_channel = 3;

step_path& path_of(enemy* e, path_kind path) {
    switch (path) {
    case entry_path: return e->entry_path;
    case main_path: return e->main_path;
    default: return e->final_path;
    }
}

step_path& current_path(enemy* e) {
    if (e->on_final) return e->final_path;
    if (e->on_main) return e->main_path;
    return e->entry_path;
}

void end_of_path(enemy* e) {
    if (e->on_final) {
        if (e->final_mode == final_repeat)
            e->step_index = 0;
        else
            e->final_mode = final_ended;
    } else if (e->on_entry) {
        e->on_entry = 0;
        e->step_index = 0;
        e->on_main = 1;
    } else if (is_boss(e) && e->hold_main && e->ship->hit_points <= e->half_hit_points) {
        e->on_final = 1;
        e->step_index = 0;
    } else if (e->hold_main) {
        e->step_index = 0;
    } else {
        e->on_final = 1;
        e->step_index = 0;
    }
}

bool off_screen(const SDL_Rect& r) {
    return r.y + r.h < 0 || r.y >= screen_height || r.x <= 0 || r.x >= screen_width;
}

} // namespace

move_step* new_step(int dx, int dy, int frames) {
    move_step* step = tracked_make<move_step>();
    step->dx = dx;
    step->dy = dy;
    step->frames = frames;
    return step;
}

move_step* new_firing_step_sound(int dx, int dy, int frames, std::span<shot* const> templates,
                                 Mix_Chunk* sound) {
    move_step* step = new_step(dx, dy, frames);
    int kept = 0;
    for (const shot* t : templates) {
        if (!t || kept == step_template_capacity) break;
        step->templates[kept++] = new_shot_accel(t->rect, t->picture_a, t->picture_b, t->kind,
                                                 t->speed_x, t->speed_y, t->accel_x, t->accel_y);
    }
    step->sound = sound;
    return step;
}

move_step* new_firing_step(int dx, int dy, int frames, std::span<shot* const> templates) {
    return new_firing_step_sound(dx, dy, frames, templates, nullptr);
}

move_step* new_firing_step(int dx, int dy, int frames, std::initializer_list<shot*> templates) {
    return new_firing_step_sound(dx, dy, frames, std::span(templates.begin(), templates.size()),
                                 nullptr);
}

move_step* new_firing_step_sound(int dx, int dy, int frames, std::initializer_list<shot*> templates,
                                 Mix_Chunk* sound) {
    return new_firing_step_sound(dx, dy, frames, std::span(templates.begin(), templates.size()),
                                 sound);
}

void add_step(enemy* e, move_step* step, path_kind path) {
    step_path& steps = path_of(e, path);
    for (int i = 0; i < e->path_capacity; ++i) {
        if (!steps[i]) {
            steps[i] = step;
            return;
        }
    }
}

enemy* new_enemy(const enemy_setup& setup) {
    enemy* e = tracked_make<enemy>();
    e->ship = new_ship(setup.rect, setup.hit_points, setup.shot_capacity, setup.picture, setup.colour,
                       setup.explosion_picture, setup.explosion_frames, setup.explosion_frame_ms,
                       setup.reach_x, setup.reach_y);
    e->spawn_ms = setup.spawn_ms;
    e->tag = setup.tag;
    e->path_capacity = path_capacity;
    e->on_entry = setup.starts_with_entry;
    e->on_main = setup.starts_with_entry == 0 ? 1 : 0;
    e->hold_main = setup.hold_main;
    e->final_mode = setup.final_mode;
    e->explosion_w = setup.explosion_w;
    e->explosion_h = setup.explosion_h;
    e->score_value = setup.score_value;
    e->frame_pictures = tracked_array<SDL_Surface*>(2);
    e->frame_pictures[0] = setup.picture;
    e->frame_pictures[1] = setup.picture;
    e->anim_switch = 10;
    e->anim_period = 20;
    e->flash_pictures = {setup.picture, setup.picture};
    e->half_hit_points = static_cast<int>(setup.hit_points * 0.5);
    return e;
}

void set_enemy_hit_sound(enemy* e, Mix_Chunk* sound) { set_hit_sound(e->ship, sound); }
void set_enemy_alt_explosion(enemy* e, SDL_Surface* strip) { set_alt_explosion(e->ship, strip); }
void set_enemy_explosion(enemy* e, SDL_Surface* strip) { set_explosion_picture(e->ship, strip); }
void set_second_frame(enemy* e, SDL_Surface* picture) { e->frame_pictures[1] = picture; }
void set_flash_pictures(enemy* e, SDL_Surface* picture) { e->flash_pictures = {picture, picture}; }
void set_second_flash_picture(enemy* e, SDL_Surface* picture) { e->flash_pictures[1] = picture; }
void set_enemy_anim(enemy* e, int anim_switch, int anim_period) {
    e->anim_switch = anim_switch;
    e->anim_period = anim_period;
}

bool is_boss(const enemy* e) { return e->tag && std::strcmp(e->tag, "BOSS") == 0; }

void run_script(enemy* e) {
    step_path& steps = current_path(e);
    move_step* step = steps[e->step_index];
    if (!step) return;

    ship* body = e->ship;
    move_by(&body->rect, step->dx, step->dy);
    // Gone without an explosion once it leaves the whole screen.
    if (off_screen(body->rect)) body->explosion_frame = body->explosion_frames + 1;

    e->step_frame += 1;
    if (e->step_frame == step->frames) {
        e->step_frame = 0;
        e->step_fired = 0;
        e->step_index += 1;
        if (e->step_index == e->path_capacity || !steps[e->step_index]) end_of_path(e);
        return;
    }
    if (e->step_fired) return;
    for (const shot* t : step->templates) {
        if (!t) break;
        fire_template(body, t);
    }
    if (step->sound) platform_play_chunk(step_sound_channel, step->sound);
    e->step_fired = 1;
}

void update_enemy_shots(enemy* e) { update_shots(e->ship); }

void draw_enemy_shots(enemy* e, SDL_Surface* screen) { draw_shots(e->ship, screen); }

void draw_enemy(enemy* e, SDL_Surface* screen) {
    ship* body = e->ship;
    if (body->explosion_frame > 0) {
        const int shown = body->explosion_frame;
        SDL_Rect source =
            make_rect((shown - 1) * e->explosion_w, 0, e->explosion_w, e->explosion_h);
        const Uint32 now = platform_ticks();
        if (now - body->explosion_tick > static_cast<Uint32>(body->explosion_frame_ms)) {
            body->explosion_frame += 1;
            body->explosion_tick = now;
        }
        // Past the end of the strip nothing is drawn: the 16-bit source
        // offset would otherwise wrap onto an earlier frame.
        if (shown > body->explosion_frames) return;
        SDL_Rect destination = make_rect(body->rect.x + body->rect.w / 2 - e->explosion_w / 2,
                                         body->rect.y + body->rect.h / 2 - e->explosion_h / 2,
                                         e->explosion_w, e->explosion_h);
        blit_into(body->explosion_picture, &source, screen, destination);
        return;
    }
    if (e->final_mode == final_ended) return;
    const int index = e->anim_counter >= e->anim_switch ? 1 : 0;
    if (e->flash) {
        draw_at(e->flash_pictures[index], screen, body->rect);
        e->flash = 0;
        return;
    }
    draw_at(e->frame_pictures[index], screen, body->rect);
    e->anim_counter += 1;
    if (e->anim_counter > e->anim_period) e->anim_counter = 0;
}
