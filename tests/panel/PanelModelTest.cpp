// The panel's values and edits without a display: what the knobs' frames send to the host.
#include "PanelModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

using Orvane::KnobReport;
using Orvane::kVantorelParameters;

// Records what the panel sends, as "begin 4", "value 4 11", "end 4".
struct Recorder : Orvane::EditTarget {
    std::vector<std::string> sent;
    void gesture(uint32_t index, bool started) override
    {
        sent.push_back((started ? "begin " : "end ") + std::to_string(index));
    }
    void value(uint32_t index, float value) override
    {
        sent.push_back("value " + std::to_string(index) + " " + std::to_string(int(value)));
    }
};

KnobReport grabbed(int value, bool changed = true, bool doubleClicked = false)
{
    return {true, changed, doubleClicked, value};
}

KnobReport idle(int value, bool changed = false)
{
    return {false, changed, false, value};
}

TEST(PanelModel, ValuesStartAtTheTablesDefaultsAndFollowTheHostTruncated)
{
    Recorder host;
    Orvane::PanelModel panel(host);
    for (uint32_t i = 0; i < Orvane::PanelModel::kCount; ++i)
        EXPECT_EQ(panel.value(i), int(kVantorelParameters[i].defaultValue)) << i;
    EXPECT_TRUE(panel.hostValue(5, 2.9f));
    EXPECT_EQ(panel.value(5), 2);
    EXPECT_TRUE(panel.hostValue(2, -0.5f));
    EXPECT_EQ(panel.value(2), 0);
    EXPECT_TRUE(panel.hostValue(1, 1e30f)); // held inside int
    EXPECT_EQ(panel.value(1), 2147483647);
    EXPECT_FALSE(panel.hostValue(0, std::nanf("")));
    EXPECT_FALSE(panel.hostValue(Orvane::PanelModel::kCount, 3.0f));
    EXPECT_EQ(panel.value(0), int(kVantorelParameters[0].defaultValue));
    EXPECT_TRUE(host.sent.empty()) << "host values are not sent back";
}

TEST(PanelModel, EachGrabIsOneGestureAndADoubleClickResetsOnlyTheGrabbedKnob)
{
    Recorder host;
    Orvane::PanelModel panel(host);
    // A drag on Dayan Pattern: begin with the first value, the values, the end on release.
    panel.knobFrame(4, grabbed(11));
    panel.knobFrame(4, grabbed(21));
    panel.knobFrame(4, grabbed(21, false));
    panel.knobFrame(4, idle(21));
    panel.knobFrame(4, idle(21));
    EXPECT_EQ(
        host.sent, (std::vector<std::string>{"begin 4", "value 4 11", "value 4 21", "end 4"}));
    EXPECT_EQ(panel.value(4), 21);

    // A double-click on Dayan Length: every knob reports a change; only the grabbed one is
    // reset, inside a gesture of its own, and the others re-send their values.
    host.sent.clear();
    ASSERT_TRUE(panel.hostValue(3, 9.0f));
    panel.knobFrame(3, grabbed(9, true, true));
    panel.knobFrame(4, idle(21, true));
    panel.knobFrame(3, idle(4));
    const int lengthDefault = int(kVantorelParameters[3].defaultValue);
    EXPECT_EQ(panel.value(3), lengthDefault);
    EXPECT_EQ(host.sent,
        (std::vector<std::string>{
            "begin 3", "value 3 " + std::to_string(lengthDefault), "value 4 21", "end 3"}));

    // A grab without a move still opens and closes; a gesture open when the panel goes is
    // closed once.
    host.sent.clear();
    panel.knobFrame(0, grabbed(4, false));
    panel.knobFrame(1, grabbed(7));
    panel.endOpenGestures();
    panel.endOpenGestures();
    panel.knobFrame(1, idle(7));
    EXPECT_EQ(
        host.sent, (std::vector<std::string>{"begin 0", "begin 1", "value 1 7", "end 0", "end 1"}));
}

} // namespace
