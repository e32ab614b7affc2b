// GLX for a view: the framebuffer configuration and the OpenGL 2 context, through
// "GLX_ARB_create_context" when the display offers it. Event-loop thread.
#include <GL/glx.h>

#include <cstring>

#include "X11ErrorHandler.h"
#include "X11Internal.h"

namespace Skein {

namespace {

bool hasGlxExtension(Display* display, int screen, const char* name)
{
    const char* extensions = glXQueryExtensionsString(display, screen);
    if (extensions == nullptr)
        return false;
    const size_t length = std::strlen(name);
    for (const char* p = std::strstr(extensions, name); p != nullptr; p = std::strstr(p + 1, name))
        if ((p == extensions || p[-1] == ' ') && (p[length] == ' ' || p[length] == '\0'))
            return true;
    return false;
}

} // namespace

GLXFBConfig chooseFramebufferConfig(Display* display, int screen)
{
    const int attributes[] = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
        GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_X_VISUAL_TYPE, GLX_TRUE_COLOR, GLX_SAMPLES, 0,
        GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_ALPHA_SIZE, 0, GLX_DEPTH_SIZE, 16,
        GLX_STENCIL_SIZE, 8, GLX_DOUBLEBUFFER, True, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attributes, &count);
    GLXFBConfig config = (configs != nullptr && count > 0) ? configs[0] : nullptr;
    if (configs != nullptr)
        XFree(configs);
    return config;
}

GLXContext createContext(Display* display, int screen, GLXFBConfig config)
{
    using CreateContextAttribs =
        GLXContext (*)(Display*, GLXFBConfig, GLXContext, Bool, const int*);
    GLXContext context = nullptr;
    if (hasGlxExtension(display, screen, "GLX_ARB_create_context")) {
        auto create = reinterpret_cast<CreateContextAttribs>(
            glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
        const int attributes[] = {GLX_CONTEXT_MAJOR_VERSION_ARB, 2, GLX_CONTEXT_MINOR_VERSION_ARB,
            0, GLX_CONTEXT_PROFILE_MASK_ARB, GLX_CONTEXT_COMPATIBILITY_PROFILE_BIT_ARB, None};
        if (create != nullptr) {
            ErrorTrap trap(display);
            context = create(display, config, nullptr, True, attributes);
            if (trap.failed() && context != nullptr) {
                glXDestroyContext(display, context);
                context = nullptr;
            }
        }
    }
    if (context == nullptr)
        context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, nullptr, True);
    return context;
}

} // namespace Skein
