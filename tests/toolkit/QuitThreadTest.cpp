// A quit requested on another thread, seen by the thread sanitizer: only a flag crosses threads
// and the main thread's pump turns it into quitting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "skein/Application.h"

TEST(QuitThread, QuitRequestedOnAnotherThreadIsTakenUpByThePump)
{
    unsetenv("DISPLAY"); // the flag logic needs no server
    ::testing::internal::CaptureStderr();
    Skein::Application app(true);
    ::testing::internal::GetCapturedStderr();
    std::thread other([&app] { app.requestQuit(); });
    // The main thread keeps pumping while the request arrives.
    while (!app.isQuitting())
        app.pumpEvents(1);
    other.join();
    app.runLoop(1); // ends after one pump has turned the request into quitting
    EXPECT_TRUE(app.isQuitting());
}
