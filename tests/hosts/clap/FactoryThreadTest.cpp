// Several host threads creating, activating and destroying instances of the loaded module at
// once: the factory is thread-safe, so each instance starts at the rate it was activated with.
#include "ClapLibrary.h"
#include "HostContext.h"
#include "PluginInstance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

TEST(ClapFactoryThreads, InstancesAreCreatedAndActivatedOnManyThreadsAtOnce)
{
    ClapLibrary library;
    std::string error;
    ASSERT_TRUE(library.open(VANTOREL_CLAP_PATH, error)) << error;
    HostContext host;
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 8; ++i) {
                PluginInstance instance;
                std::string why;
                if (!instance.create(*library.factory(), *host.host(), why) ||
                    !instance.activate(44100.0 + 100.0 * t, 1, 64 << (i % 3)))
                    failures.fetch_add(1);
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
}

} // namespace
