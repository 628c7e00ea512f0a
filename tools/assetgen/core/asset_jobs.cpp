#include "core/asset_jobs.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace {

// Copies the slots `from` wrote into `into`.
void take_slots(asset_sink& into, const asset_sink& from) {
    for (size_t slot = 0; slot < from.written.size(); ++slot) {
        if (!from.written[slot]) continue;
        into.written[slot] = 1;
        into.pictures[slot] = from.pictures[slot];
    }
}

// Index of the job named `name` before `before`, or -1.
int earlier_job(const asset_jobs& jobs, size_t before, const std::string& name) {
    for (size_t k = 0; k < before; ++k)
        if (jobs[k].name == name) return static_cast<int>(k);
    return -1;
}

} // namespace

unsigned machine_threads() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}

bool run_asset_jobs(asset_sink& sink, const asset_jobs& jobs, unsigned threads) {
    std::vector<int> waits_for(jobs.size(), -1);
    for (size_t k = 0; k < jobs.size(); ++k) {
        if (jobs[k].after.empty()) continue;
        waits_for[k] = earlier_job(jobs, k, jobs[k].after);
        if (waits_for[k] < 0) {
            std::fprintf(stderr, "assetgen: job %s needs %s, which is not before it\n",
                         jobs[k].name.c_str(), jobs[k].after.c_str());
            return false;
        }
    }

    const asset_sink blank = sink;
    std::vector<asset_sink> results(jobs.size());
    std::vector<char> finished(jobs.size(), 0);
    std::mutex lock;
    std::condition_variable job_done;
    size_t next = 0;
    // Jobs are taken in list order, so the one waited for has already been
    // taken by a thread that will finish it.
    auto work = [&] {
        for (;;) {
            size_t k;
            asset_sink own = blank;
            {
                std::unique_lock held(lock);
                if (next == jobs.size()) return;
                k = next++;
                if (waits_for[k] >= 0) {
                    const auto needed = static_cast<size_t>(waits_for[k]);
                    job_done.wait(held, [&] { return finished[needed] != 0; });
                    take_slots(own, results[needed]);
                }
            }
            jobs[k].run(own);
            {
                std::lock_guard held(lock);
                results[k] = std::move(own);
                finished[k] = 1;
            }
            job_done.notify_all();
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads && t < jobs.size(); ++t) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();

    for (size_t k = 0; k < jobs.size(); ++k) {
        take_slots(sink, results[k]);
        if (results[k].failed) {
            std::fprintf(stderr, "assetgen: the %s job failed\n", jobs[k].name.c_str());
            sink.failed = true;
        }
    }
    return true;
}
