// The LV2 plug-in as lilv finds it in the built bundle: its description against the CLAP module's
// parameters, and its groove against the CLAP module's, sample for sample, under the transports
// of different LV2 hosts and under MIDI clock.
#include "GrooveScenario.h"
#include "Lv2TestHost.h"

#include "ClapLibrary.h"
#include "HostContext.h"
#include "PluginInstance.h"

#include <gtest/gtest.h>
#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>
#include <lv2/ui/ui.h>
#include <lv2/units/units.h>
#include <lv2/urid/urid.h>

#include <algorithm>
#include <set>
#include <string>

namespace {

std::set<std::string> uris(const LilvNodes* nodes)
{
    std::set<std::string> texts;
    LILV_FOREACH(nodes, i, nodes)
    texts.insert(lilv_node_as_string(lilv_nodes_get(nodes, i)));
    return texts;
}

class Node {
public:
    Node(LilvWorld* world, const char* uri) : fNode(lilv_new_uri(world, uri)) { }
    ~Node() { lilv_node_free(fNode); }
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    operator const LilvNode*() const { return fNode; }

private:
    LilvNode* fNode;
};

std::string portText(const LilvPlugin* plugin, const LilvPort* port, const LilvNode* predicate)
{
    LilvNodes* const values = lilv_port_get_value(plugin, port, predicate);
    const std::string text =
        values != nullptr ? lilv_node_as_string(lilv_nodes_get_first(values)) : "";
    lilv_nodes_free(values);
    return text;
}

void expectEventPort(const Lv2TestHost& host, uint32_t index, const char* symbol, bool input,
    std::set<std::string> supports)
{
    LilvWorld* const world = host.world();
    const LilvPort* const port = lilv_plugin_get_port_by_index(host.plugin(), index);
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(host.plugin(), port)), symbol);
    EXPECT_TRUE(lilv_port_is_a(
        host.plugin(), port, Node(world, input ? LV2_CORE__InputPort : LV2_CORE__OutputPort)));
    EXPECT_TRUE(lilv_port_is_a(host.plugin(), port, Node(world, LV2_ATOM__AtomPort)));
    LilvNodes* const supported =
        lilv_port_get_value(host.plugin(), port, Node(world, LV2_ATOM__supports));
    EXPECT_EQ(uris(supported), supports) << symbol;
    lilv_nodes_free(supported);
}

std::string clapText(const PluginInstance& clap, clap_id id, double value)
{
    char text[64] = {};
    EXPECT_TRUE(clap.params()->value_to_text(clap.plugin(), id, value, text, sizeof(text)));
    return text;
}

void expectControlPort(const Lv2TestHost& host, const PluginInstance& clap,
    const clap_param_info_t& info, uint32_t index)
{
    LilvWorld* const world = host.world();
    const LilvPlugin* const plugin = host.plugin();
    const LilvPort* const port = lilv_plugin_get_port_by_index(plugin, index);
    SCOPED_TRACE(info.module);
    EXPECT_STREQ(lilv_node_as_string(lilv_port_get_symbol(plugin, port)), info.module);
    EXPECT_TRUE(lilv_port_is_a(plugin, port, Node(world, LV2_CORE__ControlPort)));
    EXPECT_TRUE(lilv_port_is_a(plugin, port, Node(world, LV2_CORE__InputPort)));
    LilvNode* name = lilv_port_get_name(plugin, port);
    EXPECT_STREQ(lilv_node_as_string(name), info.name);
    lilv_node_free(name);
    LilvNode *def, *min, *max;
    lilv_port_get_range(plugin, port, &def, &min, &max);
    EXPECT_EQ(lilv_node_as_float(def), info.default_value);
    EXPECT_EQ(lilv_node_as_float(min), info.min_value);
    EXPECT_EQ(lilv_node_as_float(max), info.max_value);
    lilv_node_free(def);
    lilv_node_free(min);
    lilv_node_free(max);

    const bool stepped = (info.flags & CLAP_PARAM_IS_STEPPED) != 0;
    EXPECT_EQ(lilv_port_has_property(plugin, port, Node(world, LV2_CORE__integer)), stepped);
    LilvScalePoints* const points = lilv_port_get_scale_points(plugin, port);
    const std::string name_ = info.name;
    const bool isTempo = name_.size() > 5 && name_.compare(name_.size() - 5, 5, "Tempo") == 0;
    EXPECT_EQ(points != nullptr ? lilv_scale_points_size(points) : 0u, isTempo ? 5u : 0u);
    EXPECT_EQ(lilv_port_has_property(plugin, port, Node(world, LV2_CORE__enumeration)), isTempo);
    LILV_FOREACH(scale_points, i, points)
    {
        const LilvScalePoint* const point = lilv_scale_points_get(points, i);
        const float value = lilv_node_as_float(lilv_scale_point_get_value(point));
        EXPECT_EQ(
            lilv_node_as_string(lilv_scale_point_get_label(point)), clapText(clap, info.id, value));
    }
    lilv_scale_points_free(points);
    const bool isTune = name_.size() > 4 && name_.compare(name_.size() - 4, 4, "Tune") == 0;
    EXPECT_EQ(portText(plugin, port, Node(world, LV2_UNITS__unit)),
        isTune ? LV2_UNITS__semitone12TET : "");
}

GrooveScenario transportScenario(uint32_t block)
{
    GrooveScenario scenario;
    scenario.frames = 6 * 44100;
    // Plays from the start, stops, carries on at another tempo from where it stopped.
    scenario.segments = {{0, true, 120.0}, {110250, false, 120.0}, {132300, true, 96.0}};
    scenario.startSymbol = "dayan_pattern";
    scenario.startValue = 17.0f;
    scenario.changeSymbol = "baya_tempo";
    scenario.changeValue = 3.0f;
    scenario.changeFrame = (176400 + block - 1) / block * block;
    return scenario;
}

// Frame of the first difference, or -1.
long firstDifference(const StereoSignal& a, const StereoSignal& b)
{
    if (a.left.size() != b.left.size())
        return 0;
    for (size_t i = 0; i < a.left.size(); ++i)
        if (a.left[i] != b.left[i] || a.right[i] != b.right[i])
            return static_cast<long>(i);
    return -1;
}

bool audible(const StereoSignal& signal)
{
    return std::any_of(signal.left.begin(), signal.left.end(), [](float v) { return v != 0.0f; });
}

} // namespace

TEST(Lv2Bundle, DescribesThePlugInAndItsPortsLikeTheClapModule)
{
    Lv2TestHost host;
    ASSERT_NE(host.plugin(), nullptr) << "not found on LV2_PATH";
    LilvWorld* const world = host.world();
    const LilvPlugin* const plugin = host.plugin();
    EXPECT_STREQ(lilv_node_as_string(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin))),
        LV2_CORE__InstrumentPlugin);
    LilvNodes* const required = lilv_plugin_get_required_features(plugin);
    EXPECT_EQ(uris(required), std::set<std::string>{LV2_URID__map});
    lilv_nodes_free(required);

    ClapLibrary library;
    HostContext clapHost;
    PluginInstance clap;
    std::string error;
    ASSERT_TRUE(library.open(VANTOREL_CLAP_PATH, error)) << error;
    ASSERT_TRUE(clap.create(*library.factory(), *clapHost.host(), error)) << error;
    const std::vector<clap_param_info_t> parameters = clap.parameters();
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), 4 + parameters.size());
    expectEventPort(host, 0, "events_in", true, {LV2_MIDI__MidiEvent, LV2_TIME__Position});
    expectEventPort(host, 1, "events_out", false, {LV2_MIDI__MidiEvent});
    for (uint32_t i = 2; i < 4; ++i) {
        const LilvPort* const port = lilv_plugin_get_port_by_index(plugin, i);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, Node(world, LV2_CORE__AudioPort)));
        EXPECT_EQ(std::string(lilv_node_as_string(lilv_port_get_symbol(plugin, port))),
            "audio_out_" + std::to_string(i - 1));
    }
    for (uint32_t i = 0; i < parameters.size(); ++i)
        expectControlPort(host, clap, parameters[i], 4 + i);

    LilvUIs* const uis = lilv_plugin_get_uis(plugin);
    const LilvUI* const ui =
        lilv_uis_get_by_uri(uis, Node(world, "urn:fellmark-audio:vantorel#ui"));
    ASSERT_NE(ui, nullptr);
    EXPECT_TRUE(lilv_ui_is_a(ui, Node(world, LV2_UI__X11UI)));
    lilv_uis_free(uis);

    // Without urid:map the plug-in refuses to start, rather than crash on its first position.
    const LV2_Feature* const none[] = {nullptr};
    EXPECT_EQ(lilv_plugin_instantiate(plugin, 48000.0, none), nullptr);
}

TEST(Lv2Groove, EqualsTheClapModuleSampleForSampleUnderEitherHostsTransport)
{
    for (uint32_t block : {64u, 441u, 1000u}) {
        SCOPED_TRACE("block " + std::to_string(block));
        const GrooveScenario scenario = transportScenario(block);
        const StereoSignal clap = renderWithClap(scenario, block);
        ASSERT_TRUE(audible(clap));
        // Hosts that send positions only on changes are tried without the options feature too.
        for (const PositionStyle style : {PositionStyle::EveryBlock, PositionStyle::OnChange}) {
            const StereoSignal lv2 =
                renderWithLv2(scenario, block, style, style == PositionStyle::EveryBlock);
            EXPECT_EQ(firstDifference(lv2, clap), -1);
            EXPECT_TRUE(lv2.midi == clap.midi)
                << lv2.midi.size() << " against " << clap.midi.size();
        }
    }
}

TEST(Lv2Groove, FollowsMidiClockLikeTheClapModule)
{
    GrooveScenario scenario;
    scenario.frames = 4 * 44100;
    scenario.segments = {{0, false, 120.0}};
    scenario.startSymbol = "dayan_length";
    scenario.startValue = 7.0f;
    scenario.changeSymbol = "dayan_length";
    // Start, then a clock tick every 900 frames (a little over 120 bpm), then stop.
    scenario.midi.push_back({0, {0xFA}});
    for (uint64_t frame = 5; frame < 3 * 44100; frame += 900)
        scenario.midi.push_back({frame, {0xF8}});
    scenario.midi.push_back({3 * 44100, {0xFC}});
    const StereoSignal clap = renderWithClap(scenario, 256);
    ASSERT_TRUE(audible(clap));
    EXPECT_EQ(firstDifference(renderWithLv2(scenario, 256, PositionStyle::OnChange), clap), -1);
}

TEST(Lv2Groove, TellsTheEditorWhereEachDrumStandsThroughTheEventOutput)
{
    Lv2TestHost host;
    ASSERT_TRUE(host.start(44100.0, 441));
    host.setControl("dayan_length", 7.0f);
    host.addPosition(0, HostPosition{});
    // A step every beat (22050 frames at 120 bpm), a message in the block of each step.
    std::vector<std::pair<int64_t, int32_t>> cells[2];
    const auto collect = [&](int64_t blockStart) {
        for (const Lv2TestHost::MonitorOut& message : host.lastMonitorOutput()) {
            ASSERT_TRUE(message.index == 0 || message.index == 1);
            EXPECT_EQ(message.frame, 440) << "at the block's last frame";
            cells[message.index].push_back({blockStart, message.value});
        }
    };
    for (int64_t block = 0; block < 500; ++block) {
        host.run(441);
        collect(block * 441);
    }
    const int32_t lengths[2] = {7, 4};
    for (int drum = 0; drum < 2; ++drum) {
        ASSERT_EQ(cells[drum].size(), 10u) << "drum " << drum;
        for (size_t k = 0; k < cells[drum].size(); ++k) {
            EXPECT_EQ(cells[drum][k].first, static_cast<int64_t>(k) * 22050);
            EXPECT_EQ(cells[drum][k].second, static_cast<int32_t>(k) % lengths[drum]);
        }
    }

    // Stopped, nothing changes and nothing is sent; after a new activation everything once.
    HostPosition stopped;
    stopped.speed = 0.0f;
    host.addPosition(0, stopped);
    for (int block = 0; block < 100; ++block) {
        host.run(441);
        EXPECT_TRUE(host.lastMonitorOutput().empty());
    }
    lilv_instance_deactivate(host.instance());
    lilv_instance_activate(host.instance());
    host.run(441);
    const std::vector<Lv2TestHost::MonitorOut> again = host.lastMonitorOutput();
    ASSERT_EQ(again.size(), 2u);
    EXPECT_EQ(again[0].value, 9 % 7);
    EXPECT_EQ(again[1].value, 9 % 4);
}
