// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/LoopDescriptorWatch.h"

#include "foundation/FileDescriptor.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace florelle {
namespace {

// SDL's event wait ends for a descriptor of the run loop that became ready
// while it slept, and disarming ends a watch that saw nothing.
TEST(LoopDescriptorWatchTest, ADescriptorThatBecomesReadyEndsSdlsWait) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0) << SDL_GetError();
    {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        FileDescriptor reading(ends[0]);
        FileDescriptor writing(ends[1]);
        LoopDescriptorWatch watch;
        ASSERT_NE(watch.eventType(), 0u);

        watch.arm({{reading.get(), POLLIN, 0}});
        SDL_Event event{};
        EXPECT_EQ(SDL_WaitEventTimeout(&event, 50), 0) << "nothing was ready";
        watch.disarm();

        watch.arm({{reading.get(), POLLIN, 0}});
        std::thread writer([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            char byte = 1;
            EXPECT_EQ(::write(writing.get(), &byte, 1), 1);
        });
        // Far longer than the write takes, short of hanging the test.
        ASSERT_EQ(SDL_WaitEventTimeout(&event, 20000), 1);
        EXPECT_EQ(event.type, watch.eventType());
        watch.disarm();
        writer.join();
    }
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

} // namespace
} // namespace florelle
