// Support costs that every frame of play pays.
#include <benchmark/benchmark.h>

#include "support/liste.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

static void tracked_alloc_then_release(benchmark::State& state) {
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) benchmark::DoNotOptimize(tracked_alloc(64));
        release_all();
    }
}
BENCHMARK(tracked_alloc_then_release);

static void spawn_queue_drain(benchmark::State& state) {
    int values[500];
    for (auto _ : state) {
        liste* queue = nullptr;
        for (int& v : values) queue = push_list(queue, &v);
        while (queue->head) queue = remove_list(queue, 0);
        release_all();
    }
}
BENCHMARK(spawn_queue_drain);

static void make_rect_many(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(make_rect(i++, 2, 3, 4));
}
BENCHMARK(make_rect_many);
