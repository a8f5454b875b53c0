// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/VideoDriverChoice.h"

#include "PrivateXServer.h"
#include "host/SdlHandles.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <thread>
#include <wayland-server.h>

namespace florelle::testing {
namespace {

using Globals = std::vector<std::string>;

TEST(VideoDriverChoiceTest, WaylandOnlyWhereTheCompositorOffersASeat) {
    struct Row {
        std::optional<Globals> globals;
        bool x11Named;
        const char* drivers;
        const char* reason;
    };
    const char* x11Instead = "the Wayland compositor offers no input seat; using X11 instead";
    const char* noSeat = "the Wayland compositor offers no input seat";
    const Row rows[] = {
        {Globals{"wl_compositor", "wl_shm", "wl_seat", "xdg_wm_base"}, true, "wayland,x11", ""},
        {Globals{"wl_compositor", "wl_seat"}, false, "wayland,x11", ""},
        {Globals{"wl_compositor", "wl_shm", "xdg_wm_base"}, true, "x11", x11Instead},
        {Globals{"wl_compositor", "wl_seat_v2"}, false, "", noSeat},
        {Globals{}, false, "", noSeat},
        {std::nullopt, true, "x11", ""},
        {std::nullopt, false, "x11", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.globals ? row.globals->size() : 99) +
                     (row.x11Named ? " with X11" : " without X11"));
        auto choice = VideoDriverChoice::choose(row.globals, row.x11Named);
        EXPECT_EQ(choice.drivers, row.drivers);
        EXPECT_EQ(choice.reason, row.reason);
    }
}

// A Wayland compositor of the test's own that offers the given globals and
// does nothing else, on a socket in a private runtime folder that the
// environment names while it lives.
class FakeCompositor {
public:
    explicit FakeCompositor(const std::vector<const wl_interface*>& globals)
        : display_(wl_display_create()), runtime_("XDG_RUNTIME_DIR", folder_.path().c_str()),
          socket_("WAYLAND_DISPLAY", wl_display_add_socket_auto(display_)) {
        for (const wl_interface* interface : globals) {
            wl_global_create(display_, interface, 1, const_cast<wl_interface*>(interface),
                             [](wl_client* client, void* data, uint32_t version, uint32_t id) {
                                 wl_resource_create(client, static_cast<wl_interface*>(data),
                                                    static_cast<int>(version), id);
                             });
        }
        thread_ = std::thread([this] { wl_display_run(display_); });
    }
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;
    ~FakeCompositor() {
        wl_display_terminate(display_);
        thread_.join();
        wl_display_destroy(display_);
    }

private:
    TempDirectory folder_;
    wl_display* display_;
    EnvironmentGuard runtime_;
    EnvironmentGuard socket_;
    std::thread thread_;
};

class SeatCheckTest : public ::testing::Test {
protected:
    EnvironmentGuard driver_{"SDL_VIDEODRIVER", nullptr};
    EnvironmentGuard display_{"DISPLAY", nullptr};
};

TEST_F(SeatCheckTest, TheCompositorsGlobalsAreReadOverItsSocket) {
    {
        FakeCompositor compositor({&wl_compositor_interface, &wl_seat_interface});
        EXPECT_EQ(readWaylandGlobals(), (Globals{"wl_compositor", "wl_seat"}));
    }
    EnvironmentGuard gone("WAYLAND_DISPLAY", "/nonexistent/florelle-compositor");
    EXPECT_EQ(readWaylandGlobals(), std::nullopt);
}

TEST_F(SeatCheckTest, WithoutASeatTheWindowFallsBackWithAReasonInsteadOfCrashing) {
    FakeCompositor compositor({&wl_compositor_interface, &wl_shm_interface});
    try {
        SdlVideo video("org.florelle.Test");
        ADD_FAILURE() << "started on " << SDL_GetCurrentVideoDriver();
    } catch (const std::runtime_error& failure) {
        EXPECT_STREQ(failure.what(), "the Wayland compositor offers no input seat");
    }

    PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "the window tests need Xvfb";
    EnvironmentGuard x11("DISPLAY", server.display().c_str());
    ::testing::internal::CaptureStderr();
    {
        SdlVideo video("org.florelle.Test");
        EXPECT_STREQ(SDL_GetCurrentVideoDriver(), "x11");
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "Florelle: the Wayland compositor offers no input seat; using X11 instead.\n");
}

} // namespace
} // namespace florelle::testing
