#include "engine/player.h"

#include "engine/difficulty.h"
#include "platform/platform.h"
#include "support/rect_random.h"
#include "support/screen_geometry.h"

namespace {

constexpr int gun_channel = 0;
constexpr Uint32 gun_interval_ms = 100;
// The ship's record: shot slots, its explosion strip's frames and timing, and
// the half-extent of its hit box around the centre (a small core).
constexpr int ship_shot_slots = 50;
constexpr int ship_explosion_frames = 13, ship_explosion_frame_ms = 100;
constexpr int ship_reach_x = 3, ship_reach_y = 3;

SDL_Surface* pick(const level_run& run, const ship* player, int plain, int powered) {
    return run_picture(run, is_powered(player) ? powered : plain);
}

} // namespace

ship* new_player_ship(const level_run& run) {
    const level_config& config = *run.config;
    const int lives =
        config.fixed_lives > 0 ? config.fixed_lives : difficulty_of(run.difficulty).lives;
    ship* player = new_ship(make_rect(300, config.ship_start_y, ship_width, ship_height), lives,
                            ship_shot_slots, run_picture(run, slot_vaisseau1), config.player_colour,
                            run_picture(run, slot_explosion_vaisseau), ship_explosion_frames,
                            ship_explosion_frame_ms, ship_reach_x, ship_reach_y);
    set_hit_sound(player, chunk_slot(*run.assets, slot_sound_explosion1));
    return player;
}

gun_templates make_gun_templates(const asset_table& assets) {
    auto pic = [&](int slot) { return picture_slot(assets, slot); };
    return {
        new_shot(make_rect(14, -2, 9, 25), pic(slot_vaisseau_tir1), shot_main, 0, -6),
        new_shot(make_rect(14, -2, 9, 25), pic(slot_vaisseau_tir2), shot_main_a, 0, -6),
        new_shot(make_rect(18, 2, 14, 15), pic(slot_vaisseau_tir1a), shot_side, 3, -6),
        new_shot(make_rect(5, 2, 14, 15), pic(slot_vaisseau_tir1a), shot_side, -3, -6),
        new_shot(make_rect(18, 2, 14, 15), pic(slot_vaisseau_tir2a), shot_side_a, 3, -6),
        new_shot(make_rect(5, 2, 14, 15), pic(slot_vaisseau_tir2a), shot_side_a, -3, -6),
    };
}

void advance_flame(level_state& st) {
    st.flame_counter += 1;
    if (st.flame_counter > 20) st.flame_counter = 0;
}

bool is_powered(const ship* player) { return player->invulnerable != 0 || player->graze != 0; }

SDL_Surface* forward_picture(const level_run& run, const ship* player) {
    if (run.state.flame_counter < 11) return pick(run, player, slot_vaisseau1, slot_vaisseau1a);
    return pick(run, player, slot_vaisseau2, slot_vaisseau2a);
}

void steer_and_fire(level_run& run, const gun_templates& guns, const Uint8* keys) {
    level_state& st = run.state;
    ship* player = run.world->player;
    const bool firing = keys[SDLK_g] || keys[SDLK_f];
    const int speed = firing ? 2 : 3;

    if (keys[SDLK_UP] && player->rect.y > 1) {
        move_by(&player->rect, 0, -speed);
        set_picture(player, forward_picture(run, player));
        advance_flame(st);
        st.moved = 1;
    }
    if (keys[SDLK_DOWN] && player->rect.y + ship_height <= screen_height) {
        move_by(&player->rect, 0, speed);
        set_picture(player, forward_picture(run, player));
        advance_flame(st);
        st.moved = 1;
    }
    // The ship keeps one column clear of the left panel.
    if (keys[SDLK_LEFT] && player->rect.x > field_x + 1) {
        move_by(&player->rect, -speed, 0);
        set_picture(player, pick(run, player, slot_vaisseau_gauche, slot_vaisseau_gauchea));
        st.moved = 1;
    }
    if (keys[SDLK_RIGHT] && player->rect.x + ship_width <= field_end_x) {
        move_by(&player->rect, speed, 0);
        set_picture(player, pick(run, player, slot_vaisseau_droite, slot_vaisseau_droitea));
        st.moved = 1;
    }
    // G and F share one interval, so with both held only the main gun fires.
    if (keys[SDLK_g] && platform_ticks() - st.last_shot_ms > gun_interval_ms) {
        st.fired = 1;
        fire_template(player, is_powered(player) ? guns.main_powered : guns.main_plain);
        st.last_shot_ms = platform_ticks();
        platform_play_chunk(gun_channel, chunk_slot(*run.assets, slot_sound_shot1));
    }
    if (keys[SDLK_f] && !st.fired && platform_ticks() - st.last_shot_ms > gun_interval_ms) {
        const bool powered = is_powered(player);
        fire_template(player, powered ? guns.side_right_powered : guns.side_right_plain);
        fire_template(player, powered ? guns.side_left_powered : guns.side_left_plain);
        st.last_shot_ms = platform_ticks();
        platform_play_chunk(gun_channel, chunk_slot(*run.assets, slot_sound_shot1));
    }
    st.fired = 0;
    if (!st.moved) {
        set_picture(player, forward_picture(run, player));
        advance_flame(st);
        st.moved = 1;
    }
}
