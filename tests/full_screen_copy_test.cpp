// The logical screen shown on a full screen of any size: the largest centred
// 4:3 area inside black bars, each logical pixel as wide and high as the
// next within a window pixel, with crisp edges, and the game's GL state kept.
#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <tuple>
#include <vector>

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include "platform/display.h"
#include "platform/scaler.h"
#include "render/draw.h"
#include "render/textures.h"
#include "tests/window_target.h"
#include "tests/harness.h"

using namespace kalup;

namespace {

using Picture = std::vector<std::uint8_t>;
// The colour of logical pixel (x, y), y from the bottom row.
using Painter = std::function<std::array<std::uint8_t, 3>(int x, int y)>;

// The logical screen painted pixel by pixel, as RGBA bytes, bottom row first.
Picture paintLogicalScreen(const Painter& paint)
{
    Picture screen(800 * 600 * 4);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) {
            const auto rgb = paint(x, y);
            std::copy(rgb.begin(), rgb.end(), &screen[(y * 800 + x) * 4]);
            screen[(y * 800 + x) * 4 + 3] = 255;
        }
    harness::needDisplay();
    display::beginFrame();
    draw::beginScreen2D();
    glDisable(GL_TEXTURE_2D);
    glWindowPos2i(0, 0);
    glDrawPixels(800, 600, GL_RGBA, GL_UNSIGNED_BYTE, screen.data());
    glEnable(GL_TEXTURE_2D);
    return screen;
}

// A window of the given size, white before the copy, as the copy leaves it (RGBA, bottom row first).
Picture copiedTo(int width, int height)
{
    const WindowTarget window(width, height);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
    scaler::showTarget(width, height, window.framebuffer);
    Picture shown(std::size_t(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, shown.data());
    return shown;
}

// The logical pixels a window pixel's span [from, from + 1) overlaps along one axis of the area.
std::pair<int, int> logicalSpan(int from, int areaSize, int logicalSize)
{
    const int first = int(std::int64_t(from) * logicalSize / areaSize);
    const int last = int((std::int64_t(from + 1) * logicalSize - 1) / areaSize);
    return {first, last};
}

// The width of each stripe along one line of a copied picture of alternate
// white and black logical stripes, the first white: a window pixel counts
// whole for the one stripe it lies in, and across an edge its white share
// for the white stripe and the rest for the black one.
std::vector<double> stripeWidths(const std::vector<int>& line, int logicalSize)
{
    const int areaSize = static_cast<int>(line.size());
    std::vector<double> widths(logicalSize, 0.0);
    for (int at = 0; at < areaSize; ++at) {
        const auto [first, last] = logicalSpan(at, areaSize, logicalSize);
        if (first == last) {
            widths[first] += 1;
            continue;
        }
        const double white = line[at] / 255.0;
        widths[first] += first % 2 == 0 ? white : 1 - white;
        widths[last] += last % 2 == 0 ? white : 1 - white;
    }
    return widths;
}

// Window pixels neither white nor black.
int mixedPixels(const std::vector<int>& line)
{
    return static_cast<int>(std::ranges::count_if(line, [](int value) { return value > 8 && value < 247; }));
}

std::uint8_t stripe(int index) { return index % 2 == 0 ? 255 : 0; }

} // namespace

TEST(FullScreenCopy, LargestCentredFourByThreeAreaInsideBlackBarsShowsEachLogicalPixelAndKeepsTheGamesState)
{
    // Every logical pixel a colour of its own, none black, and far from its
    // neighbours': x and y scrambled in red and green, their high bits in blue.
    const Picture screen = paintLogicalScreen([](int x, int y) {
        return std::array{std::uint8_t(x * 97), std::uint8_t(y * 89), std::uint8_t(0x80 | x >> 8 | (y >> 8) << 2)};
    });
    // What the game's frame leaves set must be there after the copy.
    const textures::Texture bound = textures::texCursor;
    std::array<GLfloat, 16> projection{}, projectionAfter{};
    glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
    // Window and area: x, y, width, height.
    const int cases[][6] = {{800, 600, 0, 0, 800, 600}, {1600, 1200, 0, 0, 1600, 1200}, {1920, 1080, 240, 0, 1440, 1080},
        {2560, 1440, 320, 0, 1920, 1440}, {1366, 768, 171, 0, 1024, 768}, {1280, 1024, 0, 32, 1280, 960},
        {1080, 1920, 0, 555, 1080, 810}, {640, 480, 0, 0, 640, 480}};
    for (const auto& [width, height, areaX, areaY, areaWidth, areaHeight] : cases) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const scaler::Area a = scaler::fitLogicalScreen(width, height);
        EXPECT_EQ(std::tie(a.x, a.y, a.width, a.height), std::tie(areaX, areaY, areaWidth, areaHeight));
        glBindTexture(GL_TEXTURE_2D, bound);
        const Picture shown = copiedTo(width, height);
        // A window pixel within one logical pixel shows its colour; one across
        // an edge mixes the colours of the logical pixels it overlaps.
        int wrong = 0;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* p = &shown[(std::size_t(y) * width + x) * 4];
                if (x < a.x || x >= a.x + a.width || y < a.y || y >= a.y + a.height) {
                    wrong += (p[0] | p[1] | p[2]) != 0;
                    continue;
                }
                const auto [left, right] = logicalSpan(x - a.x, a.width, 800);
                const auto [bottom, top] = logicalSpan(y - a.y, a.height, 600);
                for (int c = 0; c < 3; ++c) {
                    int low = 255, high = 0;
                    for (int ly = bottom; ly <= top; ++ly)
                        for (int lx = left; lx <= right; ++lx) {
                            low = std::min<int>(low, screen[(ly * 800 + lx) * 4 + c]);
                            high = std::max<int>(high, screen[(ly * 800 + lx) * 4 + c]);
                        }
                    wrong += p[c] + 2 < low || p[c] > high + 2;
                }
            }
        EXPECT_EQ(wrong, 0) << "pixels not of the logical pixels under them, or bars not black";
        GLint texture = 0, mode = 0, program = -1;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        glGetIntegerv(GL_CURRENT_PROGRAM, &program);
        glGetFloatv(GL_PROJECTION_MATRIX, projectionAfter.data());
        EXPECT_EQ(std::tuple(GLuint(texture), mode, glIsEnabled(GL_BLEND), glIsEnabled(GL_SCISSOR_TEST), program,
                      projectionAfter),
            std::tuple(bound, GL_MODULATE, GL_TRUE, GL_FALSE, 0, projection))
            << "the frame's state is the game's again";
    }
}

// At a scale like 1.8, a window pixel to each logical one everywhere but
// every fifth would make one column in five half as wide as the others.
TEST(FullScreenCopy, EveryLogicalColumnAndRowIsAsWideAsTheNextWithinAPixelAndItsEdgesStayCrisp)
{
    for (const auto& [width, height] : {std::pair(1920, 1080), std::pair(2560, 1440)}) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        const scaler::Area a = scaler::fitLogicalScreen(width, height);
        const double scale = a.width / 800.0;
        for (const bool columns : {true, false}) {
            SCOPED_TRACE(columns ? "columns" : "rows");
            paintLogicalScreen([columns](int x, int y) {
                const std::uint8_t value = stripe(columns ? x : 599 - y);
                return std::array{value, value, value};
            });
            const Picture shown = copiedTo(width, height);
            // One line across the stripes through the middle of the area, from the left or the top.
            std::vector<int> line;
            const int across = columns ? a.width : a.height;
            for (int at = 0; at < across; ++at) {
                const int x = columns ? a.x + at : a.x + a.width / 2;
                const int y = columns ? a.y + a.height / 2 : a.y + a.height - 1 - at;
                line.push_back(shown[(std::size_t(y) * width + x) * 4]);
            }
            const std::vector<double> widths = stripeWidths(line, columns ? 800 : 600);
            const auto [narrowest, widest] = std::ranges::minmax(widths);
            EXPECT_GT(narrowest, scale - 0.1) << "widest " << widest;
            EXPECT_LT(widest, scale + 0.1) << "narrowest " << narrowest;
            EXPECT_LE(mixedPixels(line), static_cast<int>(widths.size()) - 1) << "at most one mixed pixel an edge";
        }
    }
}
