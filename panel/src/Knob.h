// The knob: an immediate-mode Dear ImGui widget that drags an integer, drawn as a stepped dial in
// the current style's button colours. Call inside a Dear ImGui window, during a frame (GUI thread).
#pragma once

#include <imgui.h>

#include <cstdint>

namespace Orvane {

enum KnobOptions : uint32_t {
    KnobTooltipValue = 0x04, // the value in a tooltip while hovered or dragged
    KnobReportDoubleClick = 0x40, // a double-click anywhere reports every such knob as changed
    KnobTooltipOnlyReleased = 0x80, // no tooltip while the left button is held
};

// Dial drawings; only the stepped dial is built.
enum KnobStyle : uint32_t {
    KnobStyleStepped = 64,
};

struct KnobFrame {
    float radius = 0.0f;
    bool changed = false;
    ImVec2 centre;
    bool active = false;
    bool hovered = false;
    float angleMinimum = 0.0f;
    float angleMaximum = 0.0f;
    float t = 0.0f; // 0 at the minimum, 1 at the maximum, not clamped
    float angle = 0.0f;
    float angleCos = 0.0f;
    float angleSin = 0.0f;
};

// Title, hit area, vertical drag and tooltip; the dial is left to the caller. speed 0 drags
// across the range in 250 pixels; size 0 is four font heights.
KnobFrame knobBody(const char* label, int* value, int minimum, int maximum, float speed, float size,
    const char* format, uint32_t flags);

// A 32-bit integer knob drawn as variant; steps tick marks (fewer than 2: none). format null
// means "%i". Returns the frame's changed flag; frameOut, when given, receives the whole frame.
bool knobInteger(const char* label, int* value, int minimum, int maximum, float speed,
    const char* format, uint32_t variant, float size, uint32_t flags, int steps,
    KnobFrame* frameOut = nullptr);

} // namespace Orvane
