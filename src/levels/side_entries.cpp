#include "levels/side_entries.h"

#include "levels/script_builder.h"
#include "support/rect_random.h"

namespace {
constexpr int right_x = 512, left_x = 87;
} // namespace

entry_plan plan_side_entry(const side_row_shape& shape, int k) {
    static constexpr int second_range[6] = {50, 50, 20, 20, 30, 30};
    static constexpr int second_minimum[6] = {25, 25, 10, 10, 15, 15};
    const bool right = k % 2 == 0;
    const int y_draw = random_below(shape.y_range[k]);
    const int length_draw = random_below(second_range[k]);
    return {k, right ? right_x : left_x, shape.y_base[k] + y_draw, right ? -1 : 1,
            (shape.entry_minimum ? second_minimum[k] : 0) + length_draw};
}

void add_side_entry(enemy* e, const entry_plan& plan) {
    static constexpr int first_frames[6] = {50, 50, 70, 70, 100, 100};
    // Members 0 and 1 turn down into the field, the others turn up.
    add_move(e, entry_path, 2 * plan.side, 0, first_frames[plan.k]);
    add_move(e, entry_path, 2 * plan.side, plan.k < 2 ? 2 : -2, plan.second_frames);
}

entry_plan plan_rising_entry(int k) {
    static constexpr int y_base[6] = {350, 350, 310, 310, 270, 270};
    const bool right = k % 2 == 0;
    const int y_draw = random_below(40);
    const int length_draw = random_below(10);
    return {k, right ? right_x : left_x, y_base[k - 6] + y_draw, right ? -1 : 1, length_draw};
}

void add_rising_entry(enemy* e, const entry_plan& plan) {
    static constexpr int first_frames[6] = {50, 50, 40, 40, 50, 50};
    const int climb = plan.k < 10 ? -3 : -1;
    add_move(e, entry_path, 3 * plan.side, climb, first_frames[plan.k - 6]);
    add_move(e, entry_path, 3 * plan.side, climb, plan.second_frames);
}
