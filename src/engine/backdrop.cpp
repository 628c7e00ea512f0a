#include "engine/backdrop.h"

#include "objects/blit.h"
#include "objects/ship.h"
#include "support/rect_random.h"
#include "support/screen_geometry.h"
#include "support/tracked_memory.h"

namespace {
constexpr int last_offset = 478;
constexpr int cave_frame_count = 30;
} // namespace

bg_layer* new_bg_layer(SDL_Rect rect, SDL_Surface* picture) {
    bg_layer* layer = tracked_make<bg_layer>();
    layer->rect = rect;
    layer->picture = picture;
    return layer;
}

void prepare_backdrop(level_run& run) {
    const level_config& config = *run.config;
    if (config.backdrop == backdrop_kind::scrolling) {
        SDL_Surface* first = run_picture(run, config.first_picture);
        run.state.main_layer = new_bg_layer(make_rect(0, 0, screen_width, screen_height), first);
        run.state.strip_layer = new_bg_layer(make_rect(0, 0, screen_width, 0), first);
        run.state.strip_destination = make_rect(0, 0, screen_width, 0);
        return;
    }
    run.cave_frames = tracked_array<SDL_Surface*>(cave_frame_count);
    for (int i = 0; i < cave_frame_count; ++i)
        run.cave_frames[i] = run_picture(run, config.first_picture + i);
}

void scroll_step(level_run& run, int s) {
    level_state& st = run.state;
    if (st.main_layer->rect.y == last_offset) {
        place_at(&st.main_layer->rect, make_rect(0, 0, screen_width, screen_height));
        place_at(&st.strip_layer->rect, make_rect(0, 0, screen_width, 0));
        st.strip_destination = make_rect(0, 0, screen_width, 0);
        return;
    }
    move_by(&st.main_layer->rect, 0, s);
    const int y = st.main_layer->rect.y;
    place_at(&st.strip_layer->rect, make_rect(0, screen_height - y, screen_width, y));
    st.strip_destination = make_rect(0, 0, screen_width, y);
}

void draw_scrolled(level_run& run, SDL_Surface* picture) {
    level_state& st = run.state;
    SDL_Rect source = st.strip_layer->rect;
    SDL_Rect destination = st.strip_destination;
    blit_into(picture, &source, run.screen, destination);
    draw_at(picture, run.screen, st.main_layer->rect);
}

void draw_animated(level_run& run, int period) {
    level_state& st = run.state;
    draw_at(run_picture(run, run.config->hud_frame), run.screen,
            make_rect(0, 0, screen_width, screen_height));
    draw_at(run.cave_frames[st.backdrop_frame], run.screen,
            make_rect(field_x, 0, field_width, screen_height));
    st.step_counter += 1;
    if (st.step_counter >= period) {
        st.step_counter = 0;
        st.backdrop_frame = (st.backdrop_frame + 1) % cave_frame_count;
    }
}
