// The groove code line at the bottom of the panel: the code of the groove the knobs show, which a
// click copies to the clipboard, or, after a pasted text that is no code, a short red line saying
// why until the next paste or click. [main-thread] (the editor's thread), inside a frame.
#pragma once

#include <imgui.h>

#include <string>

namespace Orvane {

class GrooveLine {
public:
    // Draws the line `width` wide at the cursor; a click on it copies `code`.
    void draw(const std::string& code, float width);
    // A pasted text was refused: `error` is the code reader's line.
    void showRefusal(const std::string& error);
    void clearRefusal() noexcept { fRefusal.clear(); }

    // Where the line was drawn, in window pixels.
    ImVec2 min() const noexcept { return fMin; }
    ImVec2 max() const noexcept { return fMax; }

private:
    std::string fRefusal;
    ImVec2 fMin, fMax;
};

} // namespace Orvane
