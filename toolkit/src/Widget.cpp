// Widget base: size, visibility, names and the default handlers that pass events on to the
// sub-widgets. Event-loop thread.
#include "skein/Widget.h"

#include "WidgetPrivateData.h"
#include "skein/TopLevelWidget.h"
#include "support/SoftAssert.h"

namespace Skein {

namespace {

template <typename Event> void makeRelative(Event& event, const SubWidget& widget) noexcept
{
    event.pos.x = event.absolutePos.x - widget.absoluteLeft();
    event.pos.y = event.absolutePos.y - widget.absoluteTop();
}
void makeRelative(Widget::KeyboardEvent&, const SubWidget&) noexcept
{
}
void makeRelative(Widget::CharacterInputEvent&, const SubWidget&) noexcept
{
}

} // namespace

Widget::PrivateData::PrivateData(
    Widget* self_, TopLevelWidget* topLevelWidget_, Widget* parentWidget_)
    : self(self_), topLevelWidget(topLevelWidget_), parentWidget(parentWidget_)
{
}

template <typename Event, typename Handler>
bool Widget::PrivateData::offer(const Event& event, Handler handler)
{
    for (auto it = subWidgets.rbegin(); it != subWidgets.rend(); ++it) {
        SubWidget* widget = *it;
        if (!widget->isShown())
            continue;
        Event relative = event;
        makeRelative(relative, *widget);
        if ((widget->*handler)(relative))
            return true;
    }
    return false;
}

bool Widget::PrivateData::giveToSubWidgets(const KeyboardEvent& event)
{
    return offer(event, &Widget::handleKey);
}
bool Widget::PrivateData::giveToSubWidgets(const CharacterInputEvent& event)
{
    return offer(event, &Widget::handleText);
}
bool Widget::PrivateData::giveToSubWidgets(const MouseEvent& event)
{
    return offer(event, &Widget::handleButton);
}
bool Widget::PrivateData::giveToSubWidgets(const MotionEvent& event)
{
    return offer(event, &Widget::handlePointerMove);
}
bool Widget::PrivateData::giveToSubWidgets(const ScrollEvent& event)
{
    return offer(event, &Widget::handleWheel);
}

void Widget::PrivateData::displaySubWidgets(
    unsigned windowWidth, unsigned windowHeight, double autoScaleFactor)
{
    for (SubWidget* widget : subWidgets)
        if (widget->isShown())
            widget->sData->display(windowWidth, windowHeight, autoScaleFactor);
}

Widget::Widget(TopLevelWidget* topLevelWidget, Widget* parent)
    : pData(new PrivateData(this, topLevelWidget, parent))
{
}

Widget::~Widget()
{
    delete pData;
}

void Widget::requestRedraw()
{
    if (pData->topLevelWidget != nullptr)
        pData->topLevelWidget->requestRedraw();
}

unsigned Widget::pixelWidth() const noexcept
{
    return pData->size.width;
}
unsigned Widget::pixelHeight() const noexcept
{
    return pData->size.height;
}
Size<unsigned> Widget::pixelSize() const noexcept
{
    return pData->size;
}

void Widget::setPixelSize(unsigned width, unsigned height)
{
    const Size<unsigned> size{width, height};
    if (size == pData->size)
        return;
    const ResizeEvent event{pData->size, size};
    pData->size = size;
    handleResize(event);
    requestRedraw();
}

bool Widget::isShown() const noexcept
{
    return pData->visible;
}

void Widget::makeVisible()
{
    if (pData->visible)
        return;
    pData->visible = true;
    requestRedraw();
}

void Widget::makeHidden()
{
    if (!pData->visible)
        return;
    pData->visible = false;
    requestRedraw();
}

unsigned Widget::id() const noexcept
{
    return pData->id;
}
void Widget::setId(unsigned id) noexcept
{
    pData->id = id;
}
const char* Widget::name() const noexcept
{
    return pData->name.c_str();
}
void Widget::setName(const char* name)
{
    pData->name = name != nullptr ? name : "";
}

TopLevelWidget* Widget::topWidget() const noexcept
{
    return pData->topLevelWidget;
}

Window* Widget::hostWindow() const
{
    SOFT_ASSERT_RETURN(pData->topLevelWidget != nullptr, "src/Widget", 142, nullptr);
    return &pData->topLevelWidget->window();
}

bool Widget::handleKey(const KeyboardEvent& event)
{
    return pData->giveToSubWidgets(event);
}
bool Widget::handleText(const CharacterInputEvent& event)
{
    return pData->giveToSubWidgets(event);
}
bool Widget::handleButton(const MouseEvent& event)
{
    return pData->giveToSubWidgets(event);
}
bool Widget::handlePointerMove(const MotionEvent& event)
{
    return pData->giveToSubWidgets(event);
}
bool Widget::handleWheel(const ScrollEvent& event)
{
    return pData->giveToSubWidgets(event);
}
void Widget::handleResize(const ResizeEvent&)
{
}
void Widget::askWindowSize(unsigned, unsigned)
{
}

} // namespace Skein
