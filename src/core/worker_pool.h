#pragma once

// A fixed set of threads that run one task at a time: Start hands the task to every worker
// (each gets its number), Wait returns when all of them are done with it.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace korvane {

class WorkerPool {
 public:
  explicit WorkerPool(int workers);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  int Size() const { return static_cast<int>(threads_.size()); }
  // The task must not throw.
  void Start(std::function<void(int)> task);
  void Wait();

 private:
  void Loop(const std::stop_token& stop, int worker);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::condition_variable done_;
  std::function<void(int)> task_;
  uint64_t generation_ = 0;
  int running_ = 0;
  std::vector<std::jthread> threads_;
};

// The number of workers for a setting: n itself when positive, else one per core.
int WorkerCount(int setting);

}  // namespace korvane
