// Context: owner of the client's process-wide objects (the run loop, the gateway, the shared
// session state, the profile, the bag store...). The singletons named in the design
// (`sharedInstance`, `sharedUserProfileObject`, ...) are reached through the current context,
// so that each test builds a fresh one and every case starts as a fresh launch.
//
// get<T>() creates the object on first use (T must be default-constructible) and may be called
// from any thread. Objects are destroyed with the context, in reverse order of creation.
// Exactly one context is current at a time; ScopedContext makes one current for its lifetime.
// The context also owns the run's Options (read once at start; see Options.hpp).
#pragma once

#include <memory>
#include <mutex>
#include <typeindex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/Options.hpp"

namespace kelda::platform {

class Context {
 public:
  // Creates the platform services first (run loop, notification centre, URL opener), so that
  // they outlive every object that registers with them.
  explicit Context(Options options = Options::fromEnvironment());
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  template <class T>
  T& get() {
    std::lock_guard lock(mutex_);
    auto it = objects_.find(std::type_index(typeid(T)));
    if (it != objects_.end()) return *static_cast<T*>(it->second);
    auto holder = std::make_unique<Holder<T>>();
    T* raw = &holder->object;
    objects_.emplace(std::type_index(typeid(T)), raw);
    order_.emplace_back(std::type_index(typeid(T)), std::move(holder));
    return *raw;
  }

  // The run's configuration: an immutable snapshot, safe to keep and read on any thread.
  std::shared_ptr<const Options> options() const;
  // Replaces the configuration whole (before launch, or by a test between actions).
  void setOptions(Options options);

  // The current context; aborts with a clear message when none is current.
  static Context& current();
  static bool hasCurrent();

 private:
  friend class ScopedContext;
  struct HolderBase {
    virtual ~HolderBase() = default;
  };
  template <class T>
  struct Holder : HolderBase {
    T object;
  };
  // Guards creation only; objects synchronise their own state.
  std::recursive_mutex mutex_;
  mutable std::mutex optionsMutex_;
  std::shared_ptr<const Options> options_;
  std::unordered_map<std::type_index, void*> objects_;
  std::vector<std::pair<std::type_index, std::unique_ptr<HolderBase>>> order_;
};

// Makes a context current for the lifetime of this object (restores the previous one after).
class ScopedContext {
 public:
  explicit ScopedContext(Context& context);
  ~ScopedContext();
  ScopedContext(const ScopedContext&) = delete;
  ScopedContext& operator=(const ScopedContext&) = delete;

 private:
  Context* previous_;
};

// The current context's options.
inline std::shared_ptr<const Options> options() {
  return Context::current().options();
}

// Convenience: the current context's object of type T.
template <class T>
T& shared() {
  return Context::current().get<T>();
}

}  // namespace kelda::platform
