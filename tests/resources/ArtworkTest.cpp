// The generated bitmaps: sizes and frame layouts, knob pointers that sweep,
// switch frames that differ the right way, and a face plate that keeps its
// hardware clear of every view drawn over it.

#include "PngImage.h"
#include "UidescDocument.h"

#include "editor/StockBitmap.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace
{

const std::string kBuilt = ZARG_RESOURCES_BUILD_DIR;
const std::string kSource = ZARG_RESOURCES_SOURCE_DIR;

using Pixel = PngImage::Pixel;
using zarg::editor::kStockBitmaps;
using zarg::editor::StockBitmap;

PngImage load(const std::string& name)
{
    return PngImage(kBuilt + "/" + name + ".png");
}

double luminance(const Pixel& p)
{
    return p.a * (0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b);
}

// Sum of absolute channel differences between two frames of a vertical strip.
double frameDistance(const PngImage& img, int frameH, int f0, int f1)
{
    double d = 0;
    for (int y = 0; y < frameH; ++y)
    {
        for (int x = 0; x < img.width(); ++x)
        {
            const Pixel p = img.at(x, f0 * frameH + y);
            const Pixel q = img.at(x, f1 * frameH + y);
            d += std::fabs(p.a - q.a) + std::fabs(p.a * p.r - q.a * q.r) +
                 std::fabs(p.a * p.g - q.a * q.g) + std::fabs(p.a * p.b - q.a * q.b);
        }
    }
    return d;
}

TEST(Artwork, EveryBitmapHasItsSize)
{
    struct Row
    {
        const char* name;
        int w, h;
        bool hidpi; // shown by a view, so drawn for HiDPI hosts too
    };
    const Row rows[] = {
        {"quorzelpanel", 307, 427, true},
        {"sslblue", 42, 3360, true},
        {"whitedust", 42, 3360, true},
        {"medtoggleswitch", 42, 84, true},
        {"medprophetbutton", 25, 70, true},
        {"knob", 42, 3360, true},
        {"knob2", 42, 3360, true},
        {"background", 830, 390, true},
        {"groupframe", 100, 100, true},
        {"amberonoff", 20, 32, true},
        // The stock library's fixed formats.
        {"alphasslblue", 52, 80 * 52, false},
        {"maschine", 42, 101 * 42, false},
        {"alphamaschine", 52, 101 * 52, false},
        {"rbstripamber2", 18, 2 * 2 * 18, false},
        {"rbstripsilverbutton8", 18, 8 * 8 * 18, false},
        {"vuledon", 17, 85, false},
        {"vuledoffinv", 17, 85, false},
        {"horizvuledoninv", 85, 17, false},
        {"horizvuledoff", 85, 17, false},
        {"analogvumeter", 147, 80 * 78, false},
        {"smallanalogvumeter", 60, 80 * 32, false},
        {"biganalogvumeter", 177, 80 * 94, false},
        {"medanalogvumeter", 122, 80 * 65, false},
    };
    for (const Row& r : rows)
    {
        SCOPED_TRACE(r.name);
        const PngImage img = load(r.name);
        ASSERT_TRUE(img.ok());
        EXPECT_EQ(img.width(), r.w);
        EXPECT_EQ(img.height(), r.h);
        if (!r.hidpi)
            continue;
        // Drawn again for HiDPI hosts, each pixel of 1x a scale x scale block there.
        for (const auto& [suffix, scale] : {std::pair{"#1.5x", 1.5}, std::pair{"#2x", 2.0}})
        {
            const PngImage scaled = load(std::string(r.name) + suffix);
            ASSERT_TRUE(scaled.ok()) << suffix;
            EXPECT_EQ(scaled.width(), static_cast<int>(std::ceil(r.w * scale))) << suffix;
            EXPECT_EQ(scaled.height(), static_cast<int>(std::ceil(r.h * scale))) << suffix;
        }
    }
}

// Every bitmap a description lists is a file the build made.
TEST(Artwork, EveryListedBitmapWasDrawn)
{
    for (const char* file : {"zolv.uidesc", "vstgui.uidesc"})
    {
        const UidescDocument doc(kSource + "/" + file);
        ASSERT_TRUE(doc.loaded()) << file;
        int listed = 0;
        for (pugi::xml_node b : doc.root().child("bitmaps").children("bitmap"))
        {
            ++listed;
            const std::string path = b.attribute("path").value();
            EXPECT_TRUE(PngImage(kBuilt + "/" + path).ok()) << file << ": " << path;
        }
        EXPECT_GT(listed, 0) << file;
    }
}

// The pointer's direction in one frame, in degrees clockwise from straight up:
// the centroid of where the frame departs most from the per-pixel median over
// all frames. The pointer covers any one pixel in a few frames only, so the median
// is the knob without it; what does not turn (shadow, gloss) cancels out.
std::vector<double> pointerAngles(const PngImage& img, int size)
{
    const int frames = img.height() / size;
    auto channels = [](const Pixel& p) {
        return std::array<double, 4>{p.a, p.a * p.r, p.a * p.g, p.a * p.b};
    };
    std::vector<std::array<double, 4>> median(static_cast<std::size_t>(size * size));
    std::vector<double> column(static_cast<std::size_t>(frames));
    for (int i = 0; i < size * size; ++i)
    {
        for (int c = 0; c < 4; ++c)
        {
            for (int f = 0; f < frames; ++f)
                column[f] = channels(img.at(i % size, f * size + i / size))[c];
            std::nth_element(column.begin(), column.begin() + frames / 2, column.end());
            median[i][c] = column[frames / 2];
        }
    }
    // Only the strongest departures inside the top face count: the rim's knurls
    // and notches turn too, but the pointer is what crosses the face.
    const double centre = size / 2.0;
    const double face = 0.3 * size;
    std::vector<double> angles;
    std::vector<double> dev(static_cast<std::size_t>(size * size));
    for (int f = 0; f < frames; ++f)
    {
        for (int i = 0; i < size * size; ++i)
        {
            const auto v = channels(img.at(i % size, f * size + i / size));
            dev[i] = 0;
            if (std::hypot(i % size + 0.5 - centre, i / size + 0.5 - centre) > face)
                continue;
            for (int c = 0; c < 4; ++c)
                dev[i] += std::fabs(v[c] - median[i][c]);
        }
        const double strongest = *std::max_element(dev.begin(), dev.end());
        double sx = 0;
        double sy = 0;
        for (int i = 0; i < size * size; ++i)
        {
            if (dev[i] < 0.5 * strongest)
                continue;
            sx += dev[i] * (i % size + 0.5 - centre);
            sy += dev[i] * (i / size + 0.5 - centre);
        }
        angles.push_back(std::atan2(sx, -sy) * 180.0 / std::numbers::pi);
    }
    return angles;
}

TEST(Artwork, KnobPointersSweep270DegreesThroughTheTop)
{
    std::vector<std::string> knobs = {"knob2"};
    for (const StockBitmap& b : kStockBitmaps)
    {
        if (b.kind == StockBitmap::Kind::Knob)
            knobs.emplace_back(b.name);
    }
    for (const std::string& name : knobs)
    {
        SCOPED_TRACE(name);
        const PngImage img = load(name);
        ASSERT_TRUE(img.ok());
        const int size = img.width();
        const int frames = img.height() / size;
        ASSERT_EQ(img.height(), frames * size);
        const std::vector<double> angles = pointerAngles(img, size);
        // On a small knob a pixel spans more degrees: looser bounds, and the order
        // checked between frames far enough apart to tell.
        const double tolerance = 3.0 * std::max(1.0, 42.0 / size);
        const int apart = (42 + size - 1) / size;
        for (int f = 0; f < frames; ++f)
        {
            const double expected = -135.0 + 270.0 * f / (frames - 1);
            EXPECT_NEAR(angles[f], expected, tolerance) << "frame " << f;
            if (f >= apart)
            {
                EXPECT_GT(angles[f], angles[f - apart]) << "frame " << f;
            }
            if (f > 0)
            {
                EXPECT_GT(frameDistance(img, size, f - 1, f), 1.0) << "frame " << f;
            }
        }
        // Round knobs: the panel shows through the corners of each frame.
        for (int f : {0, frames / 2, frames - 1})
        {
            EXPECT_EQ(img.at(0, f * size).a, 0.0);
            EXPECT_EQ(img.at(size - 1, f * size + size - 1).a, 0.0);
        }
    }
}

// Vertical centroid, relative to the frame's centre row, of what is brighter in
// one frame than in the other: the lever where the other frame has none.
double leverOffset(const PngImage& img, int frame, int other)
{
    double sum = 0;
    double weight = 0;
    for (int y = 0; y < 42; ++y)
    {
        for (int x = 0; x < 42; ++x)
        {
            const double gain =
                luminance(img.at(x, frame * 42 + y)) - luminance(img.at(x, other * 42 + y));
            const double w = gain > 0.2 ? gain : 0.0;
            sum += w * (y + 0.5 - 21.0);
            weight += w;
        }
    }
    return weight > 0 ? sum / weight : 0.0;
}

TEST(Artwork, ToggleLeverUpWhenOffDownWhenOn)
{
    const PngImage img = load("medtoggleswitch");
    ASSERT_TRUE(img.ok());
    EXPECT_GT(frameDistance(img, 42, 0, 1), 100.0);
    EXPECT_LT(leverOffset(img, 0, 1), -6.0);
    EXPECT_GT(leverOffset(img, 1, 0), 6.0);

    // The LeftRight toggle shows only 39 rows; the lever down must fit in them.
    for (int y = 39; y < 42; ++y)
    {
        for (int x = 0; x < 42; ++x)
            EXPECT_LT(img.at(x, 42 + y).a, 0.5) << x << "," << y;
    }
}

TEST(Artwork, PushButtonLightsUpWhenOn)
{
    const PngImage img = load("medprophetbutton");
    ASSERT_TRUE(img.ok());
    auto capBrightness = [&](int frame)
    {
        double sum = 0;
        for (int y = 8; y < 27; ++y)
        {
            for (int x = 7; x < 18; ++x)
                sum += luminance(img.at(x, frame * 35 + y));
        }
        return sum / (19 * 11);
    };
    EXPECT_GT(frameDistance(img, 35, 0, 1), 100.0);
    EXPECT_GT(capBrightness(1), capBrightness(0) + 0.3);
}

// Radio strips: n frames of n buttons 18 pixels high; in frame i button i alone
// differs from how it looks in the other frames.
TEST(Artwork, RadioStripLightsButtonIOfFrameI)
{
    auto buttonDistance = [](const PngImage& img, int n, int frame, int other, int button)
    {
        double d = 0;
        for (int y = 0; y < 18; ++y)
        {
            for (int x = 0; x < img.width(); ++x)
                d += std::fabs(luminance(img.at(x, (frame * n + button) * 18 + y)) -
                               luminance(img.at(x, (other * n + button) * 18 + y)));
        }
        return d;
    };
    for (const StockBitmap& b : kStockBitmaps)
    {
        if (b.kind != StockBitmap::Kind::RadioStrip)
            continue;
        SCOPED_TRACE(b.name);
        const PngImage img = load(std::string(b.name));
        ASSERT_TRUE(img.ok());
        const int n = b.frames;
        ASSERT_EQ(img.height(), n * n * 18);
        for (int f = 0; f < n; ++f)
        {
            const int other = (f + 1) % n;
            for (int button = 0; button < n; ++button)
            {
                const double d = buttonDistance(img, n, f, other, button);
                if (button == f || button == other)
                    EXPECT_GT(d, 20.0) << "frame " << f << " button " << button;
                else
                    EXPECT_EQ(d, 0.0) << "frame " << f << " button " << button;
            }
        }
    }
}

// LED strips: a meter shows the on strip up to a cut t pixels from the top or left
// and the off strip beyond. The cuts of a 10-LED meter, t = trunc(85 q + 0.5) for
// q = k / 10, fall between LEDs; the first LED to light is green and the last red,
// and an inverted strip lights from the other end.
TEST(Artwork, LedStripsCutBetweenLedsAndInvertEndForEnd)
{
    auto red = [](const Pixel& p) { return p.r > 0.6 && p.g < 0.5; };
    auto green = [](const Pixel& p) { return p.g > 0.6 && p.r < 0.5; };
    for (const char* prefix : {"", "horiz"})
    {
        const bool vertical = *prefix == '\0';
        SCOPED_TRACE(vertical ? "vertical" : "horizontal");
        auto at = [&](const PngImage& img, int along, int across)
        { return vertical ? img.at(across, along) : img.at(along, across); };
        for (const bool inverted : {false, true})
        {
            SCOPED_TRACE(inverted ? "inverted" : "plain");
            const std::string suffix = inverted ? "inv" : "";
            const PngImage on = load(std::string(prefix) + "vuledon" + suffix);
            const PngImage off = load(std::string(prefix) + "vuledoff" + suffix);
            ASSERT_TRUE(on.ok() && off.ok());
            for (int k = 1; k < 10; ++k)
            {
                const int t = static_cast<int>(85 * static_cast<double>(k / 10.0f) + 0.5);
                for (int along : {t - 1, t})
                {
                    for (int across = 0; across < 17; ++across)
                        EXPECT_NEAR(luminance(at(on, along, across)),
                                    luminance(at(off, along, across)), 0.02)
                            << "cut " << t << " at " << along << "," << across;
                }
            }
            // LED centres, first to light and last: plain vertical strips light
            // from the bottom, plain horizontal ones from the left.
            const bool fromEnd = vertical != inverted;
            const int first = fromEnd ? 80 : 4;
            const int last = fromEnd ? 4 : 80;
            EXPECT_TRUE(green(at(on, first, 8)));
            EXPECT_TRUE(red(at(on, last, 8)));
            EXPECT_LT(luminance(at(off, last, 8)), 0.5 * luminance(at(on, last, 8)));
        }
    }
}

// Analog meters: the needle leans from the far left in frame 0 to the far right in the
// last frame, a step to the right each frame.
TEST(Artwork, AnalogMeterNeedleSweepsLeftToRight)
{
    for (const StockBitmap& b : kStockBitmaps)
    {
        if (b.kind != StockBitmap::Kind::AnalogMeter)
            continue;
        SCOPED_TRACE(b.name);
        const PngImage img = load(std::string(b.name));
        ASSERT_TRUE(img.ok());
        const int w = b.width;
        const int h = b.frameHeight;
        // Across a band of rows that the needle crosses in every frame, the needle is
        // what is darker there than in frames a quarter and half a sweep away.
        auto needleX = [&](int frame)
        {
            double sum = 0;
            double weight = 0;
            for (int y = h * 11 / 20; y < h * 3 / 4; ++y)
            {
                for (int x = 0; x < w; ++x)
                {
                    const double here = luminance(img.at(x, frame * h + y));
                    const double elsewhere =
                        std::max(luminance(img.at(x, (frame + 40) % 80 * h + y)),
                                 luminance(img.at(x, (frame + 20) % 80 * h + y)));
                    const double dark = elsewhere - here;
                    if (dark > 0.2)
                    {
                        sum += dark * (x + 0.5);
                        weight += dark;
                    }
                }
            }
            return weight > 0 ? sum / weight : -1.0;
        };
        double last = -1;
        for (int f = 0; f < b.frames; ++f)
        {
            const double x = needleX(f);
            ASSERT_GE(x, 0) << "no needle in frame " << f;
            EXPECT_GT(x, last) << "frame " << f;
            last = x;
        }
        EXPECT_LT(needleX(0), 0.3 * w);
        EXPECT_NEAR(needleX(b.frames / 2), 0.5 * w, 0.05 * w);
        EXPECT_GT(needleX(b.frames - 1), 0.7 * w);
    }
}

// The enclosure's paint: the "OD" yellow-green, however the light falls on it.
bool isPaint(const Pixel& p)
{
    if (p.a < 1.0)
        return false;
    const double mx = std::fmax(p.r, std::fmax(p.g, p.b));
    const double mn = std::fmin(p.r, std::fmin(p.g, p.b));
    if (mx < 0.5 || mx - mn < 0.55 * mx)
        return false;
    // Hue of #B2C929 is about 69 degrees.
    double hue = 0;
    if (mx == p.g)
        hue = 60.0 * ((p.b - p.r) / (mx - mn)) + 120.0;
    else if (mx == p.r)
        hue = 60.0 * ((p.g - p.b) / (mx - mn));
    else
        return false;
    return std::fabs(hue - 69.0) < 12.0;
}

TEST(Artwork, FacePlateLeavesEveryViewOnPlainPaint)
{
    const PngImage panel = load("quorzelpanel");
    ASSERT_TRUE(panel.ok());
    const UidescDocument doc(kSource + "/zolv.uidesc");
    ASSERT_TRUE(doc.loaded());

    int views = 0;
    for (const auto& v : doc.flatten("Editor"))
    {
        if (v.viewClass == "CViewContainer")
            continue;
        ++views;
        int clashes = 0;
        for (int y = std::max(v.y, 0); y < std::min(v.y + v.height, 426); ++y)
        {
            for (int x = std::max(v.x, 0); x < std::min(v.x + v.width, 306); ++x)
                clashes += isPaint(panel.at(x, y)) ? 0 : 1;
        }
        EXPECT_EQ(clashes, 0) << v.viewClass << " \"" << v.attr("title") << "\" at " << v.x << ","
                              << v.y;
    }
    EXPECT_EQ(views, 29);

    // And the plate is not bare paint: hardware and lettering fill the free room.
    int art = 0;
    for (int y = 0; y < 426; ++y)
    {
        for (int x = 0; x < 306; ++x)
            art += isPaint(panel.at(x, y)) ? 0 : 1;
    }
    EXPECT_GT(art, 306 * 426 / 20);
    // Fully opaque wherever the editor shows it.
    for (int y = 0; y < 426; y += 5)
    {
        for (int x = 0; x < 306; x += 5)
            ASSERT_EQ(panel.at(x, y).a, 1.0) << x << "," << y;
    }
}

// The generator refuses a layout that puts a view over the hardware.
TEST(Artwork, GeneratorRejectsAViewOverTheHardware)
{
    std::ifstream in(kSource + "/zolv.uidesc");
    std::stringstream text;
    text << in.rdbuf();
    std::string layout = text.str();
    // Move the Sustain group onto the foot switch.
    const std::string from = "origin=\"155, 100\" size=\"75, 64\" template=\"Zolv KnobGroup 0\"";
    const std::size_t at = layout.find(from);
    ASSERT_NE(at, std::string::npos);
    layout.replace(at, from.size(),
                   "origin=\"115, 250\" size=\"75, 64\" template=\"Zolv KnobGroup 0\"");

    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("zarg-artwork-test-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "moved.uidesc") << layout;

    const std::string run = std::string("\"") + ZARG_ARTWORK_EXE + "\" --layout \"" +
                            (dir / "moved.uidesc").string() + "\" --out \"" + dir.string() +
                            "\" 2>/dev/null";
    const int status = std::system(run.c_str());
    EXPECT_NE(status, 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "quorzelpanel.png"));

    const std::string missing = std::string("\"") + ZARG_ARTWORK_EXE + "\" --layout \"" +
                                (dir / "absent.uidesc").string() + "\" --out \"" + dir.string() +
                                "\" 2>/dev/null";
    EXPECT_NE(std::system(missing.c_str()), 0);
    std::filesystem::remove_all(dir);
}

} // namespace
