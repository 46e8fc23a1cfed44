// TextFile: whole-file reads and writes of small text files (the documents directory's
// launch mark, stored log-in and the like).
//
// Stateless functions, safe from any thread; two threads writing one file at once get one of
// the two contents, never a mixture, when they use writeTextFileAtomically.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelda::platform {

// The bytes of the regular file at `path`; nothing when it is missing, unreadable or not a
// regular file (a directory, a pipe...).
std::optional<std::string> readTextFile(const std::filesystem::path& path);

// Replaces the file at `path` with `text` all at once: written to a temporary file in the same
// directory with permissions `mode`, flushed to disk and renamed over the old one. On failure
// (false) the old file is left untouched and no temporary file remains.
bool writeTextFileAtomically(const std::filesystem::path& path, std::string_view text,
                             mode_t mode = 0644);

// Writes `text` in place (truncating an existing file; a new file gets `mode`). A failure
// part-way may leave a shortened file; false on any failure.
bool writeTextFile(const std::filesystem::path& path, std::string_view text, mode_t mode = 0644);

// Removes the file at `path` (not a directory). True when a file was removed.
bool removeFile(const std::filesystem::path& path);

// True when something exists at `path`.
bool fileExists(const std::filesystem::path& path);

}  // namespace kelda::platform
