// Window state and the handling of its view's events. Event-loop thread.
#include "WindowPrivateData.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>

#include "FramePicture.h"
#include "TopLevelWidgetPrivateData.h"
#include "View.h"
#include "World.h"
#include "skein/IdleCallback.h"
#include "skein/TopLevelWidget.h"
#include "support/SoftAssert.h"

namespace Skein {

namespace {
constexpr const char* kFile = "src/WindowPrivateData";
constexpr int kClipboardRounds = 66;
// Each round waits this long at most for the other client, so a fetch ends within ~2 s.
constexpr double kClipboardRoundSeconds = 0.03;
} // namespace

Window::PrivateData::PrivateData(Application& app_, Window* self_, uintptr_t parent, unsigned width,
    unsigned height, double scale, bool resizable, bool usesSizeRequest_)
    : app(app_), appData(app_.pData), self(self_), isClosed(parent == 0), isVisible(false),
      isEmbed(parent != 0), usesSizeRequest(usesSizeRequest_),
      scaleFactor(app_.windowScaleFactor(scale))
{
    appData->windows.push_back(self);
    if (appData->world == nullptr) {
        Support::printWarning("Failed to create Pugl view, everything will fail!");
        return;
    }
    view = new View(*appData->world, *this);
    view->setParent(parent);
    view->setResizable(resizable);
    if (width == 0 || height == 0) {
        width = 640;
        height = 480;
    }
    view->setDefaultSize(width, height);
    isVisible = isEmbed;
}

Window::PrivateData::~PrivateData()
{
    appData->windows.remove(self);
    if (isEmbed && view != nullptr && view->isRealized()) {
        view->hide();
        appData->oneWindowClosed();
    } else if (!isEmbed && !isClosed) {
        // Destroying a shown window closes it, so the application's count stays right.
        isClosed = true;
        appData->oneWindowClosed();
    }
    delete view;
}

bool Window::PrivateData::realize()
{
    SOFT_ASSERT_RETURN(view != nullptr, "src/Window", __LINE__, false);
    if (view->isRealized())
        return true;
    if (!view->realize()) {
        Support::printWarning("Failed to realize Pugl view, everything will fail!");
        delete view;
        view = nullptr;
        isVisible = false;
        return false;
    }
    if (isEmbed) {
        appData->oneWindowShown();
        view->show(false);
    }
    return true;
}

void Window::PrivateData::show()
{
    if (isVisible || view == nullptr)
        return;
    if (!realize())
        return;
    // The host's window stays where the host put it: an embedded window is only mapped again.
    if (isEmbed) {
        view->show(false);
        isVisible = true;
        return;
    }
    if (isClosed) {
        isClosed = false;
        appData->oneWindowShown();
    }
    view->show(true);
    isVisible = true;
}

// An embedded window is unmapped too: a host that hides the editor but not its own window must
// not keep showing a frozen panel.
void Window::PrivateData::hide()
{
    if (!isVisible || view == nullptr)
        return;
    view->hide();
    isVisible = false;
}

void Window::PrivateData::close()
{
    if (isEmbed || isClosed)
        return;
    isClosed = true;
    hide();
    appData->oneWindowClosed();
}

void Window::PrivateData::topLevelWidgetAdded(TopLevelWidget* widget)
{
    topLevelWidgets.push_back(widget);
    topLevelWidget = topLevelWidgets.front();
    if (view != nullptr) {
        const unsigned width = view->isRealized() ? view->frameWidth() : 0;
        const unsigned height = view->isRealized() ? view->frameHeight() : 0;
        if (width > 1 && height > 1)
            widget->Widget::setPixelSize(width, height);
    }
}

void Window::PrivateData::topLevelWidgetRemoved(TopLevelWidget* widget)
{
    topLevelWidgets.remove(widget);
    topLevelWidget = topLevelWidgets.empty() ? nullptr : topLevelWidgets.front();
}

const void* Window::PrivateData::fetchClipboard(size_t& size)
{
    size = 0;
    if (view == nullptr || !view->isRealized())
        return nullptr;
    waitingForClipboardData = waitingForClipboardEvents = true;
    clipboardTypeId = 0;
    view->requestClipboardTypes();
    for (int round = 0; round < kClipboardRounds && waitingForClipboardData; ++round)
        appData->world->dispatchAvailable(kClipboardRoundSeconds);
    waitingForClipboardData = waitingForClipboardEvents = false;
    const std::vector<char>& data = view->receivedClipboardData();
    if (clipboardTypeId == 0 || data.empty())
        return nullptr;
    size = data.size() - 1;
    return data.data();
}

void Window::PrivateData::onViewEvent(const ViewEvent& event)
{
    if (waitingForClipboardEvents) {
        switch (event.type) {
        case ViewEventType::dataOffer:
        case ViewEventType::data:
            break;
        case ViewEventType::close:
            std::printf(
                "Got event %d while waitingForClipboardEvents\n", static_cast<int>(event.type));
            break;
        default:
            return;
        }
    }
    switch (event.type) {
    case ViewEventType::configure:
        onConfigure(event.width, event.height);
        break;
    case ViewEventType::expose:
        onExpose();
        break;
    case ViewEventType::close:
        onClose();
        break;
    case ViewEventType::focusIn:
    case ViewEventType::focusOut:
        self->onFocus(
            event.type == ViewEventType::focusIn, static_cast<CrossingMode>(event.crossingMode));
        break;
    case ViewEventType::timer:
        reinterpret_cast<IdleCallback*>(event.timerId)->onIdleTick();
        break;
    case ViewEventType::dataOffer:
    case ViewEventType::data:
        onClipboardEvent(event);
        break;
    default:
        giveInputToWidgets(event);
        break;
    }
}

void Window::PrivateData::onConfigure(unsigned width, unsigned height)
{
    SOFT_ASSERT_VALUES_RETURN(width > 1 && height > 1, kFile, 569, width, height, );
    if (autoScaling && minWidth != 0 && minHeight != 0)
        autoScaleFactor = std::min(
            static_cast<double>(width) / minWidth, static_cast<double>(height) / minHeight);
    self->onReshape(width, height);
    for (TopLevelWidget* widget : topLevelWidgets)
        widget->Widget::setPixelSize(width, height);
    view->postRedisplay();
}

void Window::PrivateData::onExpose()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    for (TopLevelWidget* widget : topLevelWidgets)
        if (widget->isShown())
            widget->tData->display();
    if (!pictureFileName.empty()) {
        writeFramePicture(pictureFileName.c_str(), view->frameWidth(), view->frameHeight());
        pictureFileName.clear();
    }
}

void Window::PrivateData::onClose()
{
    if (appData->isStandalone && !self->onClose())
        return;
    close();
}

void Window::PrivateData::onClipboardEvent(const ViewEvent& event)
{
    if (!waitingForClipboardEvents)
        return; // a late answer to a fetch that gave up
    if (event.type == ViewEventType::dataOffer) {
        clipboardTypeId = self->onClipboardDataOffer();
        if (clipboardTypeId != 0)
            view->requestClipboardData(clipboardTypeId);
        else
            waitingForClipboardData = false;
        return;
    }
    if (event.typeIndex != clipboardTypeId)
        clipboardTypeId = 0;
    waitingForClipboardData = false;
}

template <typename Event, typename Entry>
void Window::PrivateData::giveToWidgets(const Event& event, Entry entry)
{
    for (auto it = topLevelWidgets.rbegin(); it != topLevelWidgets.rend(); ++it)
        if ((*it)->isShown() && ((*it)->tData->*entry)(event))
            return;
}

void Window::PrivateData::giveInputToWidgets(const ViewEvent& e)
{
    const auto fillBase = [&e](Widget::BaseEvent& base) {
        base.mod = e.mod;
        base.time = static_cast<unsigned>(e.time * 1000.0 + 0.5);
    };
    switch (e.type) {
    case ViewEventType::keyPress:
    case ViewEventType::keyRelease: {
        Widget::KeyboardEvent key;
        fillBase(key);
        key.press = e.type == ViewEventType::keyPress;
        key.key = e.key;
        key.keycode = e.keycode;
        giveToWidgets(key, &TopLevelWidget::PrivateData::keyboardEvent);
        break;
    }
    case ViewEventType::text: {
        Widget::CharacterInputEvent text;
        fillBase(text);
        text.keycode = e.keycode;
        text.character = e.character;
        std::copy(e.text, e.text + 8, text.string);
        text.string[7] = '\0';
        giveToWidgets(text, &TopLevelWidget::PrivateData::characterInputEvent);
        break;
    }
    case ViewEventType::buttonPress:
    case ViewEventType::buttonRelease: {
        Widget::MouseEvent mouse;
        fillBase(mouse);
        mouse.button = e.button;
        mouse.press = e.type == ViewEventType::buttonPress;
        mouse.pos = mouse.absolutePos = {e.x, e.y};
        giveToWidgets(mouse, &TopLevelWidget::PrivateData::mouseEvent);
        break;
    }
    case ViewEventType::motion: {
        Widget::MotionEvent motion;
        fillBase(motion);
        motion.pos = motion.absolutePos = {e.x, e.y};
        giveToWidgets(motion, &TopLevelWidget::PrivateData::motionEvent);
        break;
    }
    case ViewEventType::scroll: {
        Widget::ScrollEvent scroll;
        fillBase(scroll);
        scroll.pos = scroll.absolutePos = {e.x, e.y};
        scroll.delta = {e.dx, e.dy};
        scroll.direction = static_cast<ScrollDirection>(e.direction);
        giveToWidgets(scroll, &TopLevelWidget::PrivateData::scrollEvent);
        break;
    }
    default:
        break;
    }
}

} // namespace Skein
