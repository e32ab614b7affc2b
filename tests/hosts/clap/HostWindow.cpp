// Parent window, pixels and dial finding of the editor tests. Test thread only.
#include "HostWindow.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

HostWindow::HostWindow(SkeinTest::TestClient& client, unsigned width, unsigned height)
    : fDisplay(client.display()), fWidth(width), fHeight(height)
{
    fWindow = XCreateSimpleWindow(fDisplay, DefaultRootWindow(fDisplay), 0, 0, width, height, 0, 0,
        WhitePixel(fDisplay, DefaultScreen(fDisplay)));
    XMapWindow(fDisplay, fWindow);
    XSync(fDisplay, False);
}

HostWindow::~HostWindow()
{
    destroy();
}

void HostWindow::destroy()
{
    if (fWindow == 0)
        return;
    XDestroyWindow(fDisplay, fWindow);
    XSync(fDisplay, False);
    fWindow = 0;
}

void HostWindow::resize(unsigned width, unsigned height)
{
    XResizeWindow(fDisplay, fWindow, width, height);
    XSync(fDisplay, False);
    fWidth = width;
    fHeight = height;
}

std::vector<uintptr_t> HostWindow::children() const
{
    ::Window root = 0, parent = 0, *list = nullptr;
    unsigned count = 0;
    std::vector<uintptr_t> result;
    if (XQueryTree(fDisplay, fWindow, &root, &parent, &list, &count) != 0) {
        result.assign(list, list + count);
        XFree(list);
    }
    return result;
}

SkeinTest::Picture HostWindow::pixels() const
{
    SkeinTest::Picture picture;
    XImage* const image = XGetImage(fDisplay, fWindow, 0, 0, fWidth, fHeight, AllPlanes, ZPixmap);
    if (image == nullptr)
        return picture;
    picture.width = static_cast<int>(fWidth);
    picture.height = static_cast<int>(fHeight);
    picture.rgb.resize(static_cast<size_t>(fWidth) * fHeight * 3);
    for (unsigned y = 0; y < fHeight; ++y)
        for (unsigned x = 0; x < fWidth; ++x) {
            const unsigned long pixel = XGetPixel(image, static_cast<int>(x), static_cast<int>(y));
            int* const rgb = &picture.rgb[(static_cast<size_t>(y) * fWidth + x) * 3];
            rgb[0] = static_cast<int>(pixel >> 16 & 0xFF);
            rgb[1] = static_cast<int>(pixel >> 8 & 0xFF);
            rgb[2] = static_cast<int>(pixel & 0xFF);
        }
    XDestroyImage(image);
    return picture;
}

namespace {

unsigned halved(unsigned hex)
{
    return (hex >> 17 & 0x7F) << 16 | (hex >> 9 & 0x7F) << 8 | (hex >> 1 & 0x7F);
}

} // namespace

std::vector<DialSpot> findDials(const SkeinTest::Picture& picture, bool dayan)
{
    // The ring around each dial's centre is the idle colour halved.
    const unsigned ring = halved(dayan ? kDayanIdle : kBayaIdle);
    const int xBegin = dayan ? 0 : picture.width / 2;
    const int xEnd = dayan ? picture.width / 2 : picture.width;
    std::vector<DialSpot> dials;
    int top = -1, bottom = -1, left = picture.width, right = -1;
    // A ring is as tall as it is wide; text edges in the step strips may touch its colour too.
    auto close = [&] {
        const int height = bottom - top, width = right - left;
        if (top >= 0 && height > 4 && std::abs(height - width) * 4 < width)
            dials.push_back({(left + right) / 2.0, (top + bottom) / 2.0, (right - left) / 1.2});
        top = -1;
        left = picture.width;
        right = -1;
    };
    for (int y = 0; y < picture.height; ++y) {
        bool found = false;
        for (int x = xBegin; x < xEnd; ++x)
            if (nearColour(picture.at(x, y), ring, 2)) {
                found = true;
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (found) {
            if (top < 0)
                top = y;
            bottom = y;
        } else if (top >= 0 && y - bottom > 3) {
            close();
        }
    }
    close();
    return dials;
}

bool dialShows(const SkeinTest::Picture& picture, const DialSpot& dial, bool dayan, double t)
{
    // Halfway along the pointer, which sweeps 270 degrees from the lower left.
    const double angle = 2.3561945 + t * 4.712389;
    const double r = 0.5 * dial.radius;
    const int x = static_cast<int>(std::lround(dial.x + std::cos(angle) * r));
    const int y = static_cast<int>(std::lround(dial.y + std::sin(angle) * r));
    return nearColour(picture.at(x, y), dayan ? kDayanIdle : kBayaIdle, 3);
}
