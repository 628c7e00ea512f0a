// Threads on the desktop, for the real and the simulated backends alike: the
// processors the program may run on, and SDL's threads.
#include "platform/platform.h"

#include <sched.h>

int platform_thread_count() {
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    return sched_getaffinity(0, sizeof allowed, &allowed) == 0 ? CPU_COUNT(&allowed) : 1;
}

SDL_Thread* platform_start_thread(int (*work)(void*)) { return SDL_CreateThread(work, nullptr); }

void platform_wait_thread(SDL_Thread* thread) { SDL_WaitThread(thread, nullptr); }
