// OpenGL helpers of the geometry types; need a current context. Event-loop thread.
#include "skein/Geometry.h"

#include <GL/gl.h>

#include "support/SoftAssert.h"

namespace Skein {

template <typename T> void Line<T>::draw(T width) const
{
    SOFT_ASSERT_RETURN(posStart != posEnd, "src/OpenGL", __LINE__, );
    SOFT_ASSERT_RETURN(width != 0, "src/OpenGL", __LINE__, );
    glLineWidth(static_cast<GLfloat>(width));
    glBegin(GL_LINES);
    glVertex2d(static_cast<double>(posStart.x), static_cast<double>(posStart.y));
    glVertex2d(static_cast<double>(posEnd.x), static_cast<double>(posEnd.y));
    glEnd();
}

void Color::setFor() const
{
    glColor4f(red, green, blue, alpha);
}

template struct Line<int>;
template struct Line<unsigned>;
template struct Line<double>;

} // namespace Skein
