#include "levels/enemy_kind.h"

#include "support/rect_random.h"

enemy* new_enemy_of(const enemy_kind& kind, const asset_table& assets, int x, int y, int spawn_ms) {
    auto pic = [&](int slot) { return picture_slot(assets, slot); };
    const explosion_strip& blast = kind.explosion;
    enemy* e = new_enemy({.rect = make_rect(x, y, kind.size.w, kind.size.h),
                          .hit_points = kind.hit_points,
                          .shot_capacity = kind.shot_slots,
                          .picture = pic(kind.picture),
                          .colour = kind.colour,
                          .explosion_picture = pic(blast.picture),
                          .explosion_frames = blast.frames,
                          .explosion_frame_ms = blast.frame_ms,
                          .spawn_ms = spawn_ms,
                          .tag = kind.tag,
                          .explosion_w = blast.w,
                          .explosion_h = blast.h,
                          .reach_x = kind.reach.x,
                          .reach_y = kind.reach.y,
                          .starts_with_entry = kind.starts_with_entry,
                          .hold_main = kind.hold_main,
                          .final_mode = kind.final_mode,
                          .score_value = kind.score});
    if (kind.second_picture != no_slot) set_second_frame(e, pic(kind.second_picture));
    if (kind.flash_picture != no_slot) set_flash_pictures(e, pic(kind.flash_picture));
    if (kind.second_flash_picture != no_slot)
        set_second_flash_picture(e, pic(kind.second_flash_picture));
    if (kind.alt_explosion != no_slot) set_enemy_alt_explosion(e, pic(kind.alt_explosion));
    if (kind.anim_switch > 0) set_enemy_anim(e, kind.anim_switch, kind.anim_period);
    if (kind.hit_sound != no_slot) set_enemy_hit_sound(e, chunk_slot(assets, kind.hit_sound));
    return e;
}
