#pragma once
#include <functional>

#include "platform/EventLoop.h"

namespace vr {

// The UI thread's loop when windows exist: the EventLoop operations plus
// nested loops (modal dialogs, menus) and tasks handed over by other threads.
class WindowLoop : public EventLoop {
 public:
  using Task = std::function<void()>;

  // Runs the loop until `running` is false (checked after every dispatched
  // event, timer, task and readiness callback) or Quit() was called. A Quit()
  // inside also ends every outer loop, as a quit message does on Windows.
  // Clear `running` on the UI thread only (from a task when on another one).
  virtual void RunWhile(const bool& running) = 0;
  // Number of Run/RunWhile calls currently active on the stack.
  virtual int Depth() const = 0;

  // --- Any thread ---
  // Queues `task` to run on the UI thread; returns at once. False when the
  // loop is already gone (the task is dropped).
  virtual bool PostTask(Task task) = 0;
  // Runs `task` on the UI thread and returns after it ran, also while that
  // thread sits in a nested loop. Called on the UI thread it runs the task at
  // once. False, without running it, when the loop ends before it could run.
  virtual bool SendTask(Task task) = 0;
};

}  // namespace vr
