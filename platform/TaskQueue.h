#pragma once
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace vr {

// Tasks handed from any thread to the UI thread. A task wakes the UI thread
// through an eventfd, which the loop polls with its other descriptors.
class TaskQueue {
 public:
  using Task = std::function<void()>;

  TaskQueue();  // the constructing thread is the UI thread
  ~TaskQueue();
  TaskQueue(const TaskQueue&) = delete;
  TaskQueue& operator=(const TaskQueue&) = delete;

  // --- Any thread ---
  bool Post(Task task);
  // Blocks until the UI thread ran the task; runs it at once on the UI thread.
  bool Send(Task task);

  // --- UI thread ---
  int WakeFd() const { return wakeFd_; }
  // Clears the wake-up; call before running the queued tasks.
  void ClearWake();
  // Runs the oldest queued task; false when there was none.
  bool RunOne();
  bool Empty() const;
  // Drops what is queued and releases every waiting sender (they return
  // false). Later Post and Send calls fail.
  void Close();

 private:
  struct Completion;
  struct Entry {
    Task task;
    std::shared_ptr<Completion> completion;  // set for Send
  };

  bool Enqueue(Entry entry);

  mutable std::mutex mutex_;
  std::deque<Entry> queue_;
  bool closed_ = false;
  int wakeFd_ = -1;
  std::thread::id uiThread_;
};

}  // namespace vr
