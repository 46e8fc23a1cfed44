// Paths: where the client keeps its own files (the documents directory) and where the files
// shipped with it live (the resources directory).
//
// Stateless functions over the current context's Options, safe from any thread.
#pragma once

#include <filesystem>
#include <string_view>

namespace kelda::platform {

// The options' documents directory (see Options::home). Missing directories are created with
// mode 0700. Empty path when the directory does not exist and cannot be created (or the path
// names something else).
std::filesystem::path documentsDirectory();
// The file `name` in the documents directory; empty path when there is no documents directory.
std::filesystem::path documentPath(std::string_view name);

// The options' resources directory. Not created, not checked.
std::filesystem::path resourcesDirectory();
// The shipped file `name` (e.g. "US-States.plist").
std::filesystem::path resourcePath(std::string_view name);

}  // namespace kelda::platform
