// The editor's host record: ownership of the window, the application and the bundle path.
// GUI thread.
#include "ui/EditorLink.h"

#include <cstdlib>
#include <cstring>

namespace Orvane {

editorLink::editorLink(bool isStandalone) : fApp(isStandalone)
{
}

editorLink::~editorLink()
{
    if (fWindow != nullptr)
        fWindow->closeWindow();
    fWindow.reset();
    std::free(fBundlePath);
}

void editorLink::setBundlePath(const char* path)
{
    std::free(fBundlePath);
    fBundlePath = path != nullptr ? strdup(path) : nullptr;
}

} // namespace Orvane
