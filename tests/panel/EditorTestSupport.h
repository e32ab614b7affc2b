// An open editor for the tests: a host record that logs every callback, the groove panel in a
// shown free window, and helpers to wait for frames and read them back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ImGuiPluginUI.h"
#include "ToolkitTestSupport.h"
#include "ui/EditorFactory.h"

namespace UITest {

struct HostCall {
    enum Kind {
        Gesture,
        Value,
        Size
    } kind;
    uint32_t index = 0;
    bool started = false;
    float value = 0.0f;
};

// Stands in for a plug-in host: records every call the editor makes.
struct HostRecord {
    std::vector<HostCall> calls;
    void attach(Orvane::editorLink& link);
    // The calls of one parameter, in order.
    std::vector<HostCall> callsFor(uint32_t index) const;
    size_t count(HostCall::Kind kind) const;
};

class OpenEditor {
public:
    explicit OpenEditor(double scaleFactor = 1.0);
    ~OpenEditor();

    Orvane::ImGuiPluginUI& panel() { return *fPanel; }
    Orvane::editorLink link;
    HostRecord host;

    Skein::Application& app() { return link.fApp; }
    Skein::Window& window() { return *link.fWindow; }
    uintptr_t handle() { return link.fWindow->nativeWindowHandle(); }
    // Draws the next frame into a picture and reads it back.
    SkeinTest::Picture capture();

private:
    Orvane::ImGuiPluginUI* fPanel = nullptr;
    unsigned fCaptures = 0;
};

// The colour a test expects, within rounding of the colour conversions.
using SkeinTest::nearColour;

} // namespace UITest
