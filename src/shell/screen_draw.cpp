#include "shell/screen_draw.h"

#include "engine/level_interface.h"
#include "platform/platform.h"
#include "support/rect_random.h"

void draw_picture(SDL_Surface* screen, SDL_Surface* picture) {
    SDL_UpperBlit(picture, nullptr, screen, nullptr);
}

void draw_slot(SDL_Surface* screen, const asset_table& assets, int slot) {
    draw_picture(screen, picture_slot(assets, slot));
}

void draw_picture_at(SDL_Surface* screen, SDL_Surface* picture, int x, int y) {
    // SDL writes the clipped rectangle back, so each blit gets its own copy.
    SDL_Rect place = make_rect(x, y, 0, 0);
    SDL_UpperBlit(picture, nullptr, screen, &place);
}

void present_on_next_frame(SDL_Surface* screen) {
    platform_flip(screen);
    const Uint32 now = platform_ticks();
    platform_delay(frame_period_ms - now % frame_period_ms);
}

void play_menu_sound(const asset_table& assets, int slot) {
    platform_play_chunk(menu_sound_channel, chunk_slot(assets, slot));
}
