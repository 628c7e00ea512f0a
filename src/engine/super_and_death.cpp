#include "engine/super_and_death.h"

#include "engine/panels.h"
#include "platform/platform.h"
#include "support/rect_random.h"

namespace {

constexpr int super_channel = 1;
constexpr int super_cost = 2;
constexpr int respawn_invulnerable = 200;
constexpr int respawn_top = 436;

struct speed {
    int dx, dy;
};

constexpr speed red_speeds[9] = {{0, -6}, {1, -6},  {-1, -6}, {2, -6}, {-2, -6},
                                 {1, -7}, {-1, -7}, {2, -7},  {-2, -7}};
constexpr speed blue_speeds[9] = {{0, -6}, {1, -6},  {-1, -6}, {2, -6}, {-2, -6},
                                  {3, -6}, {-3, -6}, {4, -6},  {-4, -6}};
constexpr speed star_speeds[10] = {{0, -5},  {0, 5}, {5, 0},  {-5, 0},  {5, -5},
                                   {-5, -5}, {5, 5}, {-5, 5}, {-2, -6}, {2, -6}};

shot* bolt(const asset_table& assets, int picture_a, int picture_b, speed v) {
    shot* s = new_animated_shot(make_rect(7, 19, 16, 16), picture_slot(assets, picture_a),
                                picture_slot(assets, picture_b), shot_super, v.dx, v.dy);
    set_shot_anim(s, 10, 20);
    return s;
}

} // namespace

super_bursts make_super_bursts(const asset_table& assets) {
    super_bursts bursts{};
    for (int i = 0; i < 9; ++i) {
        bursts.red[i] = bolt(assets, slot_super_coup1, slot_super_coup1a, red_speeds[i]);
        bursts.blue[i] = bolt(assets, slot_super_coup2, slot_super_coup2a, blue_speeds[i]);
    }
    for (int i = 0; i < 10; ++i)
        bursts.star[i] = bolt(assets, slot_super_coup2_copy, slot_super_coup3a, star_speeds[i]);
    return bursts;
}

void super_attack(level_run& run, const super_bursts& bursts) {
    scene* world = run.world;
    ship* player = world->player;
    if (world->gauge_level <= 1 || player->explosion_frame != 0 || run.state.respawning) return;
    switch (world->gauge_colour) {
    case gauge_red:
        for (shot* s : bursts.red) fire_template(player, s);
        break;
    case gauge_blue:
        for (shot* s : bursts.blue) fire_template(player, s);
        break;
    default:
        for (shot* s : bursts.star) fire_template(player, s);
        break;
    }
    world->gauge_level -= super_cost;
    platform_play_chunk(super_channel, chunk_slot(*run.assets, slot_sound_super));
}

void explosion_and_respawn(level_run& run) {
    level_state& st = run.state;
    ship* player = run.world->player;
    if (st.respawning) {
        set_picture(player, run_picture(run, slot_vaisseau1a));
        move_by(&player->rect, 0, -2);
        if (player->rect.y == respawn_top) st.respawning = 0;
        return;
    }
    const bool explosion_over = player->explosion_frame > player->explosion_frames;
    if (!explosion_over || player->hit_points <= 0) return;
    set_picture(player, run_picture(run, slot_vaisseau1a));
    place_at(&player->rect, make_rect(304, 480, 33, 45));
    set_invulnerable(player, respawn_invulnerable);
    set_explosion_frame(player, 0);
    player->graze = 0;
    st.respawning = 1;
}

void game_over_test(level_run& run) {
    const ship* player = run.world->player;
    if (player->explosion_frame > player->explosion_frames && player->hit_points <= 0) {
        run.state.quit = 1;
        run.state.lost = 1;
        draw_game_over_banner(run);
    }
}
