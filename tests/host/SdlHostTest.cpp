// SPDX-License-Identifier: GPL-3.0-or-later
#include "host/SdlHost.h"

#include "HostTest.h"
#include "PrivateXServer.h"
#include "foundation/RunLoop.h"
#include "ui/Animator.h"
#include "ui/TextField.h"

#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace florelle::testing {
namespace {

const char* const displayVariables[] = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER",
                                        "SDL_RENDER_DRIVER", "SDL_FRAMEBUFFER_ACCELERATION"};

// Writes down where each touch began.
class TouchRecorder : public View {
public:
    using View::View;
    void touchesBegan(const Touches& touches, const Event&) override {
        for (const auto& touch : touches) {
            began.push_back(touch->locationInWindow());
        }
    }
    std::vector<Point> began;
};

void pushClick(int x, int y, Uint32 which = 0) {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
        SDL_Event event{};
        event.type = type;
        event.button.which = which;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = x;
        event.button.y = y;
        SDL_PushEvent(&event);
    }
}

void pushFingerTap(float x, float y, SDL_TouchID device = 1) {
    for (Uint32 type : {SDL_FINGERDOWN, SDL_FINGERUP}) {
        SDL_Event event{};
        event.type = type;
        event.tfinger.touchId = device;
        event.tfinger.fingerId = 4;
        event.tfinger.x = x;
        event.tfinger.y = y;
        SDL_PushEvent(&event);
    }
}

// A real window on an X server of the test's own. The events the window
// system would send are pushed into SDL's queue one step at a time, each
// step after the host handled the previous step's events.
class SdlHostTest : public DiaryTest {
protected:
    void SetUp() override {
        DiaryTest::SetUp();
        for (const char* name : displayVariables) {
            if (const char* value = std::getenv(name)) {
                saved_[name] = value;
            }
            unsetenv(name);
        }
    }

    void TearDown() override {
        for (const char* name : displayVariables) {
            unsetenv(name);
        }
        for (const auto& [name, value] : saved_) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        DiaryTest::TearDown();
    }

    // Runs the steps, then closes the window.
    void play(SdlHost& host, const std::shared_ptr<ApplicationDelegate>& delegate,
              std::vector<std::function<bool()>> steps) {
        std::size_t next = 0;
        std::function<void()> step = [&] {
            // A step that answers false is tried again in the next round.
            if (steps[next]()) {
                ++next;
            }
            if (next < steps.size()) {
                RunLoop::current().post(step);
            } else {
                SDL_Event quit{};
                quit.type = SDL_QUIT;
                SDL_PushEvent(&quit);
            }
        };
        RunLoop::current().post(step);
        host.run(delegate);
    }

    std::map<std::string, std::string> saved_;
};

TEST_F(SdlHostTest, PointerAndFingersTouchTheScreensPointsAndTextInputFollowsTheField) {
    PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "the window tests need Xvfb";
    setenv("DISPLAY", server.display().c_str(), 1);
    // The same pixels as through OpenGL, without loading a GL driver.
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);

    std::shared_ptr<TouchRecorder> recorder;
    auto delegate = std::make_shared<TreeDelegate>([&](Window& window) {
        recorder = std::make_shared<TouchRecorder>(Rect(0, 0, 320, 400));
        window.addSubview(recorder);
        window.addSubview(std::make_shared<TextField>(Rect(20, 420, 280, 31)));
    });
    SdlHost host(1.5);
    bool textInputBefore = true;
    bool textInputAfter = false;
    int rounds = 0;
    auto outputSizeIs = [](int width, int height) {
        int w = 0;
        int h = 0;
        SDL_GetRendererOutputSize(SDL_GetRenderer(SDL_GetWindowFromID(1)), &w, &h);
        return w == width && h == height;
    };
    play(host, delegate,
         {
             [&] {
                 textInputBefore = SDL_IsTextInputActive();
                 // 480 × 720 pixels: 1.5 per point.
                 pushClick(150, 300);
                 // Mouse events SDL made up from a finger, and touches it
                 // made up from the mouse, are not touches of their own.
                 pushClick(30, 30, SDL_TOUCH_MOUSEID);
                 pushFingerTap(0.1f, 0.1f, SDL_MOUSE_TOUCHID);
                 pushFingerTap(0.5f, 0.25f);
                 return true;
             },
             [&] {
                 SDL_SetWindowSize(SDL_GetWindowFromID(1), 720, 1440);
                 return true;
             },
             [&] {
                 // The window system answers in its own time.
                 if (!outputSizeIs(720, 1440) && ++rounds < 5000) {
                     return false;
                 }
                 SDL_Event resized{};
                 resized.type = SDL_WINDOWEVENT;
                 resized.window.event = SDL_WINDOWEVENT_SIZE_CHANGED;
                 SDL_PushEvent(&resized);
                 return true;
             },
             [&] {
                 // 2.25 pixels a point, 180 pixels of bar above.
                 pushClick(360, 405);
                 pushFingerTap(0.25f, 0.6875f);
                 pushClick(360, 180 + 435 * 9 / 4);
                 return true;
             },
             [] { return true; },
             [&] {
                 textInputAfter = SDL_IsTextInputActive();
                 return true;
             },
         });

    EXPECT_FALSE(textInputBefore) << "no field is being edited";
    EXPECT_TRUE(textInputAfter) << "the tapped field is being edited";
    EXPECT_EQ(recorder->began, (std::vector<Point>{{100, 200}, {160, 120}, {160, 100}, {80, 360}}));
}

void pushWindowEvent(Uint8 happening) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = happening;
    SDL_PushEvent(&event);
}

TEST_F(SdlHostTest, WhileTheWindowIsHiddenNoAnimationTicksAndNothingIsDrawn) {
    PrivateXServer server;
    ASSERT_FALSE(server.display().empty()) << "the window tests need Xvfb";
    setenv("DISPLAY", server.display().c_str(), 1);

    std::shared_ptr<View> mover;
    auto delegate = std::make_shared<TreeDelegate>([&](Window& window) {
        mover = std::make_shared<View>(Rect(0, 100, 40, 40));
        mover->setBackgroundColor(Color(0.8, 0.2, 0.3));
        window.addSubview(mover);
    });
    SdlHost host(1);
    std::ostringstream frames;
    host.setFrameLog(&frames);
    long ticksBefore = 0;
    long hiddenTicks = -1;
    std::string hiddenFrames;
    int frameSteps = 0;
    // The test's clock moves a frame each round.
    auto nextFrame = [&] {
        clock_->advance(Animator::frameInterval);
        return ++frameSteps;
    };
    play(host, delegate,
         {
             [&] {
                 pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
                 pushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
                 return true;
             },
             [&] {
                 frames.str("");
                 ticksBefore = Animator::shared().tickCount();
                 // A second across the window: a pixel a frame and more.
                 View::animate(1, 0, AnimationCurve::linear, [&] {
                     mover->setCenter(Point{300, 120});
                 });
                 return true;
             },
             [&] { return nextFrame() == 24; },
             [&] {
                 hiddenTicks = Animator::shared().tickCount() - ticksBefore;
                 hiddenFrames = frames.str();
                 pushWindowEvent(SDL_WINDOWEVENT_SHOWN);
                 pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
                 ticksBefore = Animator::shared().tickCount();
                 return true;
             },
             [&] { return nextFrame() > 24 && Animator::shared().tickCount() - ticksBefore >= 3; },
         });

    EXPECT_EQ(hiddenTicks, 0);
    EXPECT_EQ(hiddenFrames, "");
    EXPECT_NE(frames.str(), "") << "drawn again once shown";
    EXPECT_GT(mover->presentationCenter().x, 20 + 280 * 0.4) << "where it would be by then";

    // Closed while hidden, the window leaves the clock running for others.
    pushWindowEvent(SDL_WINDOWEVENT_HIDDEN);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    host.run(delegate);
    auto loose = std::make_shared<View>(Rect(0, 0, 40, 40));
    View::animate(1, [&] { loose->setCenter(Point{300, 120}); });
    long ticks = Animator::shared().tickCount();
    for (int frame = 0; frame < 5; ++frame) {
        clock_->advance(Animator::frameInterval);
        RunLoop::current().runOnce();
    }
    EXPECT_GE(Animator::shared().tickCount() - ticks, 4);
}

} // namespace
} // namespace florelle::testing
