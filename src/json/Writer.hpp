// Writer: the JSON writer behind SBJsonWriter.
//
// Writes one value as JSON text with explicit stacks (no recursion per nesting level). One
// Writer per call; not shared between threads.
#pragma once

#include <string>
#include <vector>

#include "json/Node.hpp"

namespace kelda::json {

class Writer {
 public:
  struct Options {
    unsigned maxDepth = 512;  // 0: no limit
    bool humanReadable = false;
    bool sortKeys = false;
  };
  struct Failure {
    int code;
    std::string description;
  };

  explicit Writer(Options options) : options_(options) {}

  // Appends the JSON text of `root` to `out`. On failure gives false, with errors() holding the
  // failures innermost first; `out` then holds a partial text.
  bool write(const Ref& root, std::string& out);

  const std::vector<Failure>& errors() const { return errors_; }
  unsigned depth() const { return depth_; }

 private:
  struct Frame {
    const Node* node;
    bool object;
    const Ref* items;      // elements of a flat array, else null
    const Entry* members;  // members of an object
    std::size_t size;
    std::size_t next;
    std::vector<const Entry*> order;  // members in sorted order (sortKeys only)
  };

  bool begin(const Ref& ref);
  bool open(const Node* node);
  void writeInline(const Ref& ref);
  const Entry* memberAt(const Frame& frame, std::size_t i) const;
  void newline(std::size_t level);
  void wrapFrames(std::size_t count);
  void fail(int code, std::string description);

  Options options_;
  std::string* out_ = nullptr;
  std::vector<Frame> frames_;
  std::vector<Failure> errors_;
  unsigned depth_ = 0;
};

// Appends `text` as a quoted JSON string with the writer's escapes.
void appendQuoted(std::string& out, std::string_view text);
// The same for a text not known to be UTF-8: false (with `out` partly written) when it is not.
bool appendQuotedChecked(std::string& out, std::string_view text);

}  // namespace kelda::json
