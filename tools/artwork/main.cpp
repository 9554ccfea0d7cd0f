// zarg-artwork --layout zolv.uidesc --out DIR [--scales 1.5,2]
// Draws every bitmap the editor descriptions name into DIR, at 1x and at each scale.

#include "Canvas.h"
#include "FallbackArt.h"
#include "KnobStripArt.h"
#include "PanelArt.h"
#include "PanelLayout.h"
#include "PushButtonArt.h"
#include "ToggleSwitchArt.h"

#include <cstdio>
#include <exception>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zarg::artwork;
using shapes::hex;

namespace
{

constexpr int kPanelWidth = 306;
constexpr int kPanelHeight = 426;
constexpr int kKnob = 42;
constexpr int kKnobFrames = 80;

KnobLook blueCap()
{
    KnobLook k;
    k.bodyLight = hex(0x5a5f66);
    k.bodyDark = hex(0x16181b);
    k.capLight = hex(0x9cc4ff);
    k.capBase = hex(0x2f6fd6);
    k.capEdge = hex(0x12306e);
    k.pointer = hex(0xffffff);
    k.pointerOutline = hex(0x0a1020);
    k.ridges = 40;
    k.ridgeDepth = 3.2;
    k.capRadius = 11.8;
    return k;
}

KnobLook creamDust()
{
    KnobLook k;
    k.bodyLight = hex(0xfffdf6);
    k.bodyDark = hex(0xb9ab88);
    k.capLight = hex(0xffffff);
    k.capBase = hex(0xefe6cf);
    k.capEdge = hex(0xc2b594);
    k.pointer = hex(0x15130f);
    k.pointerOutline = hex(0x6b6250);
    k.ridges = 0;
    k.scallops = 12;
    k.scallopDepth = 2.4;
    k.capRadius = 12.8;
    k.pointerInner = 5.5;
    k.pointerWidth = 2.6;
    k.speckled = true;
    return k;
}

KnobLook plainGrey()
{
    KnobLook k = blueCap();
    k.capLight = hex(0xf0f0f0);
    k.capBase = hex(0x9a9a9a);
    k.capEdge = hex(0x505050);
    k.pointer = hex(0x101010);
    k.pointerOutline = hex(0xffffff);
    return k;
}

KnobLook blackRed()
{
    KnobLook k = blueCap();
    k.capLight = hex(0x6a6a6a);
    k.capBase = hex(0x222222);
    k.capEdge = hex(0x080808);
    k.pointer = hex(0xff3a20);
    return k;
}

void knobStrip(const KnobLook& look, const std::string& path, double scale)
{
    Canvas c(kKnob, kKnob * kKnobFrames, scale);
    KnobStripArt(look, kKnob, kKnobFrames).draw(c);
    c.writePng(path);
}

// Every bitmap at one scale; the files of scale s are named "name#<s>x.png" (VSTGUI's
// naming of high-resolution bitmaps), those of 1x "name.png".
void drawAll(const PanelLayout& layout, const std::string& outDir, double scale,
             const std::string& suffix)
{
    auto file = [&](const char* name) { return outDir + "/" + name + suffix + ".png"; };
    {
        // The plate is one pixel larger than the editor each way.
        Canvas c(kPanelWidth + 1, kPanelHeight + 1, scale);
        PanelArt(kPanelWidth, kPanelHeight, layout.views()).draw(c);
        c.writePng(file("quorzelpanel"));
    }
    knobStrip(blueCap(), file("sslblue"), scale);
    knobStrip(creamDust(), file("whitedust"), scale);
    {
        Canvas c(kKnob, 2 * kKnob, scale);
        ToggleSwitchArt(kKnob).draw(c);
        c.writePng(file("medtoggleswitch"));
    }
    {
        Canvas c(25, 70, scale);
        PushButtonArt(25, 35).draw(c);
        c.writePng(file("medprophetbutton"));
    }

    knobStrip(plainGrey(), file("knob"), scale);
    knobStrip(blackRed(), file("knob2"), scale);
    {
        Canvas c(830, 390, scale);
        FallbackArt::background(c);
        c.writePng(file("background"));
    }
    {
        Canvas c(100, 100, scale);
        FallbackArt::groupFrame(c);
        c.writePng(file("groupframe"));
    }
    {
        Canvas c(20, 32, scale);
        FallbackArt::amberOnOff(c);
        c.writePng(file("amberonoff"));
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string layoutPath;
    std::string outDir;
    std::vector<std::string> scales;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string opt = argv[i];
        if (opt == "--layout")
            layoutPath = argv[i + 1];
        else if (opt == "--out")
            outDir = argv[i + 1];
        else if (opt == "--scales")
        {
            std::stringstream list(argv[i + 1]);
            for (std::string s; std::getline(list, s, ',');)
                scales.push_back(s);
        }
    }
    if (layoutPath.empty() || outDir.empty())
    {
        std::fprintf(stderr, "usage: zarg-artwork --layout zolv.uidesc --out DIR "
                             "[--scales 1.5,2]\n");
        return 2;
    }

    try
    {
        const PanelLayout layout = PanelLayout::load(layoutPath, "Editor");
        drawAll(layout, outDir, 1.0, "");
        for (const std::string& s : scales)
        {
            std::size_t used = 0;
            const double scale = std::stod(s, &used);
            if (used != s.size() || !(scale > 1.0))
                throw std::runtime_error("a scale must be a number above 1: " + s);
            drawAll(layout, outDir, scale, "#" + s + "x");
        }
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zarg-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
