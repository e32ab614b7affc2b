// The JACK program's state file: the plug-in's saved-state bytes, read whole at start and
// replaced atomically on every save. [main-thread]
#pragma once

#include <string>

namespace Orvane {

enum class StateFileRead {
    Missing, // no file at the path: start from the defaults
    Read,
    Failed // `error` says why, in one line
};

StateFileRead readStateFile(const std::string& path, std::string& bytes, std::string& error);

// Writes `bytes` to a temporary file in the same folder, flushes it to the disk and renames it
// over `path`, so that `path` holds its old or its new content whenever the process stops. False
// with a one-line `error` when any step fails; the old file is then left as it was.
bool writeStateFile(const std::string& path, const std::string& bytes, std::string& error);

} // namespace Orvane
