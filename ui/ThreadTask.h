#pragma once
#include <atomic>
#include <cstdint>
#include <utility>

namespace vr {

class WindowLoop;

// Work a worker thread hands to the UI thread. The UI thread runs it and then
// deletes it when nobody holds a reference (the count starts at 0): a posted
// task is fire-and-forget; a task that must outlive the run (a stack object
// given to SendTask) holds a reference of its own (ThreadTaskTemp).
class ThreadTask {
 public:
  virtual ~ThreadTask() = default;
  virtual void Run() = 0;

  void AddRef() { refs_.fetch_add(1, std::memory_order_relaxed); }
  void Release() { refs_.fetch_sub(1, std::memory_order_acq_rel); }
  int32_t RefCount() const { return refs_.load(std::memory_order_acquire); }

 private:
  std::atomic<int32_t> refs_{0};
};

// A heap task running a callable once; deleted after it ran.
template <typename Fn>
class ThreadTaskPost final : public ThreadTask {
 public:
  explicit ThreadTaskPost(Fn fn) : fn_(std::move(fn)) {}
  void Run() override { fn_(); }

 private:
  Fn fn_;
};

// A task that stays with its creator (typically on the stack around
// SendTask): it holds a reference, so the UI thread never deletes it.
template <typename Fn>
class ThreadTaskTemp final : public ThreadTask {
 public:
  explicit ThreadTaskTemp(Fn fn) : fn_(std::move(fn)) { AddRef(); }
  void Run() override { fn_(); }

 private:
  Fn fn_;
};

// The UI thread's receiver of tasks: one per process, made during start-up
// on the UI thread over its loop and gone before the loop.
class TaskWindow {
 public:
  explicit TaskWindow(WindowLoop& loop);
  ~TaskWindow();
  TaskWindow(const TaskWindow&) = delete;
  TaskWindow& operator=(const TaskWindow&) = delete;
};

// --- Any thread ---
// Queues `task` for the UI thread and returns at once. False when no task
// window exists or the loop is gone: the task did not run and, unless
// someone holds a reference, has been deleted.
bool PostTask(ThreadTask* task);
// Returns after the UI thread ran `task` (at once when called on the UI
// thread), also while that thread sits in a modal loop. Never call it from
// the UI thread while that thread waits for the caller. False as PostTask.
bool SendTask(ThreadTask* task);

}  // namespace vr
