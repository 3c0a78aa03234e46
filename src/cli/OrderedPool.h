// Work done on several threads and taken back in the order it was given,
// with a bounded number of jobs in flight, so that memory stays flat however
// much work there is. The thread that gives the jobs also takes the results
// (one place writes, in order) and, rather than wait, does waiting jobs
// itself: with one thread, every job runs on it, one at a time, in order.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace velmora::cli {

template <class Job, class Result>
class OrderedPool {
 public:
  using Work = std::function<Result(Job&)>;
  using Take = std::function<void(Result&)>;

  // `threads` (at least 1) counts the caller's thread; at most `inFlight`
  // jobs (at least 1) are given and not yet taken back.
  OrderedPool(unsigned threads, std::size_t inFlight, Work work)
      : inFlight_(inFlight < 1 ? 1 : inFlight), work_(std::move(work)) {
    for (unsigned k = 1; k < threads; ++k) workers_.emplace_back([this] { Serve(); });
  }
  OrderedPool(const OrderedPool&) = delete;
  OrderedPool& operator=(const OrderedPool&) = delete;
  ~OrderedPool() {
    {
      std::lock_guard lock(mutex_);
      closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) worker.join();
  }

  // Gives a job; first, while the pool is full, takes back the oldest result.
  void Give(Job job, const Take& take) {
    std::unique_lock lock(mutex_);
    while (slots_.size() >= inFlight_) TakeOldest(lock, take);
    slots_.push_back({std::move(job), std::nullopt});
    lock.unlock();
    changed_.notify_one();
  }

  // Takes back every result, in order.
  void Drain(const Take& take) {
    std::unique_lock lock(mutex_);
    while (!slots_.empty()) TakeOldest(lock, take);
  }

 private:
  struct Slot {
    Job job;
    std::optional<Result> result;
  };

  // The first slot not started, or nullptr. Under the lock.
  Slot* Waiting() { return started_ < slots_.size() ? &slots_[started_] : nullptr; }

  // Runs a waiting job without the lock. Slots stay where they are in the
  // deque until their result is taken back, which only the giver does.
  void Run(std::unique_lock<std::mutex>& lock, Slot& slot) {
    ++started_;
    lock.unlock();
    Result result = work_(slot.job);
    lock.lock();
    slot.result.emplace(std::move(result));
    changed_.notify_all();
  }

  void TakeOldest(std::unique_lock<std::mutex>& lock, const Take& take) {
    while (!slots_.front().result) {
      if (Slot* waiting = Waiting()) {
        Run(lock, *waiting);
      } else {
        changed_.wait(lock);
      }
    }
    Result result = std::move(*slots_.front().result);
    slots_.pop_front();
    --started_;
    lock.unlock();
    take(result);
    lock.lock();
  }

  void Serve() {
    std::unique_lock lock(mutex_);
    while (!closing_) {
      if (Slot* waiting = Waiting()) {
        Run(lock, *waiting);
      } else {
        changed_.wait(lock);
      }
    }
  }

  const std::size_t inFlight_;
  const Work work_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Slot> slots_;   // in the order given
  std::size_t started_ = 0;  // slots_[0, started_) are started, the rest are not
  bool closing_ = false;
  std::vector<std::thread> workers_;
};

}  // namespace velmora::cli
