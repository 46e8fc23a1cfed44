// Log hook of the codec. The codec writes its failure lines (for example "-JSONValue failed.
// Error trace is: %@") through one process-wide handler; the platform layer connects it to
// its logger. Without a handler nothing is written. Any thread may log or set the handler.
#pragma once

#include <functional>
#include <string_view>

namespace kelda::json {

// `operation`: the operation's name ("JSONValue"); `message`: the complete line text.
using LogHandler = std::function<void(std::string_view operation, std::string_view message)>;

// Replaces the handler (an empty function turns logging off).
void setLogHandler(LogHandler handler);

// Passes one line to the handler, if any.
void log(std::string_view operation, std::string_view message);

}  // namespace kelda::json
