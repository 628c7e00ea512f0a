// The backdrops: the scrolling scenery of every level with its outro
// variant, the cave loop, and the plain black and white full-screen cards.
// One job a scene, since each variant is made from its scene.

#include "backdrops/gen_backdrops.h"
#include "backdrops/backdrop_scenes.h"
#include "backdrops/kit/backdrop_paint.h"
#include "core/draw.h"
#include "support/asset_slots.h"

using namespace backdrop;

namespace {

void cards(asset_sink& sink) {
    emit_picture(sink, slot_noir, make_filled(full_w, full_h, rgb{0, 0, 0}));
    emit_picture(sink, slot_blanc, make_filled(full_w, full_h, rgb{255, 255, 255}));
}

void skies(asset_sink& sink) {
    const picture day = paint_day_sky();
    emit_picture(sink, slot_ciel, day);
    emit_picture(sink, slot_ciel1, paint_dusk_sky());
    emit_picture(sink, slot_ciel_vieux, sepia_aged(day, 0.2));
}

void night(asset_sink& sink) {
    const picture night = paint_night_sky();
    emit_picture(sink, slot_level_end, night);
    emit_picture(sink, slot_level_end_vieux, sepia_aged(night, 0.1));
}

void forest(asset_sink& sink) {
    // Slot 69 names the same file, so writing 68 covers it.
    const picture forest = paint_forest();
    emit_picture(sink, slot_forest, forest);
    emit_picture(sink, slot_forest_vieux, sepia_aged(forest, 0.2));
}

void cave(asset_sink& sink) {
    const std::vector<picture> cave = paint_cave_frames(30);
    for (int n = 0; n < 30; ++n) emit_picture(sink, slot_cave_first + n, cave[n]);
}

void lava(asset_sink& sink) {
    const picture lava = paint_lava();
    emit_picture(sink, slot_lave, lava);
    emit_picture(sink, slot_lave_gris, greyed(lava, 0.8));
}

void station(asset_sink& sink) {
    // The final level cycles the three tints; each stays as dark as the deck.
    const picture deck = paint_station();
    emit_picture(sink, slot_enterprise, deck);
    emit_picture(sink, slot_enterprise_gris, greyed(deck, 0.8));
    emit_picture(sink, slot_enterprise_rouge, toned(deck, rgb{255, 60, 48}, 0.6));
    emit_picture(sink, slot_enterprise_bleu, toned(deck, rgb{64, 110, 255}, 0.6));
    emit_picture(sink, slot_enterprise_vert, toned(deck, rgb{46, 186, 74}, 0.6));
}

} // namespace

void add_backdrop_jobs(asset_jobs& jobs) {
    jobs.push_back({"cave backdrop", cave, {}});
    jobs.push_back({"sky backdrops", skies, {}});
    jobs.push_back({"night backdrop", night, {}});
    jobs.push_back({"forest backdrop", forest, {}});
    jobs.push_back({"lava backdrop", lava, {}});
    jobs.push_back({"station backdrop", station, {}});
    jobs.push_back({"black and white cards", cards, {}});
}
