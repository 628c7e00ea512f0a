// Per-level memory: every record a level creates is taken here and released
// in one sweep when the level ends. A tracked block is never freed on its own.
#pragma once

#include <cstddef>
#include <new>
#include <type_traits>

// Returns len usable bytes, aligned as the C heap aligns. Out of memory, it
// releases everything tracked, reports on standard error and ends the process
// with a non-zero status: it never returns null.
void* tracked_alloc(int len);

// Frees every tracked block, newest first. Harmless on an empty chain.
void release_all();

// Typed convenience: one uninitialised record of T from tracked memory.
template <typename T> T* tracked_new() { return static_cast<T*>(tracked_alloc(sizeof(T))); }

// One zero-initialised record of T. Tracked records are never destroyed one by
// one, so T must not need a destructor.
template <typename T> T* tracked_make() {
    static_assert(std::is_trivially_destructible_v<T>);
    return new (tracked_alloc(static_cast<int>(sizeof(T)))) T{};
}

// An array of n zero-initialised values of T.
template <typename T> T* tracked_array(int n) {
    static_assert(std::is_trivial_v<T>);
    T* array = static_cast<T*>(tracked_alloc(static_cast<int>(sizeof(T)) * n));
    for (int i = 0; i < n; ++i) array[i] = T{};
    return array;
}

// Observation for tests and figures: blocks and bytes currently tracked (a
// walk of the chain), and a hook told of each block as release_all frees it.
std::size_t tracked_block_count();
std::size_t tracked_bytes();
void set_release_observer(void (*observer)(void* block));
