#include "core/worker_pool.h"

#include <algorithm>

namespace korvane {

WorkerPool::WorkerPool(int workers) {
  for (int w = 0; w < std::max(1, workers); ++w)
    threads_.emplace_back([this, w](const std::stop_token& stop) { Loop(stop, w); });
}

WorkerPool::~WorkerPool() {
  Wait();
  for (std::jthread& t : threads_) t.request_stop();
  wake_.notify_all();
  threads_.clear();  // joins
}

void WorkerPool::Start(std::function<void(int)> task) {
  Wait();
  {
    const std::lock_guard lock(mutex_);
    task_ = std::move(task);
    running_ = Size();
    ++generation_;
  }
  wake_.notify_all();
}

void WorkerPool::Wait() {
  std::unique_lock lock(mutex_);
  done_.wait(lock, [this] { return running_ == 0; });
}

void WorkerPool::Loop(const std::stop_token& stop, int worker) {
  uint64_t seen = 0;
  for (;;) {
    std::function<void(int)>* task = nullptr;
    {
      std::unique_lock lock(mutex_);
      if (!wake_.wait(lock, stop, [&] { return generation_ != seen; })) return;
      seen = generation_;
      task = &task_;
    }
    (*task)(worker);
    {
      const std::lock_guard lock(mutex_);
      --running_;
    }
    done_.notify_all();
  }
}

int WorkerCount(int setting) {
  if (setting > 0) return setting;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace korvane
