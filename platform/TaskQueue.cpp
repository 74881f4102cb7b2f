#include "platform/TaskQueue.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>

namespace vr {

// A sender's wait state. Owned jointly by the sender and the queue entry, so
// a sender released by Close() never touches the queue again.
struct TaskQueue::Completion {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool ran = false;

  void Finish(bool didRun) {
    std::lock_guard<std::mutex> lock(mutex);
    finished = true;
    ran = didRun;
    done.notify_all();
  }
};

TaskQueue::TaskQueue() : uiThread_(std::this_thread::get_id()) {
  wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

TaskQueue::~TaskQueue() {
  Close();
  if (wakeFd_ >= 0) close(wakeFd_);
}

bool TaskQueue::Enqueue(Entry entry) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (closed_ || !entry.task) return false;
    queue_.push_back(std::move(entry));
  }
  uint64_t one = 1;
  // A full counter (EAGAIN) still leaves the descriptor readable.
  [[maybe_unused]] ssize_t n = write(wakeFd_, &one, sizeof one);
  return true;
}

bool TaskQueue::Post(Task task) { return Enqueue(Entry{std::move(task), nullptr}); }

bool TaskQueue::Send(Task task) {
  if (std::this_thread::get_id() == uiThread_) {
    // Waiting here would wait for ourselves.
    if (!task) return false;
    task();
    return true;
  }
  auto completion = std::make_shared<Completion>();
  if (!Enqueue(Entry{std::move(task), completion})) return false;
  std::unique_lock<std::mutex> lock(completion->mutex);
  completion->done.wait(lock, [&] { return completion->finished; });
  return completion->ran;
}

void TaskQueue::ClearWake() {
  uint64_t count;
  [[maybe_unused]] ssize_t n = read(wakeFd_, &count, sizeof count);
}

bool TaskQueue::RunOne() {
  Entry entry;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (queue_.empty()) return false;
    entry = std::move(queue_.front());
    queue_.pop_front();
  }
  entry.task();
  if (entry.completion) entry.completion->Finish(true);
  return true;
}

bool TaskQueue::Empty() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.empty();
}

void TaskQueue::Close() {
  std::deque<Entry> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
    dropped.swap(queue_);
  }
  for (Entry& e : dropped)
    if (e.completion) e.completion->Finish(false);
}

}  // namespace vr
