// A toolkit window: one native view with an OpenGL 2 context, free-standing or embedded in a
// host's window, holding the top-level widgets. [main-thread] (the event loop).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "skein/Geometry.h"

namespace Skein {

class Application;
class IdleCallback;
class TopLevelWidget;

class Window {
public:
    enum class Cursor {
        Arrow,
        DiagonalResize
    };

    enum class CrossingMode {
        Normal,
        Grab,
        Ungrab
    };

    struct ClipboardType {
        unsigned id; // 1-based
        std::string type;
    };

    // parentWindowHandle != 0 embeds the window; width or height 0 means 640 x 480;
    // scaleFactor 0 picks "ZEF_SCALE_FACTOR", else the display's factor.
    explicit Window(Application& app, uintptr_t parentWindowHandle = 0, unsigned width = 0,
        unsigned height = 0, double scaleFactor = 0.0, bool resizable = true,
        bool usesSizeRequest = false);
    virtual ~Window();

    Application& application() const noexcept;
    bool isEmbed() const noexcept;
    bool isVisible() const noexcept;
    bool isResizable() const noexcept;
    uintptr_t nativeWindowHandle() const noexcept;
    double scaleFactor() const noexcept;

    // Creates the native window; free windows are realised when first shown.
    bool realize();
    // Maps (a free window also raised) or unmaps the window, embedded or free.
    void makeVisible();
    void makeHidden();
    void closeWindow();

    unsigned pixelWidth() const;
    unsigned pixelHeight() const;
    Size<unsigned> pixelSize() const;
    void setPixelSize(unsigned width, unsigned height);
    // Resizes the native window directly, bypassing size requests (a host's own resize).
    void setSizeFromHost(unsigned width, unsigned height);
    void setSizeLimits(unsigned minimumWidth, unsigned minimumHeight, bool keepAspectRatio = false,
        bool automaticallyScale = false, bool resizeNow = false);
    Size<unsigned> sizeLimits(bool& keepAspectRatio) const noexcept;

    void setCaption(const char* text);
    void setOwnerWindow(uintptr_t handle);
    void setIgnoreIdleCallbacks(bool ignore) noexcept;
    void requestRedraw();
    // The pointer's shape while it is over the window.
    void setCursor(Cursor cursor);

    // Makes the window's OpenGL context current for work outside of paint().
    bool enterContext();
    void leaveContext();

    // periodMs 0 adds the callback to the application's idle list; else a server-time timer.
    bool registerIdleTask(IdleCallback* callback, unsigned periodMs);
    bool unregisterIdleTask(IdleCallback* callback);

    // type null means "text/plain". The data is copied.
    bool offerClipboard(const char* type, const void* data, size_t size);
    // Returns the data of the accepted offer, valid until the next fetch, or null (size 0).
    const void* fetchClipboard(size_t& size);
    std::vector<ClipboardType> clipboardTypes() const;

    // The next drawn frame is also written to fileName as a text PPM (P3) picture.
    void captureNextFrame(const char* fileName);

    struct PrivateData;

protected:
    // Identifier of the clipboard type to accept, 0 for none; default "text/plain", else
    // "UTF8_STRING".
    virtual unsigned onClipboardDataOffer();
    // Whether a close from the window manager may go on (standalone mode).
    virtual bool onClose();
    virtual void onFocus(bool focus, CrossingMode mode);
    // Default: blending, viewport and a top-left-origin orthographic projection.
    virtual void onReshape(unsigned width, unsigned height);
    virtual void onScaleFactorChanged(double scaleFactor);

private:
    PrivateData* const pData;
    friend class TopLevelWidget;

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
};

} // namespace Skein
