// Small value types for widget geometry and the OpenGL helpers that draw lines and set colours.
// Drawing helpers need the window's OpenGL context current (event-loop thread): [main-thread].
#pragma once

namespace Skein {

template <typename T> struct Point {
    T x{}, y{};
    bool operator==(const Point& other) const noexcept { return x == other.x && y == other.y; }
    bool operator!=(const Point& other) const noexcept { return !(*this == other); }
};

template <typename T> struct Size {
    T width{}, height{};
    bool operator==(const Size& other) const noexcept
    {
        return width == other.width && height == other.height;
    }
    bool operator!=(const Size& other) const noexcept { return !(*this == other); }
    bool isValid() const noexcept { return width > 1 && height > 1; }
};

template <typename T> struct Rectangle {
    Point<T> pos;
    Size<T> size;
    // Edges are inclusive on the top-left and exclusive on the bottom-right side.
    template <typename U> bool hitTest(const Point<U>& p) const noexcept
    {
        return p.x >= pos.x && p.y >= pos.y && p.x < pos.x + size.width &&
            p.y < pos.y + size.height;
    }
};

template <typename T> struct Line {
    Point<T> posStart, posEnd;
    // Draws with the current colour; refuses an empty line or a zero width.
    void draw(T width) const;
};

struct Color {
    float red = 1.0f, green = 1.0f, blue = 1.0f, alpha = 1.0f;
    // Makes this the current OpenGL drawing colour.
    void setFor() const;
};

extern template struct Line<int>;
extern template struct Line<unsigned>;
extern template struct Line<double>;

} // namespace Skein
