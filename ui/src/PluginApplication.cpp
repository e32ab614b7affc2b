// The editor's application object. GUI thread.
#include "ui/PluginApplication.h"

namespace Orvane {

PluginApplication::PluginApplication(bool isStandalone) : Skein::Application(isStandalone)
{
    setWindowClass("Orvane-Vantorel");
}

} // namespace Orvane
