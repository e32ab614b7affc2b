// A native view: one platform window with its OpenGL context, size hints, timers and clipboard.
// Declared without platform types; implemented by the platform layer (x11/). Event-loop thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Skein {

class ViewEventHandler;
class World;

class View {
public:
    View(World& world, ViewEventHandler& handler);
    ~View();

    // Settings taken when realised.
    void setParent(uintptr_t parent) noexcept;
    void setDefaultSize(unsigned width, unsigned height) noexcept;
    void setResizable(bool resizable) noexcept;
    bool isResizable() const noexcept;

    bool realize();
    bool isRealized() const noexcept;
    uintptr_t nativeHandle() const noexcept;
    void show(bool raise);
    void hide();

    unsigned frameWidth() const noexcept;
    unsigned frameHeight() const noexcept;
    void setSize(unsigned width, unsigned height);
    // Minimum size and, when keepAspectRatio, a fixed aspect ratio of minimumWidth:minimumHeight.
    void setMinimumSize(unsigned width, unsigned height, bool keepAspectRatio);
    void setTitle(const char* title);
    void setTransientFor(uintptr_t owner);
    void postRedisplay() noexcept;
    // Pointer shape over the window: false for the arrow, true for the diagonal-resize shape.
    void setResizeCursor(bool resize);

    bool enterContext();
    void leaveContext();

    bool startTimer(uintptr_t id, double periodSeconds);
    bool stopTimer(uintptr_t id);

    bool offerClipboard(const char* type, const void* data, size_t size);
    // Asks the selection owner for its types; a DataOffer event follows.
    void requestClipboardTypes();
    // Asks for the data of one offered type (1-based); a Data event follows.
    void requestClipboardData(unsigned typeIndex);
    const std::vector<std::string>& clipboardOfferTypes() const noexcept;
    const std::vector<char>& receivedClipboardData() const noexcept;

    struct Impl;
    Impl* impl() const noexcept { return pImpl; }

private:
    Impl* const pImpl;

    View(const View&) = delete;
    View& operator=(const View&) = delete;
};

} // namespace Skein
