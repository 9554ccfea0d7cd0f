// zarg-artwork --layout zolv.uidesc --out DIR
// Draws every bitmap the editor descriptions name into DIR.

#include "Canvas.h"
#include "FallbackArt.h"
#include "KnobStripArt.h"
#include "PanelArt.h"
#include "PanelLayout.h"
#include "PushButtonArt.h"
#include "ToggleSwitchArt.h"

#include <cstdio>
#include <exception>
#include <string>

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

void knobStrip(const KnobLook& look, const std::string& path)
{
    Canvas c(kKnob, kKnob * kKnobFrames);
    KnobStripArt(look, kKnob, kKnobFrames).draw(c);
    c.writePng(path);
}

} // namespace

int main(int argc, char** argv)
{
    std::string layoutPath;
    std::string outDir;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string opt = argv[i];
        if (opt == "--layout")
            layoutPath = argv[i + 1];
        else if (opt == "--out")
            outDir = argv[i + 1];
    }
    if (layoutPath.empty() || outDir.empty())
    {
        std::fprintf(stderr, "usage: zarg-artwork --layout zolv.uidesc --out DIR\n");
        return 2;
    }

    try
    {
        const PanelLayout layout = PanelLayout::load(layoutPath, "Editor");
        {
            // The plate is one pixel larger than the editor each way.
            Canvas c(kPanelWidth + 1, kPanelHeight + 1);
            PanelArt(kPanelWidth, kPanelHeight, layout.views()).draw(c);
            c.writePng(outDir + "/quorzelpanel.png");
        }
        knobStrip(blueCap(), outDir + "/sslblue.png");
        knobStrip(creamDust(), outDir + "/whitedust.png");
        {
            Canvas c(kKnob, 2 * kKnob);
            ToggleSwitchArt(kKnob).draw(c);
            c.writePng(outDir + "/medtoggleswitch.png");
        }
        {
            Canvas c(25, 70);
            PushButtonArt(25, 35).draw(c);
            c.writePng(outDir + "/medprophetbutton.png");
        }

        knobStrip(plainGrey(), outDir + "/knob.png");
        knobStrip(blackRed(), outDir + "/knob2.png");
        {
            Canvas c(830, 390);
            FallbackArt::background(c);
            c.writePng(outDir + "/background.png");
        }
        {
            Canvas c(100, 100);
            FallbackArt::groupFrame(c);
            c.writePng(outDir + "/groupframe.png");
        }
        {
            Canvas c(20, 32);
            FallbackArt::amberOnOff(c);
            c.writePng(outDir + "/amberonoff.png");
        }
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zarg-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
