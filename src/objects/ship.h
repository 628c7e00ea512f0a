// A ship: every body that flies, fires, can be hit and explodes. The player's
// ship is one; every enemy owns one as its body.
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstddef>

#include "objects/shot.h"

struct ship {
    SDL_Rect rect;  // first: the player's ship is its own blit destination
    int hit_points; // for the player: lives
    int shot_capacity;
    int shot_count; // shots in flight
    shot** shots;   // the slots; null = empty
    SDL_Surface* picture;
    int colour; // enemy: gauge colour its powered kill gives; player: 0, or 10 in the epilogue
    SDL_Surface* explosion_picture;
    SDL_Surface* alt_explosion_picture;
    int explosion_frame; // 0 intact, 1..frames exploding, beyond: gone
    int explosion_frames;
    int explosion_frame_ms;
    Uint32 explosion_tick; // tick at which the current explosion frame began
    int invulnerable;      // frames left
    Mix_Chunk* hit_sound;
    int reach_x, reach_y; // half-extent of the hit box around the centre
    int graze;            // frames left of the near-miss state
    // One record per slot, kept when its shot leaves the slot and reused by
    // the next shot fired into it, so a long fight allocates nothing.
    shot** shot_records;
};
static_assert(offsetof(ship, rect) == 0);

ship* new_ship(SDL_Rect rect, int hit_points, int shot_capacity, SDL_Surface* picture, int colour,
               SDL_Surface* explosion_picture, int explosion_frames, int explosion_frame_ms,
               int reach_x, int reach_y);

void set_hit_sound(ship* s, Mix_Chunk* sound);
void set_hit_points(ship* s, int n);
void set_picture(ship* s, SDL_Surface* picture);
void set_explosion_picture(ship* s, SDL_Surface* strip);
void set_alt_explosion(ship* s, SDL_Surface* strip);
void set_explosion_frame(ship* s, int n);
void set_invulnerable(ship* s, int frames);

// Rectangle operations on any record that begins with its SDL_Rect.
void move_by(SDL_Rect* rect, int dx, int dy);
void place_at(SDL_Rect* rect, SDL_Rect packed);

// Fires a copy of the template into the first empty slot, at the template's
// offset from the ship; nothing happens when every slot is taken.
void fire_template(ship* s, const shot* tmpl);
void update_shots(ship* s);
void draw_shots(ship* s, SDL_Surface* screen);
void remove_shot(ship* s, int slot);

// Collision tests; they change nothing. Boundaries are strict.
int hit_test_ships(const ship* a, const ship* b);
int hit_test_shot(const shot* s, const ship* target);
// 1 on a hit, 2 on a near miss (15 more pixels across, 10 more along), else 0.
int graze_test(const shot* s, const ship* target);
