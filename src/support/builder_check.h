// A check on how a level script is put together: a shot pattern or an enemy
// queue asked to hold more than it was sized for is a mistake in the script,
// not a game event, so the build stops there with a message instead of
// dropping what does not fit.
#pragma once

// Reports `what` on standard error and ends the process when ok is false.
void builder_check(bool ok, const char* what);
