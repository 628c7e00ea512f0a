// The generator's work as a list of jobs that run side by side on every
// processor the machine offers. Each job writes its slots through a sink of
// its own, so no two threads share one; the sinks are folded into the main
// one in list order afterwards. Every slot's bytes depend only on its own
// job, never on which thread ran it or when.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/asset_sink.h"

struct asset_job {
    std::string name;                     // named when the job fails
    std::function<void(asset_sink&)> run; // draws or plays its slots and emits them
    // A job earlier in the list whose slots this one reads (the screens show
    // the player's ship); it finishes first and its slots are in the sink.
    std::string after;
};

// Jobs are started in list order, so the list puts the longest first.
using asset_jobs = std::vector<asset_job>;

// Runs every job on `threads` threads (at least one) and folds what they
// wrote into `sink`; a failed job is named on stderr and marks the sink
// failed. Returns false when a job names an `after` that is not before it.
bool run_asset_jobs(asset_sink& sink, const asset_jobs& jobs, unsigned threads);

// Every processor the machine offers, at least one.
unsigned machine_threads();
