#include "RequestRecorder.hpp"

#include <stdexcept>

#include "Json.hpp"
#include "Text.hpp"

namespace kelda::server {

RequestRecorder::RequestRecorder(const std::filesystem::path& file)
    : out_(file, std::ios::app | std::ios::binary) {
  if (!out_) throw std::runtime_error("cannot open the record file " + file.string());
}

void RequestRecorder::record(std::string_view method, std::string_view path, std::string_view query,
                             std::string_view body) {
  const std::string line = encode(ObjectBuilder()
                                      .add("method", validUtf8(method))
                                      .add("path", validUtf8(path))
                                      .add("query", validUtf8(query))
                                      .add("body", validUtf8(body))
                                      .build());
  std::lock_guard lock(mutex_);
  out_ << line << '\n';
  out_.flush();
}

}  // namespace kelda::server
