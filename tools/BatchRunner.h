#pragma once
// Runs the files of a batch on a pool of worker threads and prints what each one reports, in the order
// of the files, as soon as the files before it are done.

#include <cstddef>
#include <functional>
#include <string>

// What one file of a batch reports: its exit status and its texts for stdout and stderr.
struct FileOutcome {
    int status = 0;
    std::string out, err;
};

// Runs task(0) .. task(count - 1) on `threads` worker threads (each task must be safe beside the
// others), prints each outcome in order, and, when `progress`, keeps a "done/count" line on stderr up to
// date. Returns the highest status of all files.
int runBatch(size_t count, int threads, const std::function<FileOutcome(size_t)>& task, bool progress);
