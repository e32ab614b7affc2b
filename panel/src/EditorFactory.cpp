// The build's editor factory: constructs the groove panel for a host's record. GUI thread.
#include "ui/EditorFactory.h"

#include "ImGuiPluginUI.h"

namespace Orvane {

namespace {
editorLink* gLinkUnderConstruction = nullptr;
}

editorLink* editorLinkUnderConstruction() noexcept
{
    return gLinkUnderConstruction;
}

UI* createUI(editorLink& link)
{
    gLinkUnderConstruction = &link;
    link.underConstruction = true;
    UI* ui = new ImGuiPluginUI;
    link.underConstruction = false;
    gLinkUnderConstruction = nullptr;
    link.fWindow->finishInitializing();
    return ui;
}

} // namespace Orvane
