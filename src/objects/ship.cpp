#include "objects/ship.h"

#include <cstdlib>

#include "support/tracked_memory.h"

ship* new_ship(SDL_Rect rect, int hit_points, int shot_capacity, SDL_Surface* picture, int colour,
               SDL_Surface* explosion_picture, int explosion_frames, int explosion_frame_ms,
               int reach_x, int reach_y) {
    ship* s = tracked_make<ship>();
    s->rect = rect;
    s->hit_points = hit_points;
    s->shot_capacity = shot_capacity;
    s->shots = tracked_array<shot*>(shot_capacity);
    s->shot_records = tracked_array<shot*>(shot_capacity);
    s->picture = picture;
    s->colour = colour;
    s->explosion_picture = explosion_picture;
    s->alt_explosion_picture = explosion_picture;
    s->explosion_frames = explosion_frames;
    s->explosion_frame_ms = explosion_frame_ms;
    s->reach_x = reach_x;
    s->reach_y = reach_y;
    return s;
}

void set_hit_sound(ship* s, Mix_Chunk* sound) { s->hit_sound = sound; }
void set_hit_points(ship* s, int n) { s->hit_points = n; }
void set_picture(ship* s, SDL_Surface* picture) { s->picture = picture; }
void set_explosion_picture(ship* s, SDL_Surface* strip) { s->explosion_picture = strip; }
void set_alt_explosion(ship* s, SDL_Surface* strip) { s->alt_explosion_picture = strip; }
void set_explosion_frame(ship* s, int n) { s->explosion_frame = n; }
void set_invulnerable(ship* s, int frames) { s->invulnerable = frames; }

void move_by(SDL_Rect* rect, int dx, int dy) {
    rect->x = static_cast<Sint16>(rect->x + dx);
    rect->y = static_cast<Sint16>(rect->y + dy);
}

void place_at(SDL_Rect* rect, SDL_Rect packed) { *rect = packed; }

void fire_template(ship* s, const shot* tmpl) {
    for (int slot = 0; slot < s->shot_capacity; ++slot) {
        if (s->shots[slot]) continue;
        const SDL_Rect rect{static_cast<Sint16>(s->rect.x + tmpl->rect.x),
                            static_cast<Sint16>(s->rect.y + tmpl->rect.y), tmpl->rect.w,
                            tmpl->rect.h};
        shot*& record = s->shot_records[slot];
        if (!record) record = tracked_new<shot>();
        init_shot(*record, rect, tmpl->picture_a, tmpl->picture_b, tmpl->kind, tmpl->speed_x,
                  tmpl->speed_y, tmpl->accel_x, tmpl->accel_y);
        s->shots[slot] = record;
        s->shot_count += 1;
        return;
    }
}

void update_shots(ship* s) {
    for (int slot = 0; slot < s->shot_capacity; ++slot) {
        shot* current = s->shots[slot];
        if (!current) continue;
        if (shot_out_of_bounds(*current))
            remove_shot(s, slot);
        else
            move_shot(*current);
    }
}

void draw_shots(ship* s, SDL_Surface* screen) {
    for (int slot = 0; slot < s->shot_capacity; ++slot)
        if (s->shots[slot]) draw_shot(*s->shots[slot], screen);
}

void remove_shot(ship* s, int slot) {
    s->shots[slot] = nullptr;
    s->shot_count -= 1;
}

namespace {

int centre(Sint16 position, Uint16 size) { return position + size / 2; }

int distance_x(const SDL_Rect& a, const SDL_Rect& b) {
    return std::abs(centre(a.x, a.w) - centre(b.x, b.w));
}
int distance_y(const SDL_Rect& a, const SDL_Rect& b) {
    return std::abs(centre(a.y, a.h) - centre(b.y, b.h));
}

} // namespace

int hit_test_ships(const ship* a, const ship* b) {
    if (!(distance_x(a->rect, b->rect) < a->reach_x + b->reach_x)) return 0;
    return distance_y(a->rect, b->rect) < a->reach_y + b->reach_y ? 1 : 0;
}

int hit_test_shot(const shot* s, const ship* target) {
    return distance_x(s->rect, target->rect) < s->rect.w / 2 + target->reach_x &&
                   distance_y(s->rect, target->rect) < s->rect.h / 2 + target->reach_y
               ? 1
               : 0;
}

int graze_test(const shot* s, const ship* target) {
    if (hit_test_shot(s, target)) return 1;
    return distance_x(s->rect, target->rect) < s->rect.w / 2 + target->reach_x + 15 &&
                   distance_y(s->rect, target->rect) < s->rect.h / 2 + target->reach_y + 10
               ? 2
               : 0;
}
