// RunLoop: the main thread's task queue and timers, and the tracked worker threads that screen
// actions start for their requests.
//
// All screen state and every toolkit call happen on the main thread (the thread that created
// the run loop, or the one that runs it). Workers, and any other work that will hand back to
// the main thread (image loads hold a PendingWork), are tracked so that runUntilIdle() waits
// until all of it has finished and every due task has run: one meaning of idle for tests and
// front ends alike. Idle observers run when the loop is about to go idle (the window draws
// there, which makes table rows and starts their picture loads). Timers use the run loop's
// clock; tests install a ManualClock and advance virtual time instead of sleeping.
//
// post(), detachThread() and performOnMainThread() may be called from any thread; the rest
// only from the main thread. Reach the current one with RunLoop::main().
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>

namespace kelda::platform {

using Task = std::function<void()>;
using Duration = std::chrono::nanoseconds;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual Duration now() const = 0;
};

// Real monotonic time.
class SteadyClock : public Clock {
 public:
  Duration now() const override;
};

// Virtual time for tests: starts at 0 and moves only when advanced.
class ManualClock : public Clock {
 public:
  Duration now() const override;
  void advance(Duration by);

 private:
  std::atomic<std::int64_t> nanos_{0};
};

using TimerId = std::uint64_t;
using ObserverId = std::uint64_t;

class RunLoop;

// A piece of outside work (not a detached worker) that the loop counts as running until the
// token goes: runUntilIdle() does not return while one exists. Movable, any thread.
class PendingWork {
 public:
  PendingWork() = default;
  ~PendingWork();
  PendingWork(PendingWork&& other) noexcept;
  PendingWork& operator=(PendingWork&& other) noexcept;
  PendingWork(const PendingWork&) = delete;
  PendingWork& operator=(const PendingWork&) = delete;
  // Ends the work now (the destructor does the same).
  void finish();

 private:
  friend class RunLoop;
  explicit PendingWork(RunLoop* loop) : loop_(loop) {}
  RunLoop* loop_ = nullptr;
};

class RunLoop {
 public:
  RunLoop();
  ~RunLoop();  // waits for tracked workers to finish
  RunLoop(const RunLoop&) = delete;
  RunLoop& operator=(const RunLoop&) = delete;

  // The current context's run loop.
  static RunLoop& main();

  // Replace the clock (before any timer is scheduled). Default: SteadyClock.
  void setClock(std::shared_ptr<Clock> clock);
  const Clock& clock() const;

  // Queue a task for the main thread (any thread).
  void post(Task task);
  // Run `task` after `delay` on the main thread; repeating timers re-arm after each run.
  TimerId schedule(Duration delay, Task task, bool repeats = false);
  void cancel(TimerId id);

  // Start a tracked worker thread running `task` (any thread).
  void detachThread(Task task);
  // Counts outside work as running until the token goes (any thread). Hand back to the main
  // thread (post) before letting the token go, so that the hand-back is part of the work.
  PendingWork beginWork();

  // Main thread: `observer` runs each time the loop is about to go idle after doing something
  // (and at least once per runUntilIdle call); work it starts keeps the loop going.
  ObserverId addIdleObserver(Task observer);
  void removeIdleObserver(ObserverId id);
  // Run `task` on the main thread. From the main thread it runs at once; from a worker it is
  // queued, and with waitUntilDone the worker blocks until it has run.
  void performOnMainThread(Task task, bool waitUntilDone);
  bool isMainThread() const;
  // Make the calling thread the main thread (front ends that run the loop on another thread).
  void adoptCurrentThreadAsMain();

  // Main thread: run queued tasks and due timers until no worker is running, no task is queued
  // and no timer is due. Timers in the future do not count. Returns the number of tasks run.
  std::size_t runUntilIdle();
  // Main thread, ManualClock: move virtual time forward by `by`, running each timer as its
  // time comes (and everything that becomes runnable), then runUntilIdle().
  void advanceBy(Duration by);
  // Main thread: let `by` pass on the loop's clock: advanceBy() on a ManualClock; on the real
  // clock, run tasks and timers as they come for that long, then runUntilIdle().
  void runFor(Duration by);
  // Main thread: run the tasks queued and the timers due now, without waiting for anything.
  // Returns the number run (a terminal runs this while it waits for typing).
  std::size_t runReady();
  bool usesManualClock() const;
  // Main thread: run until stop() (real front ends). Sleeps until the next task or timer.
  void run();
  void stop();

  // Workers and pending outside work not yet finished.
  std::size_t runningWorkers() const;

  // Main thread, at teardown, before the objects that tasks and workers use are destroyed:
  // drops queued tasks and timers, refuses new ones, releases workers waiting for the main
  // thread and waits until every worker has finished. The destructor does the same.
  void shutdown();

 private:
  friend class PendingWork;
  void endWork();
  bool runIdleObservers();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// Shorthands over the current run loop, as the screens use them.
inline void detachThread(Task task) {
  RunLoop::main().detachThread(std::move(task));
}
inline void performOnMainThread(Task task, bool waitUntilDone) {
  RunLoop::main().performOnMainThread(std::move(task), waitUntilDone);
}

}  // namespace kelda::platform
