#include "StockArt.h"

#include "AnalogMeterArt.h"
#include "BackdropArt.h"
#include "FallbackArt.h"
#include "KnobStripArt.h"
#include "LedMeterArt.h"
#include "OnOffArt.h"
#include "PanelArt.h"
#include "RadioStripArt.h"
#include "SliderArt.h"
#include "StockKnobArt.h"

#include <stdexcept>
#include <string>

namespace zarg::artwork
{
namespace
{

using shapes::hex;

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

} // namespace

void StockArt::knobStrip(std::string_view name, Canvas& canvas, int frames)
{
    // The panel's and the fallback editor's knobs are modelled in full; the rest of
    // the library keeps a still body so that its strips stay small.
    const std::pair<std::string_view, KnobLook (*)()> modelled[] = {
        {"sslblue", blueCap}, {"whitedust", creamDust}, {"knob", plainGrey}, {"knob2", blackRed}};
    for (const auto& [model, look] : modelled)
    {
        if (name == model)
            return KnobStripArt(look(), canvas.width(), frames).draw(canvas);
    }
    StockKnobArt(StockKnobLook::forName(name), canvas.width(), frames).draw(canvas);
}

void StockArt::draw(const editor::StockBitmap& bitmap, Canvas& canvas) const
{
    using K = editor::StockBitmap::Kind;
    switch (bitmap.kind)
    {
    case K::Panel:
        // The plate is one pixel larger than the editor each way.
        return PanelArt(bitmap.width - 1, bitmap.height() - 1, m_panel.views()).draw(canvas);
    case K::Backdrop:
    {
        const std::pair<std::string_view, std::uint32_t> metals[] = {{"bluemetal", 0x3c5a80},
                                                                     {"greenmetal", 0x3c6a48},
                                                                     {"greymetal", 0x6a6d72},
                                                                     {"lightgreymetal", 0xb4b8bc},
                                                                     {"yellowmetal", 0xb8a040}};
        if (bitmap.name == "background")
            return FallbackArt::background(canvas);
        for (const auto& [name, colour] : metals)
        {
            if (bitmap.name == name)
                return BackdropArt::metal(canvas, hex(colour));
        }
        return BackdropArt::vinyl(canvas);
    }
    case K::GroupFrame:
        return FallbackArt::groupFrame(canvas);
    case K::Knob:
        return knobStrip(bitmap.name, canvas, bitmap.frames);
    case K::OnOff:
        return OnOffArt::draw(canvas, bitmap.name);
    case K::RadioStrip:
        return RadioStripArt::draw(canvas, bitmap.name, bitmap.frames);
    case K::SliderBack:
        return SliderArt::back(canvas, bitmap.name);
    case K::SliderHandle:
        return SliderArt::handle(canvas, bitmap.name);
    case K::LedOn:
        return LedMeterArt::draw(canvas, true, false);
    case K::LedOff:
        return LedMeterArt::draw(canvas, false, false);
    case K::LedOnInverted:
        return LedMeterArt::draw(canvas, true, true);
    case K::LedOffInverted:
        return LedMeterArt::draw(canvas, false, true);
    case K::AnalogMeter:
        return AnalogMeterArt::draw(canvas, bitmap.frameHeight, bitmap.frames);
    case K::Switch:
        return SliderArt::selector(canvas, bitmap.frameHeight, bitmap.frames);
    }
    throw std::logic_error("no art for " + std::string(bitmap.name));
}

} // namespace zarg::artwork
