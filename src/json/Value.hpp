// json::Value: one decoded JSON value (object, array, string, number, boolean, null) or the
// absent value that reading a missing key gives.
//
// Values are immutable and cheap to copy (shared ownership of the decoded tree), so storing a
// value in shared state is a snapshot for free and may be read from any thread. "Mutable copy"
// means building a new value with Object/Array and the with*() helpers.
//
// Numbers keep the exact text they were read from; intValue() and doubleValue() are derived
// from it by the leading-digits rule (0 when the text has no leading number). Objects keep
// insertion order; when a key occurs twice the last value wins (at the first key's position).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelda::json {

enum class Type { Absent, Null, Boolean, Number, String, Array, Object };

class Value;
using Member = std::pair<std::string, Value>;

class Value {
 public:
  // The absent value (what a missing key reads as; "(null)" in describe()).
  Value() = default;
  Value(std::nullptr_t);  // the JSON null
  Value(bool b);
  Value(const char* text);
  Value(std::string text);
  Value(std::string_view text);
  Value(int n);
  Value(long n);
  Value(long long n);
  Value(unsigned n);
  Value(unsigned long n);
  Value(unsigned long long n);
  Value(double d);

  static Value null() { return Value(nullptr); }
  // A number from its exact decimal text (not validated here; the parser validates).
  static Value numberFromText(std::string text);
  static Value array(std::vector<Value> items = {});
  static Value object(std::vector<Member> members = {});
  static Value object(std::initializer_list<Member> members);

  Type type() const;
  bool isAbsent() const { return type() == Type::Absent; }
  bool isNull() const { return type() == Type::Null; }
  bool isBool() const { return type() == Type::Boolean; }
  bool isNumber() const { return type() == Type::Number; }
  bool isString() const { return type() == Type::String; }
  bool isArray() const { return type() == Type::Array; }
  bool isObject() const { return type() == Type::Object; }
  // True for anything but absent and null.
  explicit operator bool() const { return !isAbsent() && !isNull(); }

  // Element access: absent when this is not an object/array or the key/index is missing.
  Value operator[](std::string_view key) const;
  Value operator[](const char* key) const { return (*this)[std::string_view(key)]; }
  Value operator[](std::size_t index) const;
  Value operator[](int index) const;
  bool contains(std::string_view key) const;
  // Number of members or elements; 0 for anything else.
  std::size_t size() const;
  bool empty() const { return size() == 0; }

  // Positional access: the i-th member's key and value of an object (in order, duplicates
  // already merged), or the i-th element of an array (keyAt gives "" for arrays).
  std::string_view keyAt(std::size_t i) const;
  Value valueAt(std::size_t i) const;

  // Range-for helpers: `for (auto [key, value] : v.members())`, `for (Value item : v.items())`.
  struct MemberRef;  // defined below, once Value is complete
  template <class T>
  class Range;
  Range<MemberRef> members() const;
  Range<Value> items() const;

  // String text, or a number's exact text; empty for anything else.
  std::string_view text() const;
  std::string str() const { return std::string(text()); }
  // Leading-digits readings of a string or number text (booleans give 1/0; others 0).
  long long intValue() const;
  double doubleValue() const;
  // Truth value as a boolean-number reading: true, non-zero numbers, and texts starting with
  // "Y", "y", "T", "t" or a non-zero digit ("YES" is true).
  bool boolValue() const;

  // What a "%@" placeholder shows: texts unchanged, numbers as their text, booleans 1/0,
  // "(null)" for absent, "<null>" for null, arrays and objects in a readable form.
  std::string describe() const;

  // New values with one member set (replacing an existing key) or one element appended.
  Value with(std::string_view key, Value value) const;
  Value without(std::string_view key) const;
  Value appended(Value value) const;
  // The elements of array `a` followed by those of array `b` (a non-array counts as empty).
  // Shares both operands' elements instead of copying them; over a chain of appends each
  // element is copied O(log n) times in all, and reading element i stays O(log log n).
  static Value concatenated(const Value& a, const Value& b);

  // Structural equality (numbers compare by their text).
  bool operator==(const Value& other) const;

  class Ref;  // the codec's internal handle of one value (json/Node.hpp)

 private:
  explicit Value(std::shared_ptr<const Ref> ref) : ref_(std::move(ref)) {}
  friend struct ValueAccess;
  std::shared_ptr<const Ref> ref_;
};

struct Value::MemberRef {
  std::string_view key;
  Value value;
};

template <class T>
class Value::Range {
 public:
  class iterator {
   public:
    iterator(const Value* v, std::size_t i) : v_(v), i_(i) {}
    T operator*() const;
    iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const iterator& o) const { return i_ != o.i_; }
    bool operator==(const iterator& o) const { return i_ == o.i_; }

   private:
    const Value* v_;
    std::size_t i_;
  };
  explicit Range(const Value& v, std::size_t n) : v_(v), n_(n) {}
  iterator begin() const { return iterator(&v_, 0); }
  iterator end() const { return iterator(&v_, n_); }
  std::size_t size() const { return n_; }

 private:
  Value v_;
  std::size_t n_;
};

template <>
inline Value::MemberRef Value::Range<Value::MemberRef>::iterator::operator*() const {
  return {v_->keyAt(i_), v_->valueAt(i_)};
}
template <>
inline Value Value::Range<Value>::iterator::operator*() const {
  return v_->valueAt(i_);
}
inline Value::Range<Value::MemberRef> Value::members() const {
  return Range<MemberRef>(*this, isObject() ? size() : 0);
}
inline Value::Range<Value> Value::items() const {
  return Range<Value>(*this, isArray() ? size() : 0);
}

}  // namespace kelda::json
