// Reader: the strict JSON reader behind SBJsonParser.
//
// Reads the UTF-8 bytes of one text into a document whose nodes live in one Arena. Works with
// explicit stacks, never recursing per nesting level, so input of any depth is safe when the
// depth limit is off. One Reader per thread; it keeps its scratch buffers between reads.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "json/Arena.hpp"
#include "json/Node.hpp"

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
    std::size_t start;     // first entry of this container in scratch_
    std::string_view key;  // key of the member being read (objects)
  };

  const Node* readTree();
  bool openContainer(char bracket);
  bool afterOpen(bool& empty);
  const Node* closeContainer();
  bool readKey();
  const Node* readScalar();
  const Node* readNumber();
  const Node* readLiteral(std::string_view word, const Node* node, const char* message);
  // The decoded text (in the arena), or a null view after a failure.
  std::string_view readString();
  std::string_view readEscapedRest(const unsigned char* runStart, const unsigned char* s);
  bool readUnicodeEscape(const unsigned char*& s, char32_t& cp);
  bool readQuad(const unsigned char*& s, unsigned& value);
  const Node* textNode(Type type, std::string_view text);
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
  std::vector<Entry> scratch_;
  std::string buffer_;
  std::vector<Failure> errors_;
};

}  // namespace kelda::json
