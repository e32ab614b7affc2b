// The build's editor, as the editor framework reaches it: its size and the factory that makes
// it (defined by the editor above the framework, the groove panel). Host bindings go through
// EditorHolder.h, which makes, feeds and closes it in the right order. [main-thread] only (the
// host's main thread, or the program's editor thread), except the constants.
#pragma once

#include "ui/EditorLink.h"
#include "ui/UI.h"

namespace Orvane {

// The size the build's editor opens with at scale factor 1; scaled as scaledEditorSize (UI.h).
constexpr unsigned kEditorWidth = 242, kEditorHeight = 612;

// The build's editor (the groove panel), constructed for link. The record is published to the
// editor's constructor and link.underConstruction is true meanwhile; afterwards the window's
// held-back reshape is delivered. Never null; without a display the window has no view and the
// editor draws nothing.
UI* createUI(editorLink& link);

// The record being published to an editor's constructor, or null outside createUI.
editorLink* editorLinkUnderConstruction() noexcept;

} // namespace Orvane
