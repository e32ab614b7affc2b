// Sub-widgets: placement inside the window and drawing into their own part of it.
// Event-loop thread.
#include "skein/SubWidget.h"

#include <GL/gl.h>

#include <cmath>

#include "WidgetPrivateData.h"
#include "skein/TopLevelWidget.h"

namespace Skein {

namespace {
int roundToInt(double value) noexcept
{
    return static_cast<int>(std::lround(value));
}
} // namespace

SubWidget::PrivateData::PrivateData(SubWidget* self_, Widget* parentWidget_)
    : self(self_), parentWidget(parentWidget_)
{
}

void SubWidget::PrivateData::display(unsigned windowWidth, unsigned windowHeight, double s)
{
    if (skipDrawing)
        return;
    const Size<unsigned> size = self->pixelSize();
    const double width = windowWidth, height = windowHeight;
    bool scissor = false;
    if (needsViewportScaling) {
        const double f = viewportScaleFactor != 0.0 ? viewportScaleFactor : 1.0;
        const int w = roundToInt(size.width * f), h = roundToInt(size.height * f);
        glViewport(roundToInt(absolutePos.x * s), roundToInt(height - absolutePos.y * s) - h, w, h);
    } else if (needsFullViewportForDrawing ||
        (absolutePos == Point<int>{} && size == Size<unsigned>{windowWidth, windowHeight})) {
        glViewport(
            0, -roundToInt((s - 1.0) * height), roundToInt(width * s), roundToInt(height * s));
    } else {
        // The whole window's viewport moved to our position, so paint() draws in its own
        // coordinates, clipped to its area. OpenGL counts rows from the bottom.
        glViewport(roundToInt(absolutePos.x * s),
            -roundToInt((s - 1.0) * height + absolutePos.y * s), roundToInt(width * s),
            roundToInt(height * s));
        glScissor(roundToInt(absolutePos.x * s),
            roundToInt(height - (absolutePos.y + static_cast<double>(size.height)) * s),
            roundToInt(size.width * s), roundToInt(size.height * s));
        glEnable(GL_SCISSOR_TEST);
        scissor = true;
    }
    self->paint();
    if (scissor)
        glDisable(GL_SCISSOR_TEST);
    self->Widget::pData->displaySubWidgets(windowWidth, windowHeight, s);
}

SubWidget::SubWidget(Widget* parent)
    : Widget(parent != nullptr ? parent->topWidget() : nullptr, parent),
      sData(new PrivateData(this, parent))
{
    if (parent != nullptr)
        parent->pData->subWidgets.push_back(this);
}

SubWidget::~SubWidget()
{
    if (sData->parentWidget != nullptr)
        sData->parentWidget->pData->subWidgets.remove(this);
    delete sData;
}

void SubWidget::placeAt(int x, int y)
{
    if (sData->absolutePos == Point<int>{x, y})
        return;
    sData->absolutePos = {x, y};
    requestRedraw();
}

int SubWidget::absoluteLeft() const noexcept
{
    return sData->absolutePos.x;
}
int SubWidget::absoluteTop() const noexcept
{
    return sData->absolutePos.y;
}
Point<int> SubWidget::absolutePos() const noexcept
{
    return sData->absolutePos;
}

Rectangle<int> SubWidget::absoluteArea() const noexcept
{
    const Size<unsigned> size = pixelSize();
    return {sData->absolutePos, {static_cast<int>(size.width), static_cast<int>(size.height)}};
}

Widget* SubWidget::parentWidget() const noexcept
{
    return sData->parentWidget;
}

void SubWidget::setNeedsFullViewportDrawing(bool needs) noexcept
{
    sData->needsFullViewportForDrawing = needs;
}

void SubWidget::setNeedsViewportScaling(bool needs, double scaleFactor) noexcept
{
    sData->needsViewportScaling = needs;
    sData->viewportScaleFactor = scaleFactor;
}

void SubWidget::setSkipDrawing(bool skip) noexcept
{
    sData->skipDrawing = skip;
}

void SubWidget::requestRedraw()
{
    if (TopLevelWidget* top = topWidget())
        top->requestRedraw();
}

} // namespace Skein
