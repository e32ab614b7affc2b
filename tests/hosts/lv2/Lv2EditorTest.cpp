// The LV2 editor as a host runs it, on a real X server: the editor library found through lilv,
// embedded in the host's window (ui:parent), sized through ui:resize at the host's scale, driven
// by the idle interface; a port event moves a knob, and a real drag reaches the host as touch
// begin, values through the write function, touch end.
// GoogleTest and the LV2 headers first: Xlib defines Bool and None as macros.
#include <gtest/gtest.h>

#include "Lv2TestHost.h"

#include "HostWindow.h"
#include "ui/EditorFactory.h"

#include <dlfcn.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct HostCall {
    enum Kind {
        TouchBegin,
        Value,
        TouchEnd
    } kind;
    uint32_t port;
    float value;
};

// The host's side of one editor: its features and what the editor asked of it.
class EditorHost {
public:
    std::vector<HostCall> calls;
    std::vector<std::pair<int, int>> sizes;
    float scale = 2.0f;

    EditorHost()
    {
        UridTable& urids = UridTable::instance();
        fOptions[0] = {LV2_OPTIONS_INSTANCE, 0, urids.map(LV2_UI__scaleFactor), sizeof(float),
            urids.map(LV2_ATOM__Float), &scale};
        fResize = {this, [](LV2UI_Feature_Handle h, int w, int hgt) {
                       static_cast<EditorHost*>(h)->sizes.emplace_back(w, hgt);
                       return 0;
                   }};
        fTouch = {this, [](LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
                      static_cast<EditorHost*>(h)->calls.push_back(
                          {grabbed ? HostCall::TouchBegin : HostCall::TouchEnd, port, 0.0f});
                  }};
    }

    const LV2_Feature* const* features(uintptr_t parent)
    {
        fParent = {LV2_UI__parent, reinterpret_cast<void*>(parent)};
        fFeatures = {&fMapFeature, &fParent, &fResizeFeature, &fTouchFeature, &fIdleFeature,
            &fOptionsFeature, nullptr};
        return fFeatures.data();
    }

    static void write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format,
        const void* buffer)
    {
        if (format == 0 && size == sizeof(float))
            static_cast<EditorHost*>(controller)
                ->calls.push_back({HostCall::Value, port, *static_cast<const float*>(buffer)});
    }

private:
    LV2_Options_Option fOptions[2] = {};
    LV2UI_Resize fResize{};
    LV2UI_Touch fTouch{};
    LV2_Feature fMapFeature{LV2_URID__map, UridTable::instance().mapFeature()};
    LV2_Feature fParent{};
    LV2_Feature fResizeFeature{LV2_UI__resize, &fResize};
    LV2_Feature fTouchFeature{LV2_UI__touch, &fTouch};
    LV2_Feature fIdleFeature{LV2_UI__idleInterface, nullptr};
    LV2_Feature fOptionsFeature{LV2_OPTIONS__options, fOptions};
    std::vector<const LV2_Feature*> fFeatures;
};

// The editor library of the bundle, loaded the way hosts load it.
class EditorLibrary {
public:
    explicit EditorLibrary(const Lv2TestHost& host)
    {
        LilvUIs* const uis = lilv_plugin_get_uis(host.plugin());
        LILV_FOREACH(uis, i, uis)
        {
            const LilvUI* const ui = lilv_uis_get(uis, i);
            char* const path =
                lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_binary_uri(ui)), nullptr);
            char* const bundle =
                lilv_file_uri_parse(lilv_node_as_uri(lilv_ui_get_bundle_uri(ui)), nullptr);
            fBundle = bundle;
            fLibrary = dlopen(path, RTLD_NOW | RTLD_LOCAL);
            lilv_free(path);
            lilv_free(bundle);
        }
        lilv_uis_free(uis);
        const auto entry = fLibrary != nullptr
            ? reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(fLibrary, "lv2ui_descriptor"))
            : nullptr;
        descriptor = entry != nullptr ? entry(0) : nullptr;
    }
    ~EditorLibrary()
    {
        if (fLibrary != nullptr)
            dlclose(fLibrary);
    }
    const LV2UI_Descriptor* descriptor = nullptr;
    const char* bundle() const { return fBundle.c_str(); }

private:
    void* fLibrary = nullptr;
    std::string fBundle;
};

size_t countOf(const std::vector<HostCall>& calls, HostCall::Kind kind)
{
    return static_cast<size_t>(std::count_if(
        calls.begin(), calls.end(), [kind](const HostCall& c) { return c.kind == kind; }));
}

} // namespace

TEST(Lv2Editor, EmbedsInTheHostsWindowFollowsPortEventsAndFramesADragWithTouch)
{
    SkeinTest::TestClient client;
    ASSERT_NE(client.display(), nullptr);
    Lv2TestHost plugin;
    ASSERT_NE(plugin.plugin(), nullptr);
    EditorLibrary library(plugin);
    ASSERT_NE(library.descriptor, nullptr);
    EXPECT_STREQ(library.descriptor->URI, "urn:fellmark-audio:vantorel#ui");
    const auto* const idle = static_cast<const LV2UI_Idle_Interface*>(
        library.descriptor->extension_data(LV2_UI__idleInterface));
    ASSERT_NE(idle, nullptr);

    HostWindow parent(client, 2 * Orvane::kEditorWidth, 2 * Orvane::kEditorHeight);
    EditorHost host;
    LV2UI_Widget widget = nullptr;
    LV2UI_Handle ui =
        library.descriptor->instantiate(library.descriptor, "urn:fellmark-audio:vantorel",
            library.bundle(), EditorHost::write, &host, &widget, host.features(parent.id()));
    ASSERT_NE(ui, nullptr);
    ASSERT_EQ(parent.children().size(), 1u);
    EXPECT_EQ(parent.children()[0], reinterpret_cast<uintptr_t>(widget));
    ASSERT_FALSE(host.sizes.empty());
    EXPECT_EQ(host.sizes.back(),
        std::make_pair(2 * int(Orvane::kEditorWidth), 2 * int(Orvane::kEditorHeight)))
        << "the editor's size at the host's scale 2";

    const auto round = [&] {
        client.sync();
        EXPECT_EQ(idle->idle(ui), 0);
        usleep(4000); // the host's idle period, shortened; conditions decide, not time
    };
    const auto roundsUntil = [&](auto done) {
        for (int i = 0; i < 400 && !done(); ++i)
            round();
        return done();
    };
    std::vector<DialSpot> dayan;
    ASSERT_TRUE(roundsUntil([&] {
        dayan = findDials(parent.pixels(), true);
        return dayan.size() == 4 && findDials(parent.pixels(), false).size() == 4;
    }));
    EXPECT_TRUE(dialShows(parent.pixels(), dayan[0], true, 0.0)) << "Dayan Length at 4";

    // The host reports Dayan Length (parameter 3) at its maximum.
    const uint32_t dayanLength = plugin.portIndex("dayan_length");
    const float sixteen = 16.0f;
    library.descriptor->port_event(ui, dayanLength, sizeof(float), 0, &sixteen);
    EXPECT_TRUE(roundsUntil([&] { return dialShows(parent.pixels(), dayan[0], true, 1.0); }));

    // A real drag upwards on Dayan Pattern.
    const uint32_t dayanPattern = plugin.portIndex("dayan_pattern");
    const int x = static_cast<int>(dayan[1].x), y = static_cast<int>(dayan[1].y);
    client.movePointerTo(parent.id(), x, y);
    for (int i = 0; i < 3; ++i)
        round();
    client.button(1, true);
    ASSERT_TRUE(roundsUntil([&] { return countOf(host.calls, HostCall::TouchBegin) == 1; }));
    for (int step = 1; step <= 4; ++step) {
        client.movePointerTo(parent.id(), x, y - 5 * step);
        for (int i = 0; i < 3; ++i)
            round();
    }
    client.button(1, false);
    ASSERT_TRUE(roundsUntil([&] { return countOf(host.calls, HostCall::TouchEnd) == 1; }));

    const std::vector<HostCall>& calls = host.calls;
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(calls.front().kind, HostCall::TouchBegin);
    EXPECT_EQ(calls.back().kind, HostCall::TouchEnd);
    for (const HostCall& call : calls)
        EXPECT_EQ(call.port, dayanPattern);
    EXPECT_GT(calls[calls.size() - 2].value, 1.0f) << "the pattern went up";
    for (size_t i = 1; i + 1 < calls.size(); ++i)
        EXPECT_EQ(calls[i].kind, HostCall::Value);

    library.descriptor->cleanup(ui);
    EXPECT_TRUE(parent.children().empty());
}
