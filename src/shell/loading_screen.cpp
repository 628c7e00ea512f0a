#include "shell/loading_screen.h"

#include "platform/platform.h"
#include "shell/screen_draw.h"

namespace {

constexpr int loading_passes = 50;
constexpr Uint32 pass_ms = 100;
constexpr int phase_count = 4;

} // namespace

void loading_screen(SDL_Surface* screen, const asset_table& assets) {
    int phase = 1;
    for (int pass = 0; pass < loading_passes; ++pass) {
        draw_slot(screen, assets, slot_loading);
        if (phase == 2 || phase == 4) draw_slot(screen, assets, slot_loading1);
        if (phase == 3) draw_slot(screen, assets, slot_loading2);
        platform_flip(screen);
        platform_delay(pass_ms);
        phase = phase == phase_count ? 1 : phase + 1;
    }
}
