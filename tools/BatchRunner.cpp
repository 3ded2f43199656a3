#include "BatchRunner.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

class ProgressLine {
  public:
    ProgressLine(bool on, size_t count) : on_(on), count_(count) {}
    void clear() {
        if (on_ && shown_) std::fputs("\r\033[K", stderr);
        shown_ = false;
    }
    void show(size_t done, size_t failed, bool force) {
        const auto now = std::chrono::steady_clock::now();
        if (!on_ || (!force && shown_ && now - last_ < std::chrono::milliseconds(100))) return;
        std::fprintf(stderr, "\r\033[Kcorvex-render: %zu/%zu files done, %zu failed", done, count_, failed);
        std::fflush(stderr);
        last_ = now;
        shown_ = true;
    }
    void end() {
        if (on_ && shown_) std::fputc('\n', stderr);
    }

  private:
    bool on_;
    size_t count_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_;
};

} // namespace

int runBatch(size_t count, int threads, const std::function<FileOutcome(size_t)>& task, bool progress) {
    std::vector<std::optional<FileOutcome>> outcomes(count);
    std::mutex mutex;
    std::condition_variable finished;
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < std::max(1, std::min<int>(threads, int(count))); ++t)
        workers.emplace_back([&] {
            for (size_t i; (i = next.fetch_add(1)) < count;) {
                FileOutcome outcome = task(i);
                const std::lock_guard lock(mutex);
                outcomes[i] = std::move(outcome);
                finished.notify_one();
            }
        });

    ProgressLine line(progress, count);
    int status = 0;
    size_t failed = 0;
    for (size_t i = 0; i < count; ++i) {
        FileOutcome outcome;
        {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return outcomes[i].has_value(); });
            outcome = std::move(*outcomes[i]);
            outcomes[i].reset();
        }
        if (!outcome.err.empty()) line.clear();
        std::fputs(outcome.out.c_str(), stdout);
        std::fputs(outcome.err.c_str(), stderr);
        status = std::max(status, outcome.status);
        failed += outcome.status != 0;
        line.show(i + 1, failed, i + 1 == count);
    }
    line.end();
    for (std::thread& worker : workers)
        worker.join();
    return status;
}
