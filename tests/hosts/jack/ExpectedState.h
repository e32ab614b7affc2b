// The saved states the tests expect to find in the program's state file. Test thread only.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace StandaloneTest {

// The saved state of the plug-in with `values` (index, value) set, as every binding writes it.
std::string stateWith(const std::vector<std::pair<uint32_t, float>>& values);
// The bytes of the file at `path`; empty when it cannot be read.
std::string fileBytes(const std::string& path);

} // namespace StandaloneTest
