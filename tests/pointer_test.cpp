// The pointer on screens of every size: slow mouse movement is never lost,
// and the clamp still holds the hidden system pointer at the edges.
#include <gtest/gtest.h>

#include <cmath>

#include "app/shell.h"
#include "platform/pointer.h"
#include "platform/scaler.h"
#include "tests/harness.h"

using namespace kalup;

namespace {

// The mouse as the window reports it: whole window pixels, converted like
// the game's window does, at the scale of a full screen of some size.
class WindowMouse : public harness::ScriptedBackend {
public:
    double scale = 1.0;
    double windowX = 0.0;
    double windowY = 0.0;
    int writes = 0;

    void cursor(double& x, double& y) override
    {
        x = scaler::toLogical(windowX, scale);
        y = scaler::toLogical(windowY, scale);
    }
    void setCursor(double x, double y) override
    {
        windowX = scaler::toWindow(x, scale);
        windowY = scaler::toWindow(y, scale);
        ++writes;
    }
};

class Pointer : public testing::Test {
protected:
    WindowMouse mouse;

    void SetUp() override
    {
        harness::needResources();
        seam::install(&mouse);
        shell::screenState = shell::SCREEN_MENU;
        shell::quitRequested = false;
        mouse.time = 1.0;
    }
    void TearDown() override { harness::resetInput(); }

    // The window pixels of a logical point at this scale.
    void placeAt(double x, double y)
    {
        mouse.windowX = std::round(scaler::toWindow(x, mouse.scale));
        mouse.windowY = std::round(scaler::toWindow(y, mouse.scale));
    }
    void frames(int count, double stepX = 0, double stepY = 0)
    {
        for (int i = 0; i < count; ++i) {
            mouse.windowX += stepX;
            mouse.windowY += stepY;
            ASSERT_TRUE(shell::runFrame());
        }
    }
};

} // namespace

// Full screens of 800 x 600, 1920 x 1080, 2560 x 1440 and 3840 x 2160.
TEST_F(Pointer, OnePixelAFrameMovesByTheTrueDistanceAtEveryScale)
{
    for (double scale : {1.0, 1.8, 2.4, 3.6}) {
        SCOPED_TRACE(scale);
        mouse.scale = scale;
        for (double pixelsPerFrame : {1.0, 2.0}) {
            placeAt(100, 100);
            frames(1);
            const int startX = pointer::mouseX;
            const int startY = pointer::mouseY;
            frames(70, pixelsPerFrame, pixelsPerFrame);
            const double expected = 70 * pixelsPerFrame / scale;
            EXPECT_NEAR(pointer::mouseX - startX, expected, 1.0) << pixelsPerFrame << " pixels a frame";
            EXPECT_NEAR(pointer::mouseY - startY, expected, 1.0) << pixelsPerFrame << " pixels a frame";
        }
    }
}

TEST_F(Pointer, ARestingMouseIsNeitherMovedNorWrittenTo)
{
    mouse.scale = 2.4;
    placeAt(333.3, 222.2);
    frames(1);
    const double windowX = mouse.windowX;
    const int x = pointer::mouseX;
    const int writes = mouse.writes;
    frames(200);
    EXPECT_EQ(pointer::mouseX, x);
    EXPECT_EQ(mouse.windowX, windowX);
    EXPECT_EQ(mouse.writes, writes) << "a pointer inside the screen is left to the mouse";
}

TEST_F(Pointer, TheClampHoldsTheMouseAtTheEdgesAndTheWayBackStartsThere)
{
    for (double scale : {1.0, 1.8, 3.6}) {
        SCOPED_TRACE(scale);
        mouse.scale = scale;
        placeAt(790, 10);
        frames(40, 3, -3);
        EXPECT_EQ(pointer::mouseX, 800);
        EXPECT_EQ(pointer::mouseY, 0);
        EXPECT_DOUBLE_EQ(mouse.windowX, scaler::toWindow(800, scale)) << "written back at the edge";
        EXPECT_DOUBLE_EQ(mouse.windowY, 0.0);
        // Pushed on past the edge, the first step back leaves it at once.
        frames(1, -1, std::ceil(scale));
        EXPECT_EQ(pointer::mouseX, 799);
        EXPECT_EQ(pointer::mouseY, 1);
    }
}
