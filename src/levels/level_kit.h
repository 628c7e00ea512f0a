// What every level script builds with: the catalogue, the enemies' firing
// sound and the firing step that plays it, the ghosts' five-bullet fan, the
// ghost that rises from below, and the ghosts and planes that enter from
// behind the side panels. Each level's own kit holds this as `base` next to
// the patterns only it fires.
#pragma once

#include "levels/enemy_kind.h"
#include "levels/script_builder.h"
#include "levels/side_entries.h"
#include "levels/wave_builder.h"

struct level_kit {
    const asset_table* assets;
    Mix_Chunk* fire_sound;
};

level_kit make_level_kit(const asset_table& assets);

// A step that fires the pattern with the firing sound on its first frame
// while moving (dx, dy) a frame for `frames` frames.
move_step* fire_step(const level_kit& kit, const shot_pattern& pattern, int frames, int dx = 0,
                     int dy = 0);

enemy* new_enemy_of(const level_kit& kit, const enemy_kind& kind, int x, int y, int spawn_ms);

// Five small bullets from a ghost's mouth: straight down, then two to each
// side.
shot_pattern ghost_fan(const bullet_look& look);

// Members 6 to 11 of a side row: a red ghost rises from the lower part of the
// screen, fires its fan once and flies on diagonally down and out.
enemy* rising_ghost(const level_kit& kit, const shot_pattern& fan, int k, int spawn_ms);

// Members 0 to 5 of a side row: a red ghost flies in, fires its fan once and
// drifts down and slightly outwards until off the bottom.
enemy* drifting_ghost(const level_kit& kit, const side_row_shape& shape, const shot_pattern& fan,
                      int k, int spawn_ms);

// Members 0 to 5 of a plane row: a plane flies in, fires once; 0 to 3 then
// drift down at v, 4 and 5 fly on across the field first.
enemy* side_plane(const level_kit& kit, const enemy_kind& kind, const side_row_shape& shape,
                  const shot_pattern& guns, int k, int spawn_ms, int v);

// The same three as path makers for a wave's rows: the row gives the entry
// shape, the kind (planes) and the pattern fired, and a plane row's speed is
// how fast members 0 to 3 drift down.
template <typename kit_type>
enemy* drifting_ghosts(const kit_type& kit, const wave<kit_type>& row, const wave_member& m) {
    return drifting_ghost(kit.base, *row.entry, kit.*row.fires, m.index, m.spawn_ms);
}

template <typename kit_type>
enemy* side_planes(const kit_type& kit, const wave<kit_type>& row, const wave_member& m) {
    return side_plane(kit.base, *row.kind, *row.entry, kit.*row.fires, m.index, m.spawn_ms,
                      row.speed);
}
