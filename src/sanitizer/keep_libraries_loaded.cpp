// Sanitizer builds only. LeakSanitizer looks for leaks when the program has
// ended, after the libraries SDL opened at run time have been closed again
// (on the compatibility library, SDL 2 opens and closes Mesa's GLX driver
// with the real window). A leak inside a closed library has no module left to
// name it, so no suppression can match it, and LeakSanitizer no longer sees
// the pointers that library's data still holds. This dlclose, exported from
// the game's executable, comes before the C library's in every lookup: it
// closes nothing, so each library stays loaded until the report and its leaks
// are named after it. The game's own allocations are reported as always.
#include <dlfcn.h>

extern "C" int dlclose(void*) noexcept { return 0; }
