// The widget that fills a window (an editor is one); forwards size, clipboard and idle work to
// its window. [main-thread] (the event loop).
#pragma once

#include <cstddef>

#include "skein/Widget.h"

namespace Skein {

class Application;
class IdleCallback;

class TopLevelWidget : public Widget {
public:
    explicit TopLevelWidget(Window& window);
    ~TopLevelWidget() override;

    Application& application() const noexcept;
    Window& window() const noexcept;
    double displayScale() const noexcept;

    void requestRedraw() override;
    void setSizeLimits(unsigned minimumWidth, unsigned minimumHeight, bool keepAspectRatio = false,
        bool automaticallyScale = false);
    void setPixelSize(unsigned width, unsigned height);

    bool offerClipboard(const char* type, const void* data, size_t size);
    const void* fetchClipboard(size_t& size);

    bool registerIdleTask(IdleCallback* callback, unsigned periodMs);
    bool unregisterIdleTask(IdleCallback* callback);

    struct PrivateData;

private:
    PrivateData* const tData;
    friend class Widget;
    friend class Window;
};

} // namespace Skein
