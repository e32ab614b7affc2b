// Frame capture to a P3 picture, rows from the top of the window down. Event-loop thread.
#include "FramePicture.h"

#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "support/SoftAssert.h"

namespace Skein {

void writeFramePicture(const char* fileName, unsigned width, unsigned height)
{
    std::FILE* f = std::fopen(fileName, "w");
    SOFT_ASSERT_RETURN(f != nullptr, "src/OpenGL", 785, );
    glFlush();
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height), GL_RGB,
        GL_UNSIGNED_BYTE, pixels.data());
    std::fprintf(f, "P3\n%d %d\n255\n", static_cast<int>(width), static_cast<int>(height));
    // OpenGL rows start at the bottom.
    for (unsigned row = height; row-- > 0;) {
        const unsigned char* p = pixels.data() + static_cast<size_t>(row) * width * 3;
        for (unsigned x = 0; x < width; ++x, p += 3)
            std::fprintf(f, "%3d %3d %3d ", p[0], p[1], p[2]);
        std::fputc('\n', f);
    }
    std::fclose(f);
}

} // namespace Skein
