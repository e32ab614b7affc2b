// The folder of the running program, when it carries a "resources" entry: the plug-in's bundle
// path. Main thread, before the plug-in is created.
#pragma once

namespace Orvane {

// Sets pendingBundlePath to that folder, or leaves it unset when there is no "resources" entry.
void findBundlePath();

} // namespace Orvane
