// The catalogue's slow check, compiled once rather than in every file that
// names a slot.
#include "support/asset_catalogue.h"

namespace {

// Every slot has a file and a name no other slot has.
constexpr bool catalogue_names_are_unique() {
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        if (!asset_catalogue[slot].path || asset_catalogue[slot].name.empty()) return false;
        for (int other = 0; other < slot; ++other)
            if (asset_catalogue[other].name == asset_catalogue[slot].name) return false;
    }
    return true;
}
static_assert(catalogue_names_are_unique(), "one name and one file a slot");

} // namespace
