// Top-level widgets: the window's entry points for events and drawing, and forwarding of size,
// clipboard and idle work to the window. Event-loop thread.
#include "skein/TopLevelWidget.h"

#include <GL/gl.h>

#include <cmath>

#include "TopLevelWidgetPrivateData.h"
#include "WidgetPrivateData.h"
#include "WindowPrivateData.h"
#include "skein/Window.h"

namespace Skein {

namespace {

template <typename Event> Event unscaled(const Event& event, double factor) noexcept
{
    Event copy = event;
    copy.pos.x /= factor;
    copy.pos.y /= factor;
    copy.absolutePos.x /= factor;
    copy.absolutePos.y /= factor;
    return copy;
}

} // namespace

TopLevelWidget::PrivateData::PrivateData(TopLevelWidget* self_, Window& window_)
    : self(self_), window(window_)
{
}

bool TopLevelWidget::PrivateData::keyboardEvent(const KeyboardEvent& event)
{
    return self->isShown() && self->handleKey(event);
}

bool TopLevelWidget::PrivateData::characterInputEvent(const CharacterInputEvent& event)
{
    return self->isShown() && self->handleText(event);
}

bool TopLevelWidget::PrivateData::mouseEvent(const MouseEvent& event)
{
    if (!self->isShown())
        return false;
    const Window::PrivateData& w = *window.pData;
    if (w.autoScaling)
        return self->handleButton(unscaled(event, w.autoScaleFactor));
    return self->handleButton(event);
}

bool TopLevelWidget::PrivateData::motionEvent(const MotionEvent& event)
{
    if (!self->isShown())
        return false;
    const Window::PrivateData& w = *window.pData;
    if (w.autoScaling)
        return self->handlePointerMove(unscaled(event, w.autoScaleFactor));
    return self->handlePointerMove(event);
}

bool TopLevelWidget::PrivateData::scrollEvent(const ScrollEvent& event)
{
    if (!self->isShown())
        return false;
    const Window::PrivateData& w = *window.pData;
    if (w.autoScaling) {
        ScrollEvent copy = unscaled(event, w.autoScaleFactor);
        copy.delta.x /= w.autoScaleFactor;
        copy.delta.y /= w.autoScaleFactor;
        return self->handleWheel(copy);
    }
    return self->handleWheel(event);
}

void TopLevelWidget::PrivateData::display()
{
    const Window::PrivateData& w = *window.pData;
    const double s = w.autoScaling ? w.autoScaleFactor : 1.0;
    const Size<unsigned> size = self->pixelSize();
    if (w.autoScaling)
        glViewport(0, -static_cast<int>(std::lround((s - 1.0) * size.height)),
            static_cast<int>(std::lround(size.width * s)),
            static_cast<int>(std::lround(size.height * s)));
    else
        glViewport(0, 0, static_cast<GLsizei>(size.width), static_cast<GLsizei>(size.height));
    self->paint();
    self->Widget::pData->displaySubWidgets(size.width, size.height, s);
}

TopLevelWidget::TopLevelWidget(Window& window)
    : Widget(this, nullptr), tData(new PrivateData(this, window))
{
    window.pData->topLevelWidgetAdded(this);
}

TopLevelWidget::~TopLevelWidget()
{
    tData->window.pData->topLevelWidgetRemoved(this);
    delete tData;
}

Application& TopLevelWidget::application() const noexcept
{
    return tData->window.application();
}
Window& TopLevelWidget::window() const noexcept
{
    return tData->window;
}
double TopLevelWidget::displayScale() const noexcept
{
    return tData->window.scaleFactor();
}
void TopLevelWidget::requestRedraw()
{
    tData->window.requestRedraw();
}

void TopLevelWidget::setSizeLimits(
    unsigned minimumWidth, unsigned minimumHeight, bool keepAspectRatio, bool automaticallyScale)
{
    tData->window.setSizeLimits(minimumWidth, minimumHeight, keepAspectRatio, automaticallyScale);
}

void TopLevelWidget::setPixelSize(unsigned width, unsigned height)
{
    tData->window.setPixelSize(width, height);
}

bool TopLevelWidget::offerClipboard(const char* type, const void* data, size_t size)
{
    return tData->window.offerClipboard(type, data, size);
}

const void* TopLevelWidget::fetchClipboard(size_t& size)
{
    return tData->window.fetchClipboard(size);
}

bool TopLevelWidget::registerIdleTask(IdleCallback* callback, unsigned periodMs)
{
    return tData->window.registerIdleTask(callback, periodMs);
}

bool TopLevelWidget::unregisterIdleTask(IdleCallback* callback)
{
    return tData->window.unregisterIdleTask(callback);
}

} // namespace Skein
