// The groove panel apart from its drawing: the values its knobs show, taken from the parameter
// table and the host, and the edits they send: one gesture per grab of a knob (its begin, the
// values, its end), a double-click that resets the grabbed knob to its default, and the values
// the other knobs re-send in that frame. [main-thread] (the editor's thread) only.
#pragma once

#include <cstdint>

#include "GrooveCode.h"
#include "VantorelParameters.h"

namespace Orvane {

// Where the panel's edits go: the editor core's requests to the host.
class EditTarget {
public:
    virtual void gesture(uint32_t index, bool started) = 0;
    virtual void value(uint32_t index, float value) = 0;

protected:
    ~EditTarget() = default;
};

// What one knob reported in one frame.
struct KnobReport {
    bool active = false; // grabbed
    bool changed = false; // its value moved, or the frame of a double-click anywhere
    bool doubleClicked = false; // the left button was double-clicked in this frame
    int value = 0; // the value the knob left
};

class PanelModel {
public:
    static constexpr uint32_t kCount = kVantorelParameterCount;

    // Every value at the parameter table's default.
    explicit PanelModel(EditTarget& target) noexcept;

    // The value knob `index` shows; 0 for an index beyond the table.
    int value(uint32_t index) const noexcept;
    // A value from the host, truncated toward zero; false (and nothing changed) for an index
    // beyond the table or a value that is not a number.
    bool hostValue(uint32_t index, float value) noexcept;
    // One frame of knob `index`: opens its gesture in the frame it is grabbed, resets it on a
    // double-click in that frame, sends its value when it changed, closes the gesture on release.
    void knobFrame(uint32_t index, const KnobReport& report) noexcept;
    // Closes every gesture still open: a host must never see a begin without its end.
    void endOpenGestures() noexcept;

    // One edit outside a drag (a wheel step, a typed value): a gesture of its own with this one
    // value, held to the range. Nothing while the knob is grabbed or when the value is the one it
    // shows; false then.
    bool editAsGesture(uint32_t index, float value) noexcept;

    // The groove the knobs show (values of parameters the table lacks at their defaults).
    Groove groove() const;
    // Sets every value of `groove` that differs from the knob's, each as a gesture of its own.
    void applyGroove(const Groove& groove) noexcept;

private:
    EditTarget& fTarget;
    int fValues[kCount];
    bool fWasActive[kCount] = {};
    bool fGestureOpen[kCount] = {};
};

} // namespace Orvane
