#include <GL/gl.h>
#include <gtest/gtest.h>

#include "platform/display.h"
#include "platform/scaler.h"
#include "tests/harness.h"

using kalup::scaler::Area;
using kalup::scaler::fitLogicalScreen;
using kalup::scaler::toLogical;
using kalup::scaler::toWindow;
using kalup::scaler::windowUnitsPerLogical;

namespace {

void expectArea(const Area& area, int x, int y, int width, int height)
{
    EXPECT_EQ(area.x, x);
    EXPECT_EQ(area.y, y);
    EXPECT_EQ(area.width, width);
    EXPECT_EQ(area.height, height);
}

struct WindowSize {
    int width;
    int height;
};
constexpr WindowSize MONITORS[] = {{800, 600}, {1024, 768}, {1280, 720}, {1366, 768}, {1280, 1024}, {1920, 1080},
    {2560, 1440}, {3840, 2160}};

} // namespace

TEST(LogicalScreenFit, FourByThreeWindowIsFilledWithoutBars)
{
    expectArea(fitLogicalScreen(800, 600), 0, 0, 800, 600);
    expectArea(fitLogicalScreen(1024, 768), 0, 0, 1024, 768);
    expectArea(fitLogicalScreen(1600, 1200), 0, 0, 1600, 1200);
}

TEST(LogicalScreenFit, WideMonitorGetsBarsLeftAndRight)
{
    expectArea(fitLogicalScreen(1920, 1080), 240, 0, 1440, 1080);
    expectArea(fitLogicalScreen(1280, 720), 160, 0, 960, 720);
    expectArea(fitLogicalScreen(1366, 768), 171, 0, 1024, 768);
}

TEST(LogicalScreenFit, TallMonitorGetsBarsAboveAndBelow)
{
    expectArea(fitLogicalScreen(1280, 1024), 0, 32, 1280, 960);
    expectArea(fitLogicalScreen(600, 800), 0, 175, 600, 450);
}

TEST(PointerMapping, PlainWindowIsOneToOne)
{
    const double scale = windowUnitsPerLogical(800, 600);
    EXPECT_DOUBLE_EQ(scale, 1.0);
    EXPECT_EQ(toLogical(437.0, scale), 437);
    EXPECT_DOUBLE_EQ(toWindow(437, scale), 437.0);
}

// The game writes the clamped pointer back every frame; a position that came
// back one unit off would make a resting cursor creep across the screen.
TEST(PointerMapping, WrittenBackPositionReadsTheSameOnEveryMonitor)
{
    for (const auto& monitor : MONITORS) {
        const double scale = windowUnitsPerLogical(monitor.width, monitor.height);
        for (int x = -50; x <= 850; ++x)
            ASSERT_EQ(toLogical(toWindow(x, scale), scale), x) << monitor.width << "x" << monitor.height;
    }
}

TEST(PointerMapping, CrossingThePictureSpansTheLogicalScreen)
{
    for (const auto& monitor : MONITORS) {
        const Area area = fitLogicalScreen(monitor.width, monitor.height);
        const double scale = windowUnitsPerLogical(monitor.width, monitor.height);
        EXPECT_EQ(toLogical(area.width, scale), 800) << monitor.width << "x" << monitor.height;
        EXPECT_EQ(toLogical(area.height, scale), 600) << monitor.width << "x" << monitor.height;
    }
}

TEST(HiddenDisplay, DrawsIntoTheLogicalScreenAndReadsBack)
{
    harness::needDisplay();
    kalup::display::beginFrame();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));

    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 600, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // An opaque red square in the upper left corner of the screen.
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(100, 0);
    glVertex2f(100, 100);
    glVertex2f(0, 100);
    glEnd();
    unsigned char inside[4] = {};
    unsigned char outside[4] = {};
    glReadPixels(50, 600 - 50, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, inside);
    glReadPixels(700, 100, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, outside);
    glPopAttrib();
    glClear(GL_COLOR_BUFFER_BIT);

    EXPECT_EQ(inside[0], 255);
    EXPECT_EQ(inside[2], 0);
    EXPECT_EQ(outside[0], 0);
    EXPECT_EQ(outside[2], 255);
}

TEST(HiddenDisplay, AudioFindsTheWindowByItsTitle)
{
    harness::needDisplay();
    EXPECT_NE(kalup::display::findWindow("Kalup"), nullptr);
    EXPECT_EQ(kalup::display::findWindow("Kalup Game"), nullptr);
    EXPECT_EQ(kalup::display::findWindow(nullptr), nullptr);
}

TEST(WindowSeam, NothingIsHeldBeforeThePlayerTouchesAnything)
{
    harness::needDisplay();
    auto& window = kalup::display::glfwBackend();
    window.waitUntil(window.now());
    EXPECT_FALSE(window.keyDown(kalup::seam::Key::Escape));
    EXPECT_FALSE(window.keyDown(kalup::seam::Key::Space));
    EXPECT_FALSE(window.keyDown(kalup::seam::Key::F10));
    EXPECT_FALSE(window.keyDown(kalup::seam::Key::F3));
    EXPECT_FALSE(window.leftButtonDown());
    EXPECT_FALSE(window.closeRequested());
}

TEST(WindowSeam, PacingNeverEndsBeforeTheDeadline)
{
    harness::needDisplay();
    auto& window = kalup::display::glfwBackend();
    const double deadline = window.now() + 0.02;
    EXPECT_GE(window.waitUntil(deadline), deadline);
    EXPECT_GE(window.now(), deadline);
}

TEST(WindowSeam, LateFrameGetsTheFirstReading)
{
    harness::needDisplay();
    auto& window = kalup::display::glfwBackend();
    const double before = window.now();
    const double reading = window.waitUntil(before - 1.0);
    EXPECT_GE(reading, before);
    EXPECT_LE(reading, window.now());
}
