#include "platform/RunLoop.hpp"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/Context.hpp"
#include "platform/Log.hpp"

namespace kelda::platform {

Duration SteadyClock::now() const {
  return std::chrono::steady_clock::now().time_since_epoch();
}

Duration ManualClock::now() const {
  return Duration(nanos_.load(std::memory_order_acquire));
}

void ManualClock::advance(Duration by) {
  if (by.count() > 0) nanos_.fetch_add(by.count(), std::memory_order_acq_rel);
}

namespace {

// Repeating timers fire at most once a millisecond, so a zero interval cannot spin the loop.
constexpr Duration kMinimumRepeat = std::chrono::milliseconds(1);
// Longest sleep while waiting for workers: guards against clocks moved by other threads.
constexpr Duration kLongestWait = std::chrono::milliseconds(50);

// Runs a task; an exception escaping it is logged and does not reach the loop.
void runGuarded(const Task& task, std::string_view where) {
  try {
    task();
  } catch (const std::exception& e) {
    log::error(where, std::string("uncaught exception: ") + e.what());
  } catch (...) {
    log::error(where, "uncaught exception of unknown type");
  }
}

// Released when the last copy of the task that holds it is destroyed, whether the task ran or
// was dropped by a closing loop: a waiting worker can never be left blocked.
struct DoneSignal {
  std::mutex mutex;
  std::condition_variable cv;
  bool done = false;

  void wait() {
    std::unique_lock lock(mutex);
    cv.wait(lock, [this] { return done; });
  }
};

struct SignalOnDestroy {
  explicit SignalOnDestroy(std::shared_ptr<DoneSignal> s) : signal(std::move(s)) {}
  ~SignalOnDestroy() {
    {
      std::lock_guard lock(signal->mutex);
      signal->done = true;
    }
    signal->cv.notify_all();
  }
  SignalOnDestroy(const SignalOnDestroy&) = delete;
  SignalOnDestroy& operator=(const SignalOnDestroy&) = delete;
  std::shared_ptr<DoneSignal> signal;
};

}  // namespace

struct RunLoop::Impl {
  struct Timer {
    Duration due;
    Duration interval;
    bool repeats;
    std::shared_ptr<Task> task;
  };
  struct Worker {
    std::thread thread;
    bool done = false;
  };

  mutable std::mutex mutex;
  std::condition_variable wake;
  std::shared_ptr<Clock> clock = std::make_shared<SteadyClock>();
  std::deque<Task> queue;
  std::map<TimerId, Timer> timers;
  TimerId nextTimerId = 1;
  std::list<Worker> workers;
  // Workers plus pending outside work.
  std::size_t running = 0;
  std::map<ObserverId, std::shared_ptr<Task>> idleObservers;
  ObserverId nextObserverId = 1;
  bool stopRequested = false;
  bool closing = false;
  std::atomic<std::thread::id> mainThread{std::this_thread::get_id()};

  // Caller holds the lock. The due timer that comes first (ties: earliest scheduled).
  std::optional<TimerId> dueTimer(Duration now) const {
    std::optional<TimerId> best;
    for (const auto& [id, timer] : timers) {
      if (timer.due <= now && (!best || timer.due < timers.at(*best).due)) best = id;
    }
    return best;
  }

  // Caller holds the lock. When the next timer is due, if any.
  std::optional<Duration> nextDue() const {
    std::optional<Duration> best;
    for (const auto& [id, timer] : timers) {
      if (!best || timer.due < *best) best = timer.due;
    }
    return best;
  }

  // Takes the next runnable piece of work: the oldest queued task, else the first due timer
  // (re-armed or removed before it runs, so it may cancel or reschedule itself).
  std::optional<Task> takeRunnable() {
    std::lock_guard lock(mutex);
    if (!queue.empty()) {
      Task task = std::move(queue.front());
      queue.pop_front();
      return task;
    }
    const Duration now = clock->now();
    auto id = dueTimer(now);
    if (!id) return std::nullopt;
    auto it = timers.find(*id);
    std::shared_ptr<Task> task = it->second.task;
    if (it->second.repeats) {
      Duration next = it->second.due + it->second.interval;
      it->second.due = next > now ? next : now + it->second.interval;
    } else {
      timers.erase(it);
    }
    return Task([task] { (*task)(); });
  }

  // Joins the workers that have finished (main thread).
  void reapWorkers() {
    std::list<Worker> finished;
    {
      std::lock_guard lock(mutex);
      for (auto it = workers.begin(); it != workers.end();) {
        auto current = it++;
        if (current->done) finished.splice(finished.end(), workers, current);
      }
    }
    for (Worker& worker : finished) {
      if (worker.thread.joinable()) worker.thread.join();
    }
  }

  // Sleeps until something may have become runnable: a post, a worker's end, a stop, or the
  // next timer's time (bounded, so that clocks moved elsewhere are noticed).
  void waitForWork(bool untilWorkersDone) {
    std::unique_lock lock(mutex);
    auto ready = [&] {
      if (!queue.empty()) return true;
      if (untilWorkersDone ? running == 0 : stopRequested) return true;
      return dueTimer(clock->now()).has_value();
    };
    if (ready()) return;
    if (auto due = nextDue()) {
      wake.wait_for(lock, std::clamp(*due - clock->now(), Duration(0), kLongestWait), ready);
    } else {
      wake.wait(lock, ready);
    }
  }
};

RunLoop::RunLoop() : impl_(std::make_unique<Impl>()) {}

RunLoop::~RunLoop() {
  shutdown();
}

void RunLoop::shutdown() {
  // Pending work is dropped, not run: the objects it refers to may be gone already. Dropping a
  // task releases any worker waiting for it, so the workers can finish and be joined.
  std::deque<Task> dropped;
  std::map<TimerId, Impl::Timer> droppedTimers;
  std::map<ObserverId, std::shared_ptr<Task>> droppedObservers;
  {
    std::lock_guard lock(impl_->mutex);
    impl_->closing = true;
    dropped.swap(impl_->queue);
    droppedTimers.swap(impl_->timers);
    droppedObservers.swap(impl_->idleObservers);
  }
  dropped.clear();
  droppedTimers.clear();
  droppedObservers.clear();
  for (;;) {
    std::list<Impl::Worker> workers;
    {
      std::lock_guard lock(impl_->mutex);
      if (impl_->workers.empty()) break;
      workers.swap(impl_->workers);
    }
    for (Impl::Worker& worker : workers) {
      if (worker.thread.joinable()) worker.thread.join();
    }
  }
}

RunLoop& RunLoop::main() {
  return Context::current().get<RunLoop>();
}

void RunLoop::setClock(std::shared_ptr<Clock> clock) {
  if (!clock) return;
  std::lock_guard lock(impl_->mutex);
  impl_->clock = std::move(clock);
}

const Clock& RunLoop::clock() const {
  std::lock_guard lock(impl_->mutex);
  return *impl_->clock;
}

void RunLoop::post(Task task) {
  if (!task) return;
  {
    std::lock_guard lock(impl_->mutex);
    if (impl_->closing) return;  // the task is dropped here, outside the lock
    impl_->queue.push_back(std::move(task));
  }
  impl_->wake.notify_all();
}

TimerId RunLoop::schedule(Duration delay, Task task, bool repeats) {
  TimerId id;
  {
    std::lock_guard lock(impl_->mutex);
    id = impl_->nextTimerId++;
    if (impl_->closing || !task) return id;
    Duration interval = std::max(delay, repeats ? kMinimumRepeat : Duration(0));
    Duration due = impl_->clock->now() + (repeats ? interval : std::max(delay, Duration(0)));
    impl_->timers.emplace(
        id, Impl::Timer{due, interval, repeats, std::make_shared<Task>(std::move(task))});
  }
  impl_->wake.notify_all();
  return id;
}

void RunLoop::cancel(TimerId id) {
  std::shared_ptr<Task> released;
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->timers.find(id);
  if (it == impl_->timers.end()) return;
  released = std::move(it->second.task);
  impl_->timers.erase(it);
  // `released` is destroyed after the lock: a task's captures may post or schedule.
}

void RunLoop::detachThread(Task task) {
  if (!task) return;
  std::lock_guard lock(impl_->mutex);
  auto worker = impl_->workers.emplace(impl_->workers.end());
  ++impl_->running;
  Impl* impl = impl_.get();
  auto body = [impl, worker, task = std::move(task)]() mutable {
    runGuarded(task, "RunLoop.worker");
    task = nullptr;  // captures are released before the worker counts as finished
    {
      std::lock_guard lock(impl->mutex);
      worker->done = true;
      --impl->running;
    }
    impl->wake.notify_all();
  };
  try {
    worker->thread = std::thread(std::move(body));
  } catch (...) {
    impl_->workers.erase(worker);
    --impl_->running;
    throw;
  }
}

PendingWork::~PendingWork() {
  finish();
}

PendingWork::PendingWork(PendingWork&& other) noexcept : loop_(other.loop_) {
  other.loop_ = nullptr;
}

PendingWork& PendingWork::operator=(PendingWork&& other) noexcept {
  if (this != &other) {
    finish();
    loop_ = other.loop_;
    other.loop_ = nullptr;
  }
  return *this;
}

void PendingWork::finish() {
  if (loop_ != nullptr) std::exchange(loop_, nullptr)->endWork();
}

PendingWork RunLoop::beginWork() {
  std::lock_guard lock(impl_->mutex);
  ++impl_->running;
  return PendingWork(this);
}

void RunLoop::endWork() {
  {
    std::lock_guard lock(impl_->mutex);
    --impl_->running;
  }
  impl_->wake.notify_all();
}

ObserverId RunLoop::addIdleObserver(Task observer) {
  std::lock_guard lock(impl_->mutex);
  const ObserverId id = impl_->nextObserverId++;
  if (observer) impl_->idleObservers.emplace(id, std::make_shared<Task>(std::move(observer)));
  return id;
}

void RunLoop::removeIdleObserver(ObserverId id) {
  std::shared_ptr<Task> released;
  std::lock_guard lock(impl_->mutex);
  auto it = impl_->idleObservers.find(id);
  if (it == impl_->idleObservers.end()) return;
  released = std::move(it->second);
  impl_->idleObservers.erase(it);
}

// Runs every idle observer once. True when that left something to do.
bool RunLoop::runIdleObservers() {
  std::vector<std::shared_ptr<Task>> observers;
  {
    std::lock_guard lock(impl_->mutex);
    for (const auto& [id, observer] : impl_->idleObservers) observers.push_back(observer);
  }
  for (const auto& observer : observers) runGuarded(*observer, "RunLoop.idleObserver");
  std::lock_guard lock(impl_->mutex);
  return impl_->running != 0 || !impl_->queue.empty() ||
         impl_->dueTimer(impl_->clock->now()).has_value();
}

void RunLoop::performOnMainThread(Task task, bool waitUntilDone) {
  if (!task) return;
  if (isMainThread()) {
    task();
    return;
  }
  if (!waitUntilDone) {
    post(std::move(task));
    return;
  }
  auto signal = std::make_shared<DoneSignal>();
  {
    auto guard = std::make_shared<SignalOnDestroy>(signal);
    post([task = std::move(task), guard] { runGuarded(task, "RunLoop.performOnMainThread"); });
  }
  signal->wait();
}

bool RunLoop::isMainThread() const {
  return impl_->mainThread.load(std::memory_order_acquire) == std::this_thread::get_id();
}

void RunLoop::adoptCurrentThreadAsMain() {
  impl_->mainThread.store(std::this_thread::get_id(), std::memory_order_release);
}

std::size_t RunLoop::runUntilIdle() {
  std::size_t ran = 0;
  bool observersDue = true;
  for (;;) {
    impl_->reapWorkers();
    if (std::optional<Task> task = impl_->takeRunnable()) {
      runGuarded(*task, "RunLoop");
      ++ran;
      observersDue = true;
      continue;
    }
    bool quiet;
    {
      std::lock_guard lock(impl_->mutex);
      quiet = impl_->running == 0 && impl_->queue.empty();
    }
    if (quiet) {
      if (!observersDue) break;
      observersDue = false;
      if (!runIdleObservers()) break;
      continue;
    }
    impl_->waitForWork(true);
  }
  impl_->reapWorkers();
  return ran;
}

void RunLoop::advanceBy(Duration by) {
  std::shared_ptr<ManualClock> manual;
  {
    std::lock_guard lock(impl_->mutex);
    manual = std::dynamic_pointer_cast<ManualClock>(impl_->clock);
  }
  if (!manual) {
    log::error("RunLoop.advanceBy", "the run loop's clock is not a ManualClock");
    runUntilIdle();
    return;
  }
  const Duration target = manual->now() + std::max(by, Duration(0));
  for (;;) {
    runUntilIdle();
    std::optional<Duration> next;
    {
      std::lock_guard lock(impl_->mutex);
      next = impl_->nextDue();
    }
    if (!next || *next > target) break;
    manual->advance(*next - manual->now());
  }
  manual->advance(target - manual->now());
  runUntilIdle();
}

void RunLoop::runFor(Duration by) {
  if (usesManualClock()) {
    advanceBy(by);
    return;
  }
  const TimerId deadline = schedule(by, [this] { stop(); });
  run();
  cancel(deadline);
  runUntilIdle();
}

std::size_t RunLoop::runReady() {
  std::size_t ran = 0;
  impl_->reapWorkers();
  while (std::optional<Task> task = impl_->takeRunnable()) {
    runGuarded(*task, "RunLoop");
    ++ran;
  }
  if (ran > 0) runIdleObservers();
  return ran;
}

bool RunLoop::usesManualClock() const {
  std::lock_guard lock(impl_->mutex);
  return std::dynamic_pointer_cast<ManualClock>(impl_->clock) != nullptr;
}

void RunLoop::run() {
  bool observersDue = true;
  for (;;) {
    impl_->reapWorkers();
    {
      std::lock_guard lock(impl_->mutex);
      if (impl_->stopRequested) {
        impl_->stopRequested = false;
        return;
      }
    }
    if (std::optional<Task> task = impl_->takeRunnable()) {
      runGuarded(*task, "RunLoop");
      observersDue = true;
      continue;
    }
    if (observersDue) {
      observersDue = false;
      runIdleObservers();
      continue;
    }
    impl_->waitForWork(false);
  }
}

void RunLoop::stop() {
  {
    std::lock_guard lock(impl_->mutex);
    impl_->stopRequested = true;
  }
  impl_->wake.notify_all();
}

std::size_t RunLoop::runningWorkers() const {
  std::lock_guard lock(impl_->mutex);
  return impl_->running;
}

}  // namespace kelda::platform
