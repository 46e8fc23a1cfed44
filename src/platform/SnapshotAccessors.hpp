// KELDA_SNAPSHOT_ACCESSORS(Type, name, Setter): the getter and setter of one field of a shared
// state holder whose fields are snapshots swapped under the holder's `mutex_` (a reader gets
// its own copy, a writer replaces the value whole). The field itself is the member `name_`.
#pragma once

#include <mutex>
#include <utility>

#define KELDA_SNAPSHOT_ACCESSORS(Type, name, Setter) \
  Type name() const {                                \
    std::lock_guard lock(mutex_);                    \
    return name##_;                                  \
  }                                                  \
  void Setter(Type value) {                          \
    std::lock_guard lock(mutex_);                    \
    name##_ = std::move(value);                      \
  }
