#include "support/tracked_memory.h"

#include <cstdlib>

#include "platform/report.h"

namespace {

// The link in front of every block, padded to the heap's own alignment so the
// caller's bytes stay as aligned as a plain malloc would give them. The padding
// has room for the block's length, which only the figures read.
struct alignas(alignof(std::max_align_t)) tracked_header {
    tracked_header* link; // the previously tracked block, or null
    std::size_t len;
};
static_assert(sizeof(tracked_header) % alignof(std::max_align_t) == 0);

tracked_header* tracked_list = nullptr;
void (*release_observer)(void*) = nullptr;

[[noreturn]] void out_of_memory(int len) {
    release_all();
    report_line("out of memory (could not allocate %d bytes)", len);
    std::exit(EXIT_FAILURE);
}

} // namespace

void* tracked_alloc(int len) {
    // A negative count can only come from an overflowed size: no heap can
    // serve it, so it fails like any other impossible request.
    if (len < 0) out_of_memory(len);
    auto* block = static_cast<tracked_header*>(
        std::malloc(sizeof(tracked_header) + static_cast<std::size_t>(len)));
    if (!block) out_of_memory(len);
    block->link = tracked_list;
    block->len = static_cast<std::size_t>(len);
    tracked_list = block;
    return block + 1;
}

void release_all() {
    while (tracked_list) {
        tracked_header* older = tracked_list->link;
        if (release_observer) release_observer(tracked_list + 1);
        std::free(tracked_list);
        tracked_list = older;
    }
}

std::size_t tracked_block_count() {
    std::size_t count = 0;
    for (const tracked_header* b = tracked_list; b; b = b->link) ++count;
    return count;
}

std::size_t tracked_bytes() {
    std::size_t bytes = 0;
    for (const tracked_header* b = tracked_list; b; b = b->link) bytes += b->len;
    return bytes;
}

void set_release_observer(void (*observer)(void*)) { release_observer = observer; }
