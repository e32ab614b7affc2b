// Public face of a window: visibility, size rules, scale, idle tasks, clipboard and capture.
// Event-loop thread.
#include "skein/Window.h"

#include <GL/gl.h>

#include <cfloat>
#include <cmath>

#include "SizeRules.h"
#include "View.h"
#include "WindowPrivateData.h"
#include "skein/TopLevelWidget.h"
#include "support/SoftAssert.h"

namespace Skein {

namespace {
constexpr const char* kFile = "src/Window";
}

Window::Window(Application& app, uintptr_t parentWindowHandle, unsigned width, unsigned height,
    double scaleFactor, bool resizable, bool usesSizeRequest)
    : pData(new PrivateData(
          app, this, parentWindowHandle, width, height, scaleFactor, resizable, usesSizeRequest))
{
}

Window::~Window()
{
    delete pData;
}

Application& Window::application() const noexcept
{
    return pData->app;
}
bool Window::isEmbed() const noexcept
{
    return pData->isEmbed;
}
bool Window::isVisible() const noexcept
{
    return pData->isVisible;
}
bool Window::isResizable() const noexcept
{
    return pData->view != nullptr && pData->view->isResizable();
}
uintptr_t Window::nativeWindowHandle() const noexcept
{
    return pData->view != nullptr ? pData->view->nativeHandle() : 0;
}
double Window::scaleFactor() const noexcept
{
    return pData->scaleFactor;
}

bool Window::realize()
{
    return pData->realize();
}
void Window::makeVisible()
{
    pData->show();
}
void Window::makeHidden()
{
    pData->hide();
}
void Window::closeWindow()
{
    pData->close();
}

unsigned Window::pixelWidth() const
{
    SOFT_ASSERT_RETURN(pData->view != nullptr, kFile, 222, 0);
    return pData->view->frameWidth();
}

unsigned Window::pixelHeight() const
{
    SOFT_ASSERT_RETURN(pData->view != nullptr, kFile, 231, 0);
    return pData->view->frameHeight();
}

Size<unsigned> Window::pixelSize() const
{
    SOFT_ASSERT_RETURN(pData->view != nullptr, kFile, 240, Size<unsigned>{});
    return {pData->view->frameWidth(), pData->view->frameHeight()};
}

void Window::setPixelSize(unsigned width, unsigned height)
{
    SOFT_ASSERT_VALUES_RETURN(width > 1 && height > 1, kFile, 261, width, height, );
    if (pData->isEmbed) {
        const SizeConstraints constraints{pData->minWidth, pData->minHeight, pData->keepAspectRatio,
            pData->autoScaling, pData->scaleFactor};
        const Size<unsigned> size = constrainEmbeddedSize(width, height, constraints);
        width = size.width;
        height = size.height;
    }
    if (pData->usesSizeRequest) {
        SOFT_ASSERT_RETURN(pData->topLevelWidgets.size() != 0, kFile, 303, );
        SOFT_ASSERT_RETURN(pData->topLevelWidget != nullptr, kFile, 306, );
        pData->topLevelWidget->askWindowSize(width, height);
        return;
    }
    setSizeFromHost(width, height);
}

void Window::setSizeFromHost(unsigned width, unsigned height)
{
    SOFT_ASSERT_RETURN(pData->view != nullptr, kFile, __LINE__, );
    SOFT_ASSERT_VALUES_RETURN(width > 1 && height > 1, kFile, __LINE__, width, height, );
    pData->view->setSize(width, height);
}

void Window::setSizeLimits(unsigned minimumWidth, unsigned minimumHeight, bool keepAspectRatio,
    bool automaticallyScale, bool resizeNow)
{
    SOFT_ASSERT_RETURN(minimumWidth > 0, kFile, 460, );
    SOFT_ASSERT_RETURN(minimumHeight > 0, kFile, 461, );
    pData->minWidth = minimumWidth;
    pData->minHeight = minimumHeight;
    pData->keepAspectRatio = keepAspectRatio;
    pData->autoScaling = automaticallyScale;
    View* view = pData->view;
    if (view == nullptr)
        return;
    const double scale = pData->scaleFactor;
    if (scale != 1.0 && automaticallyScale) {
        view->setMinimumSize(static_cast<unsigned>(minimumWidth * scale),
            static_cast<unsigned>(minimumHeight * scale), keepAspectRatio);
        if (resizeNow)
            setPixelSize(roundToUnsigned(view->frameWidth() * scale),
                roundToUnsigned(view->frameHeight() * scale));
    } else {
        view->setMinimumSize(minimumWidth, minimumHeight, keepAspectRatio);
    }
}

Size<unsigned> Window::sizeLimits(bool& keepAspectRatio) const noexcept
{
    keepAspectRatio = pData->keepAspectRatio;
    return {pData->minWidth, pData->minHeight};
}

void Window::setCaption(const char* text)
{
    SOFT_ASSERT_RETURN(text != nullptr, kFile, __LINE__, );
    if (pData->view != nullptr)
        pData->view->setTitle(text);
}

void Window::setOwnerWindow(uintptr_t handle)
{
    if (pData->view != nullptr)
        pData->view->setTransientFor(handle);
}

void Window::setIgnoreIdleCallbacks(bool ignore) noexcept
{
    pData->ignoreIdleCallbacks = ignore;
}

void Window::requestRedraw()
{
    if (pData->view != nullptr)
        pData->view->postRedisplay();
}

bool Window::enterContext()
{
    return pData->view != nullptr && pData->view->enterContext();
}

void Window::leaveContext()
{
    if (pData->view != nullptr)
        pData->view->leaveContext();
}

bool Window::registerIdleTask(IdleCallback* callback, unsigned periodMs)
{
    if (pData->ignoreIdleCallbacks || pData->view == nullptr)
        return false;
    SOFT_ASSERT_RETURN(callback != nullptr, kFile, __LINE__, false);
    if (periodMs == 0) {
        pData->app.registerIdleTask(callback);
        return true;
    }
    return pData->view->startTimer(reinterpret_cast<uintptr_t>(callback), periodMs * 0.001);
}

bool Window::unregisterIdleTask(IdleCallback* callback)
{
    if (pData->ignoreIdleCallbacks || pData->view == nullptr)
        return false;
    auto& list = pData->appData->idleCallbacks;
    for (auto it = list.begin(); it != list.end(); ++it)
        if (*it == callback) {
            list.erase(it);
            return true;
        }
    return pData->view->stopTimer(reinterpret_cast<uintptr_t>(callback));
}

bool Window::offerClipboard(const char* type, const void* data, size_t size)
{
    if (pData->view == nullptr)
        return false;
    return pData->view->offerClipboard(type != nullptr ? type : "text/plain", data, size);
}

const void* Window::fetchClipboard(size_t& size)
{
    return pData->fetchClipboard(size);
}

std::vector<Window::ClipboardType> Window::clipboardTypes() const
{
    std::vector<ClipboardType> types;
    if (pData->view == nullptr)
        return types;
    unsigned id = 0;
    for (const std::string& name : pData->view->clipboardOfferTypes())
        types.push_back({++id, name});
    return types;
}

void Window::captureNextFrame(const char* fileName)
{
    SOFT_ASSERT_RETURN(fileName != nullptr, kFile, __LINE__, );
    pData->pictureFileName = fileName;
    requestRedraw();
}

unsigned Window::onClipboardDataOffer()
{
    unsigned fallback = 0;
    for (const ClipboardType& type : clipboardTypes()) {
        if (type.type == "text/plain")
            return type.id;
        if (type.type == "UTF8_STRING")
            fallback = type.id;
    }
    return fallback;
}

bool Window::onClose()
{
    return true;
}
void Window::onFocus(bool, CrossingMode)
{
}
void Window::onScaleFactorChanged(double)
{
}

void Window::onReshape(unsigned width, unsigned height)
{
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, 0.0, 1.0);
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

} // namespace Skein
