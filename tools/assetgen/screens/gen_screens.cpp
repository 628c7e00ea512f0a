#include "screens/gen_screens.h"
#include "core/text.h"
#include "screens/screen_parts.h"

namespace {

void title(asset_sink& sink) {
    // Without the fonts the pictures are still written (with no lettering) so
    // the rest of the set can be checked, but the run is marked as failed.
    if (!fonts_available()) sink.failed = true;
    make_title_screens(sink);
}

} // namespace

void add_screen_jobs(asset_jobs& jobs, const std::string& ship_job) {
    jobs.push_back({"title screens", title, ship_job});
    jobs.push_back({"intro screens", make_intro_screens, ship_job});
    jobs.push_back({"ending screens", make_ending_screens, ship_job});
    jobs.push_back({"hud pictures", make_hud_pictures, ship_job});
    jobs.push_back({"menu screens", make_menu_screens, ship_job});
    jobs.push_back({"level cards", make_level_cards, ship_job});
    jobs.push_back({"level banners", make_level_banners, ship_job});
}
