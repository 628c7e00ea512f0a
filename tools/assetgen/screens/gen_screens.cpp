#include "screens/gen_screens.h"
#include "core/text.h"
#include "screens/screen_parts.h"

void generate_screens(asset_sink& sink) {
    // Without the fonts the pictures are still written (with no lettering) so
    // the rest of the set can be checked, but the run is marked as failed.
    if (!fonts_available()) sink.failed = true;
    make_title_screens(sink);
    make_intro_screens(sink);
    make_ending_screens(sink);
    make_hud_pictures(sink);
    make_menu_screens(sink);
    make_level_cards(sink);
    make_level_banners(sink);
}
