#include "objects/shot.h"

#include "objects/blit.h"
#include "support/screen_geometry.h"
#include "support/tracked_memory.h"

void init_shot(shot& s, SDL_Rect rect, SDL_Surface* picture_a, SDL_Surface* picture_b, int kind,
               int speed_x, int speed_y, double accel_x, double accel_y) {
    s.rect = rect;
    s.picture_a = picture_a;
    s.picture_b = picture_b;
    s.anim_counter = 0;
    s.anim_switch = 5;
    s.anim_period = 10;
    s.kind = kind;
    s.speed_x = speed_x;
    s.speed_y = speed_y;
    s.accel_x = accel_x;
    s.accel_y = accel_y;
    s.velocity_x = speed_x;
    s.velocity_y = speed_y;
}

shot* new_shot_accel(SDL_Rect rect, SDL_Surface* picture_a, SDL_Surface* picture_b, int kind,
                     int speed_x, int speed_y, double accel_x, double accel_y) {
    shot* s = tracked_new<shot>();
    init_shot(*s, rect, picture_a, picture_b, kind, speed_x, speed_y, accel_x, accel_y);
    return s;
}

shot* new_shot(SDL_Rect rect, SDL_Surface* picture, int kind, int speed_x, int speed_y) {
    return new_shot_accel(rect, picture, picture, kind, speed_x, speed_y, 1.0, 1.0);
}

shot* new_animated_shot(SDL_Rect rect, SDL_Surface* picture_a, SDL_Surface* picture_b, int kind,
                        int speed_x, int speed_y) {
    return new_shot_accel(rect, picture_a, picture_b, kind, speed_x, speed_y, 1.0, 1.0);
}

void set_shot_anim(shot* s, int anim_switch, int anim_period) {
    s->anim_switch = anim_switch;
    s->anim_period = anim_period;
}

void set_shot_velocity(shot* s, double velocity_x, double velocity_y) {
    s->velocity_x = velocity_x;
    s->velocity_y = velocity_y;
}

int shot_damage(int kind) {
    switch (kind) {
    case shot_main: return 2;
    case shot_side: return 1;
    case shot_main_a: return 4;
    case shot_side_a: return 2;
    case shot_super: return 10;
    default: return 0;
    }
}

bool shot_out_of_bounds(const shot& s) {
    // Powered side shots sweep across the side panels and only leave by the
    // top or bottom; everything else stays inside the play field (x 139 to 501).
    if (s.rect.y <= 0 || s.rect.y >= screen_height) return true;
    if (s.kind == shot_side_a) return false;
    return s.rect.x <= field_x || s.rect.x >= field_end_x;
}

void move_shot(shot& s) {
    // Truncation toward zero: -0.9 moves nothing, 1.05^n grows a step only
    // once the product reaches 2.
    s.rect.x = static_cast<Sint16>(s.rect.x + static_cast<int>(s.velocity_x));
    s.rect.y = static_cast<Sint16>(s.rect.y + static_cast<int>(s.velocity_y));
    set_shot_velocity(&s, s.velocity_x * s.accel_x, s.velocity_y * s.accel_y);
}

void draw_shot(shot& s, SDL_Surface* screen) {
    SDL_Surface* picture = s.picture_b;
    if (s.anim_counter > s.anim_switch) {
        picture = s.picture_a;
        s.anim_counter = 1;
    }
    s.anim_counter += 1;
    if (s.anim_counter > s.anim_period) s.anim_counter = 0;
    blit_into(picture, nullptr, screen, s.rect);
}
