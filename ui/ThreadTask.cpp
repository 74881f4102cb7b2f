#include "ui/ThreadTask.h"

#include <memory>
#include <mutex>

#include "platform/WindowLoop.h"

namespace vr {

namespace {

std::mutex& LoopLock() {
  static std::mutex lock;
  return lock;
}

WindowLoop*& CurrentLoop() {
  static WindowLoop* loop = nullptr;
  return loop;
}

WindowLoop* InstalledLoop() {
  std::lock_guard<std::mutex> guard(LoopLock());
  return CurrentLoop();
}

// Owns a task until the loop is done with it, whether it ran or was dropped
// unrun by a closing loop. Whether the loop may delete it is decided here,
// before the caller can go on: a task somebody holds (a ThreadTaskTemp on a
// sender's stack) may be gone by the time the loop lets go of it, so it is
// never touched after its run.
std::shared_ptr<ThreadTask> Adopt(ThreadTask* task) {
  if (task->RefCount() > 0) return std::shared_ptr<ThreadTask>(task, [](ThreadTask*) {});
  return std::shared_ptr<ThreadTask>(task);
}

}  // namespace

TaskWindow::TaskWindow(WindowLoop& loop) {
  std::lock_guard<std::mutex> guard(LoopLock());
  CurrentLoop() = &loop;
}

TaskWindow::~TaskWindow() {
  std::lock_guard<std::mutex> guard(LoopLock());
  CurrentLoop() = nullptr;
}

bool PostTask(ThreadTask* task) {
  if (!task) return false;
  std::shared_ptr<ThreadTask> held = Adopt(task);
  WindowLoop* loop = InstalledLoop();
  if (!loop) return false;
  return loop->PostTask([held]() mutable {
    held->Run();
    held.reset();
  });
}

bool SendTask(ThreadTask* task) {
  if (!task) return false;
  std::shared_ptr<ThreadTask> held = Adopt(task);
  WindowLoop* loop = InstalledLoop();
  if (!loop) return false;
  // Let go before the sender is released: its task may live on its stack.
  return loop->SendTask([held]() mutable {
    held->Run();
    held.reset();
  });
}

}  // namespace vr
