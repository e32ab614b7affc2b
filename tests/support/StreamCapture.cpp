// Redirects a stream's descriptor into a temporary file while a capture lives. Test thread only.
#include "StreamCapture.h"

#include <unistd.h>

StreamCapture::StreamCapture(std::FILE* stream) : fStream(stream), fFile(std::tmpfile())
{
    std::fflush(fStream);
    fSaved = dup(fileno(fStream));
    dup2(fileno(fFile), fileno(fStream));
}

StreamCapture::~StreamCapture()
{
    restore();
    std::fclose(fFile);
}

std::string StreamCapture::text()
{
    restore();
    std::string captured;
    std::rewind(fFile);
    char chunk[256];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof(chunk), fFile)) > 0)
        captured.append(chunk, count);
    return captured;
}

void StreamCapture::restore()
{
    if (fSaved < 0)
        return;
    std::fflush(fStream);
    dup2(fSaved, fileno(fStream));
    close(fSaved);
    fSaved = -1;
}
