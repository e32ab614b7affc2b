// The editor's application object: a toolkit application whose windows carry the class name
// "Orvane-Vantorel". [main-thread] only (the host's main thread, or the standalone's main thread).
#pragma once

#include "skein/Application.h"

namespace Orvane {

class PluginApplication : public Skein::Application {
public:
    // isStandalone: false inside a plug-in host, which pumps events from its own timer; true for
    // the standalone program, which runs runLoop().
    explicit PluginApplication(bool isStandalone = false);
};

} // namespace Orvane
