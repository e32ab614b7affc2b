// How a host makes and drives the editor. GUI thread only (the CLAP host's main thread, or the
// standalone's main thread).
//
//   Orvane::editorLink link(isStandalone);      // fill sample rate, scale, parent, callbacks
//   Orvane::UI* ui = Orvane::createUI(link);     // the window exists now: link.fWindow
//   ui->onParameterUpdate(i, value);             // for each parameter, and whenever it changes
//   link.fApp.pumpEvents(0); ui->uiIdle();       // from the host's 16 ms timer (plug-in mode)
//   link.fWindow->setPixelSize(w, h);            // a host resize
//   delete ui;                                   // before the link
#pragma once

#include "ui/EditorLink.h"
#include "ui/UI.h"

namespace Orvane {

// The build's editor (the groove panel), constructed for link. The record is published to the
// editor's constructor and link.underConstruction is true meanwhile; afterwards the window's
// held-back reshape is delivered. Never null; without a display the window has no view and the
// editor draws nothing.
UI* createUI(editorLink& link);

// The record being published to an editor's constructor, or null outside createUI.
editorLink* editorLinkUnderConstruction() noexcept;

} // namespace Orvane
