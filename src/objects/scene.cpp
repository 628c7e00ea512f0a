#include "objects/scene.h"

#include <algorithm>

#include "objects/blit.h"
#include "objects/hud.h"
#include "platform/platform.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

namespace {

const scene_observer* observer = nullptr;

constexpr int player_hit_channel = 2;
constexpr int enemy_death_channel = 5;
constexpr int invulnerable_after_hit = 150;
constexpr int graze_frames = 5;
// The player's explosion strip: frames of 32 by 30.
constexpr int player_explosion_w = 32;
constexpr int player_explosion_h = 30;

void spawn_due_enemies(scene* s, Uint32 now) {
    if (null_list(s->pending) || fin_liste(s->pending)) return;
    while (!fin_liste(s->pending)) {
        auto* next = static_cast<enemy*>(value_list(s->pending));
        if (now - s->start_ms < static_cast<Uint32>(next->spawn_ms)) break;
        // A full table keeps the enemy waiting in the queue.
        if (s->next_slot >= s->enemy_capacity) break;
        s->pending = remove_list(s->pending, 0);
        s->enemies[s->next_slot] = next;
        s->live_count += 1;
        s->next_slot += 1;
        if (observer) observer->spawned(next, observer->context);
    }
    rewind_list(s->pending);
}

// Switches the gauge to the enemy's colour; false for a colour that has none.
bool take_gauge_colour(scene* s, int colour) {
    switch (colour) {
    case 0:
        s->gauge_picture = s->gauge_red;
        s->gauge_blink_picture = s->gauge_red_blink;
        s->gauge_colour = gauge_red;
        return true;
    case 1:
        s->gauge_picture = s->gauge_blue;
        s->gauge_blink_picture = s->gauge_blue_blink;
        s->gauge_colour = gauge_blue;
        return true;
    case 2:
        s->gauge_picture = s->gauge_green;
        s->gauge_blink_picture = s->gauge_green_blink;
        s->gauge_colour = gauge_green;
        return true;
    default: return false;
    }
}

void hit_enemy(scene* s, enemy* e, int slot) {
    ship* player = s->player;
    const shot* bullet = player->shots[slot];
    ship* body = e->ship;
    body->hit_points -= shot_damage(bullet->kind);
    if (body->hit_points > 0) {
        e->flash = 1;
        remove_shot(player, slot);
        return;
    }
    // Destroyed: the shot flies on and may hit another enemy.
    int points = e->score_value;
    bool coloured = false;
    if ((bullet->kind == shot_main_a || bullet->kind == shot_side_a) && !is_boss(e)) {
        coloured = take_gauge_colour(s, body->colour);
        points = 2 * e->score_value;
        set_enemy_explosion(e, body->alt_explosion_picture);
    }
    s->kills += 1;
    s->score = std::min(s->score + points, score_cap);
    if (s->gauge_level < gauge_full && coloured) s->gauge_level += 1;
    body->explosion_frame = 1;
    body->explosion_tick = platform_ticks();
    if (body->hit_sound) platform_play_chunk(enemy_death_channel, body->hit_sound);
    if (observer) observer->killed(e, points, observer->context);
}

// Player shots against enemies; draws each player shot the first time it is
// examined without a hit. Returns whether any enemy was in the table.
bool player_shots_against_enemies(scene* s, SDL_Surface* screen) {
    ship* player = s->player;
    std::fill_n(s->shot_drawn, player->shot_capacity, 0);
    bool enemies_present = false;
    if (s->live_count <= 0) return false;
    for (int i = 0; i < s->next_slot; ++i) {
        enemy* e = s->enemies[i];
        if (!e) continue;
        enemies_present = true;
        for (int slot = 0; slot < player->shot_capacity; ++slot) {
            shot* bullet = player->shots[slot];
            if (!bullet) continue;
            if (hit_test_shot(bullet, e->ship) && e->ship->hit_points > 0) {
                hit_enemy(s, e, slot);
                break; // one hit per enemy per frame
            }
            if (!s->shot_drawn[slot]) {
                draw_shot(*bullet, screen);
                s->shot_drawn[slot] = 1;
            }
        }
    }
    return enemies_present;
}

void hit_player(ship* player) {
    player->invulnerable = invulnerable_after_hit;
    player->hit_points -= 1;
    player->explosion_frame = 1;
    player->explosion_tick = platform_ticks();
    if (player->hit_sound) platform_play_chunk(player_hit_channel, player->hit_sound);
    if (observer) observer->player_hit(player, observer->context);
}

void enemies_against_player(scene* s) {
    ship* player = s->player;
    if (player->invulnerable != 0 || player->explosion_frame != 0 || s->live_count <= 0) return;
    for (int i = 0; i < s->next_slot; ++i) {
        enemy* e = s->enemies[i];
        if (!e) continue;
        if (hit_test_ships(player, e->ship) && e->ship->hit_points > 0) {
            hit_player(player);
            return;
        }
        // Bullets of exploding and gone enemies still count.
        ship* body = e->ship;
        for (int slot = 0; slot < body->shot_capacity; ++slot) {
            const shot* bullet = body->shots[slot];
            if (!bullet) continue;
            const int test = graze_test(bullet, player);
            if (test == 1) {
                hit_player(player);
                return;
            }
            if (test == 2) player->graze = graze_frames;
        }
    }
}

void enemy_upkeep(scene* s) {
    if (s->live_count <= 0) return;
    for (int i = 0; i < s->next_slot; ++i) {
        enemy* e = s->enemies[i];
        if (!e) continue;
        ship* body = e->ship;
        if (e->final_mode != final_ended && body->explosion_frame == 0) run_script(e);
        if (body->shot_count > 0) {
            update_enemy_shots(e);
        } else if (body->explosion_frame > body->explosion_frames || e->final_mode == final_ended) {
            s->enemies[i] = nullptr;
            s->live_count -= 1;
        }
    }
}

void draw_enemies(scene* s, SDL_Surface* screen) {
    if (s->live_count <= 0) return;
    for (int i = 0; i < s->next_slot; ++i) {
        enemy* e = s->enemies[i];
        if (!e) continue;
        draw_enemy(e, screen);
        if (e->ship->shot_count > 0) draw_enemy_shots(e, screen);
    }
}

void draw_player(ship* player, SDL_Surface* screen) {
    if (player->explosion_frame >= 1 && player->explosion_frame <= player->explosion_frames) {
        SDL_Rect source = make_rect((player->explosion_frame - 1) * player_explosion_w, 0,
                                    player_explosion_w, player_explosion_h);
        const Uint32 now = platform_ticks();
        if (now - player->explosion_tick > static_cast<Uint32>(player->explosion_frame_ms)) {
            player->explosion_frame += 1;
            player->explosion_tick = now;
        }
        blit_into(player->explosion_picture, &source, screen, player->rect);
        return;
    }
    blit_into(player->picture, nullptr, screen, player->rect);
}

} // namespace

void set_scene_observer(const scene_observer* watcher) { observer = watcher; }

scene* new_scene(ship* player, int enemy_capacity, Uint32 start_ms, SDL_Surface* gauge_picture,
                 SDL_Surface* gauge_blink_picture, SDL_Surface* panel_picture,
                 SDL_Surface* life_picture, SDL_Surface* life_picture_alt) {
    scene* s = tracked_make<scene>();
    s->player = player;
    s->enemy_capacity = enemy_capacity;
    s->enemies = tracked_array<enemy*>(enemy_capacity);
    s->start_ms = start_ms;
    s->gauge_picture = gauge_picture;
    s->gauge_blink_picture = gauge_blink_picture;
    set_gauge_pictures(s, gauge_picture, gauge_picture, gauge_picture, gauge_picture, gauge_picture,
                       gauge_picture);
    s->panel_picture = panel_picture;
    s->life_picture = life_picture;
    s->life_picture_alt = life_picture_alt;
    s->many_lives_picture = life_picture_alt;
    for (int i = 0; i < 5; ++i) s->digit_rects[i] = make_rect(510 + 25 * i, 50, 20, 36);
    load_digit_pictures(s);
    s->shot_drawn = tracked_array<unsigned char>(player->shot_capacity);
    return s;
}

void set_gauge_pictures(scene* s, SDL_Surface* red, SDL_Surface* blue, SDL_Surface* green,
                        SDL_Surface* red_blink, SDL_Surface* blue_blink, SDL_Surface* green_blink) {
    s->gauge_red = red;
    s->gauge_blue = blue;
    s->gauge_green = green;
    s->gauge_red_blink = red_blink;
    s->gauge_blue_blink = blue_blink;
    s->gauge_green_blink = green_blink;
}

void set_many_lives_picture(scene* s, SDL_Surface* picture) { s->many_lives_picture = picture; }

void queue_enemy(scene* s, enemy* e) { s->pending = push_list(s->pending, e); }

void update_scene(scene* s, SDL_Surface* hud_frame, SDL_Rect hud_rect, SDL_Surface* screen) {
    const Uint32 now = platform_ticks();
    ship* player = s->player;
    spawn_due_enemies(s, now);
    const bool enemies_present = player_shots_against_enemies(s, screen);
    enemies_against_player(s);
    enemy_upkeep(s);
    if (player->shot_count > 0) update_shots(player);
    draw_enemies(s, screen);
    if (player->shot_count > 0 && !enemies_present) draw_shots(player, screen);
    draw_player(player, screen);
    draw_at(hud_frame, screen, hud_rect);
    draw_gauge_panel_lives(s, screen);
    if (player->invulnerable > 0) player->invulnerable -= 1;
    if (player->graze > 0) player->graze -= 1;
    draw_score(s, screen);
}

void free_scene(scene* s) { free_digit_pictures(s); }
