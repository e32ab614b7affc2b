// Writes the current OpenGL frame as a text PPM (P3) picture; needs the window's context
// current. Event-loop thread.
#pragma once

namespace Skein {

void writeFramePicture(const char* fileName, unsigned width, unsigned height);

} // namespace Skein
