// The host's side of the X server in the editor tests: a parent window the editor is embedded
// in, its children, its pixels, and the dials of the panel found in them. Test thread only.
#pragma once

#include "ToolkitTestSupport.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

class HostWindow {
public:
    // A mapped top-level window of the given size on the client's display.
    HostWindow(SkeinTest::TestClient& client, unsigned width, unsigned height);
    ~HostWindow();

    uintptr_t id() const { return fWindow; }
    std::vector<uintptr_t> children() const;
    SkeinTest::Picture pixels() const;
    // The host closes its window before the plug-in's editor is gone.
    void destroy();
    // What a host does when it agrees to the editor's new size.
    void resize(unsigned width, unsigned height);

private:
    Display* const fDisplay;
    ::Window fWindow;
    unsigned fWidth, fHeight;
};

// A dial of the panel as drawn: centre and radius in window pixels.
struct DialSpot {
    double x = 0.0, y = 0.0, radius = 0.0;
};

// Colours of the panel, within rounding of the colour conversions.
constexpr unsigned kPanelBackground = 0x1A0911, kDayanIdle = 0x866456, kBayaIdle = 0xA76050;
using SkeinTest::nearColour;

// The three dials of one column (Dayan on the left, Baya on the right), top to bottom; found by
// their darker rings. Fewer when the panel is not drawn.
std::vector<DialSpot> findDials(const SkeinTest::Picture& picture, bool dayan);
// Whether the dial's pointer shows the value at t (0 = minimum, 1 = maximum).
bool dialShows(const SkeinTest::Picture& picture, const DialSpot& dial, bool dayan, double t);
