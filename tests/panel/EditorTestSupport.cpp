// The test host record and the open editor of the editor tests.
#include "EditorTestSupport.h"

#include <unistd.h>

#include <cstdlib>

namespace UITest {

void HostRecord::attach(Orvane::editorLink& link)
{
    link.fCallbacksPtr = this;
    link.fEditParamCallback = [](void* ptr, uint32_t index, bool started) {
        static_cast<HostRecord*>(ptr)->calls.push_back({HostCall::Gesture, index, started});
    };
    link.fSetParamCallback = [](void* ptr, uint32_t index, float value) {
        static_cast<HostRecord*>(ptr)->calls.push_back({HostCall::Value, index, false, value});
    };
    link.fSetSizeCallback = [](void* ptr, unsigned width, unsigned height) {
        static_cast<HostRecord*>(ptr)->calls.push_back(
            {HostCall::Size, width, false, static_cast<float>(height)});
    };
}

std::vector<HostCall> HostRecord::callsFor(uint32_t index) const
{
    std::vector<HostCall> result;
    for (const HostCall& call : calls)
        if (call.kind != HostCall::Size && call.index == index)
            result.push_back(call);
    return result;
}

size_t HostRecord::count(HostCall::Kind kind) const
{
    size_t n = 0;
    for (const HostCall& call : calls)
        n += call.kind == kind;
    return n;
}

OpenEditor::OpenEditor(double scaleFactor)
{
    link.fScaleFactor = scaleFactor;
    host.attach(link);
    fPanel = static_cast<Orvane::ImGuiPluginUI*>(Orvane::createUI(link));
    window().makeVisible();
    SkeinTest::pumpUntil(app(), [this] { return fPanel->dialPlace(5).radius > 0.0f; });
}

OpenEditor::~OpenEditor()
{
    delete fPanel;
}

SkeinTest::Picture OpenEditor::capture()
{
    const std::string file = SkeinTest::temporaryFileName(("editor-" +
        std::to_string(reinterpret_cast<uintptr_t>(this)) + "-" + std::to_string(++fCaptures))
                                                              .c_str());
    unlink(file.c_str());
    window().captureNextFrame(file.c_str());
    SkeinTest::pumpUntil(app(), [&] { return access(file.c_str(), F_OK) == 0; });
    SkeinTest::Picture picture;
    picture.load(file);
    unlink(file.c_str());
    return picture;
}

} // namespace UITest
