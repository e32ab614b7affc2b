// State of a window and its handling of the view's events: sizes, scaling, clipboard transfer,
// close handling and the travel of input to the top-level widgets. Event-loop thread.
#pragma once

#include <list>
#include <string>

#include "ApplicationPrivateData.h"
#include "ViewEvent.h"
#include "skein/Window.h"

namespace Skein {

class View;

struct Window::PrivateData : ViewEventHandler {
    Application& app;
    Application::PrivateData* const appData;
    Window* const self;
    View* view = nullptr;
    TopLevelWidget* topLevelWidget = nullptr;
    std::list<TopLevelWidget*> topLevelWidgets;
    bool isClosed;
    bool isVisible;
    const bool isEmbed;
    const bool usesSizeRequest;
    double scaleFactor;
    bool autoScaling = false;
    double autoScaleFactor = 1.0;
    unsigned minWidth = 0, minHeight = 0;
    bool keepAspectRatio = false;
    bool ignoreIdleCallbacks = false;
    bool waitingForClipboardData = false;
    bool waitingForClipboardEvents = false;
    unsigned clipboardTypeId = 0;
    std::string pictureFileName; // empty: no capture pending

    PrivateData(Application& app, Window* self, uintptr_t parentWindowHandle, unsigned width,
        unsigned height, double scaleFactor, bool resizable, bool usesSizeRequest);
    ~PrivateData();

    bool realize();
    void show();
    void hide();
    void close();
    const void* fetchClipboard(size_t& size);

    void topLevelWidgetAdded(TopLevelWidget* widget);
    void topLevelWidgetRemoved(TopLevelWidget* widget);

    void onViewEvent(const ViewEvent& event) override;

private:
    void onConfigure(unsigned width, unsigned height);
    void onExpose();
    void onClose();
    void onClipboardEvent(const ViewEvent& event);
    void giveInputToWidgets(const ViewEvent& event);
    template <typename Event, typename Entry> void giveToWidgets(const Event& event, Entry entry);
};

} // namespace Skein
