// Reader: the strict JSON reader behind SBJsonParser.
//
// Reads the UTF-8 bytes of one text into a document whose nodes live in one Arena (see
// Node.hpp for the layout). Works with explicit stacks, never recursing per nesting level, so
// input of any depth is safe when the depth limit is off. One Reader per thread; it keeps its
// scratch buffers between reads.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "json/Arena.hpp"
#include "json/KeyTable.hpp"
#include "json/Node.hpp"
#include "json/RefStack.hpp"

namespace kelda::json {

class Reader {
 public:
  struct Failure {
    int code;
    std::string description;
  };

  // Reads exactly one value covering all of `text` (white space around it allowed). Gives the
  // value, or the absent value with errors() holding the failures, innermost first.
  Value read(std::string_view text, unsigned maxDepth);

  const std::vector<Failure>& errors() const { return errors_; }
  // Nesting depth when reading stopped (0 after success).
  unsigned depth() const { return depth_; }

 private:
  struct Frame {
    bool object;
    bool mayRepeat;      // objects: two keys so far share a filter bit
    std::size_t start;   // first Ref of this container on stack_
    Ref key;             // key of the member being read (objects)
    std::uint64_t seen;  // objects: filter bits of the keys so far
  };

  // Each gives the absent Ref after a failure.
  Ref readTree();
  bool openContainer(char bracket);
  bool afterOpen(bool& empty);
  Ref closeContainer();
  bool readKey();
  Ref readScalar();
  Ref readNumber();
  Ref readLiteral(std::string_view word, Ref literal, const char* message);
  // A string value, or an object key when `key` is set.
  Ref readString(bool key);
  Ref readEscapedRest(const unsigned char* runStart, const unsigned char* s, bool key);
  bool readUnicodeEscape(const unsigned char*& s, char32_t& cp);
  bool readQuad(const unsigned char*& s, unsigned& value);
  // `readable`: bytes readable from `text` on (at least `size`).
  Ref textRef(Type type, const unsigned char* text, std::size_t size, std::size_t readable);
  Ref keyRef(const unsigned char* text, std::size_t size, std::size_t readable);
  // Whether `key` is already a key of the innermost object.
  bool repeatsKey(const Frame& frame, const Ref& key) const;
  void skipSpace();
  void releaseLargeBuffers();

  void fail(int code, std::string description);
  // The current container fails on its own account (outer containers still add their wrapper).
  void failContainer(int code, std::string description);
  void failEndOfInput();
  void wrapFrames(std::size_t count);

  const unsigned char* p_ = nullptr;
  const unsigned char* end_ = nullptr;
  unsigned maxDepth_ = 0;
  unsigned depth_ = 0;
  Arena* arena_ = nullptr;
  std::vector<Frame> frames_;
  RefStack stack_;
  KeyTable keys_;
  std::string buffer_;
  std::vector<Failure> errors_;
};

}  // namespace kelda::json
