#pragma once

#include <array>
#include <string_view>

namespace zarg::editor
{

// The bitmaps the panel description lists: what each one shows, its size in 1x pixels
// and its frames. Every strip stacks its frames from the top, frame 0 first. The
// artwork generator draws from this table and the views that use a bitmap by name can
// look its layout up here.
struct StockBitmap
{
    enum class Kind
    {
        Panel,      // the face plate
        Backdrop,   // a surface to fill or stretch a container with
        GroupFrame, // a border stretched by its nine-part margins
        Knob,       // square frames, pointer from -135 to +135 degrees
        OnOff,      // off above on
        RadioStrip, // n frames of n buttons 18 pixels high, button i lit in frame i
        SliderBack,
        SliderHandle,
        LedOn,          // LED meter, lit from the bottom (vertical) or left
        LedOff,         // the same LEDs dark
        LedOnInverted,  // lit from the top (vertical) or right
        LedOffInverted, // the same LEDs dark
        AnalogMeter,    // needle from far left in frame 0 to far right in the last
        Switch,         // a multi-position selector, one frame per position
    };

    std::string_view name;
    Kind kind;
    int width;
    int frameHeight;
    int frames;

    constexpr int height() const { return frameHeight * frames; }
};

namespace stock
{

using K = StockBitmap::Kind;

constexpr StockBitmap knob(std::string_view name, int size, int frames = 80)
{
    return {name, K::Knob, size, size, frames};
}

constexpr StockBitmap onOff(std::string_view name, int w, int h)
{
    return {name, K::OnOff, w, h, 2};
}

constexpr StockBitmap radio(std::string_view name, int buttons)
{
    return {name, K::RadioStrip, 18, 18 * buttons, buttons};
}

constexpr StockBitmap single(std::string_view name, K kind, int w, int h)
{
    return {name, kind, w, h, 1};
}

} // namespace stock

// clang-format off
inline constexpr auto kStockBitmaps = std::to_array<StockBitmap>({
    stock::single("quorzelpanel", stock::K::Panel, 307, 427),
    stock::single("darkgreyvinyl", stock::K::Backdrop, 128, 128),
    stock::single("bluemetal", stock::K::Backdrop, 128, 128),
    stock::single("greenmetal", stock::K::Backdrop, 128, 128),
    stock::single("greymetal", stock::K::Backdrop, 128, 128),
    stock::single("lightgreymetal", stock::K::Backdrop, 128, 128),
    stock::single("yellowmetal", stock::K::Backdrop, 128, 128),
    stock::single("background", stock::K::Backdrop, 830, 390),
    stock::single("groupframe", stock::K::GroupFrame, 100, 100),

    stock::knob("knob", 42), stock::knob("blackgearknob", 42), stock::knob("blueableton", 42),
    stock::knob("chickenhead", 42), stock::knob("fxknob", 42), stock::knob("greenableton", 42),
    stock::knob("greyableton", 42), stock::knob("knob303", 42), stock::knob("knobm400", 42),
    stock::knob("minibrute", 42), stock::knob("sslblue", 42), stock::knob("sslgreen", 42),
    stock::knob("sslred", 42), stock::knob("ampknob", 42), stock::knob("chickenhead2", 42),
    stock::knob("chickenhead3", 42), stock::knob("maschine", 42, 101),
    stock::knob("orangeamp", 42), stock::knob("sslblue2", 42), stock::knob("sslgreen2", 42),
    stock::knob("sslyellow", 42), stock::knob("sslyellow2", 42), stock::knob("whitedust", 42),
    stock::knob("prophet", 42), stock::knob("alphaprophet", 52), stock::knob("giantprophet", 125),
    stock::knob("smallprophet", 32), stock::knob("tinyprophet", 22),
    stock::knob("blackplastic", 42), stock::knob("alphablackplastic", 52),
    stock::knob("giantblackplastic", 125), stock::knob("smallblackplastic", 32),

    stock::knob("alphablackgearknob1", 52), stock::knob("alphachickenhead", 52),
    stock::knob("alphafxknob", 52), stock::knob("alphagreenableton", 52),
    stock::knob("alphaknob303", 52), stock::knob("alpham400", 52),
    stock::knob("alphaminibrute", 52), stock::knob("alphasslblue", 52),
    stock::knob("alphasslgreen", 52), stock::knob("alphasslred", 52),
    stock::knob("alphaampknob", 52), stock::knob("alphachickenhead2", 52),
    stock::knob("alphachickenhead3", 52), stock::knob("alphamaschine", 52, 101),
    stock::knob("alphaorangeamp", 52), stock::knob("alphasslblue2", 52),
    stock::knob("alphasslgreen2", 52), stock::knob("alphasslred2", 52),
    stock::knob("alphasslyellow", 52), stock::knob("alphawhitedust", 52),
    stock::knob("alphablackgearknob2", 52),
    stock::knob("bigampknob", 72), stock::knob("giantampknob", 125),

    stock::onOff("amberonoff", 20, 16), stock::onOff("twossamber", 20, 20),
    stock::onOff("twossgreen", 20, 20),
    stock::onOff("bigoberheimbutton", 50, 30), stock::onOff("bigpowerswitch", 40, 56),
    stock::onOff("bigprohphetbutton", 34, 48), stock::onOff("bigrubberbutton", 48, 48),
    stock::onOff("bigtoggleswitch", 56, 56),
    stock::onOff("medoberheimbutton", 40, 24), stock::onOff("medpowerswitch", 30, 42),
    stock::onOff("medprophetbutton", 25, 35), stock::onOff("medrubberbutton", 36, 36),
    stock::onOff("medtoggleswitch", 42, 42),
    stock::onOff("microoberheimbutton", 20, 12), stock::onOff("microtoggleswitch", 20, 20),
    stock::onOff("smalloberheimbutton", 30, 18), stock::onOff("smallpowerswitch", 20, 28),
    stock::onOff("smallprohetbutton", 18, 25), stock::onOff("smallrubberbutton", 24, 24),
    stock::onOff("smalltoggleswitch", 32, 32), stock::onOff("tinytoggleswitch", 16, 16),
    stock::onOff("assignbamber", 40, 20),

    stock::radio("rbstripamber2", 2), stock::radio("rbstripamber3", 3),
    stock::radio("rbstripamber4", 4), stock::radio("rbstripamber5", 5),
    stock::radio("rbstripamber6", 6), stock::radio("rbstripamber7", 7),
    stock::radio("rbstripamber8", 8),
    stock::radio("rbstripgreen2", 2), stock::radio("rbstripgreen3", 3),
    stock::radio("rbstripgreen4", 4), stock::radio("rbstripgreen5", 5),
    stock::radio("rbstripgreen6", 6), stock::radio("rbstripgreen7", 7),
    stock::radio("rbstripgreen8", 8),
    stock::radio("rbstripsilverbutton2", 2), stock::radio("rbstripsilverbutton3", 3),
    stock::radio("rbstripsilverbutton4", 4), stock::radio("rbstripsilverbutton5", 5),
    stock::radio("rbstripsilverbutton6", 6), stock::radio("rbstripsilverbutton7", 7),
    stock::radio("rbstripsilverbutton8", 8),

    stock::single("vsbackground", stock::K::SliderBack, 22, 128),
    stock::single("vsbackgroundtwo", stock::K::SliderBack, 22, 128),
    stock::single("vsbackshort56", stock::K::SliderBack, 22, 56),
    stock::single("hsbackground", stock::K::SliderBack, 128, 22),
    stock::single("hsbackS700", stock::K::SliderBack, 128, 18),
    stock::single("hsbackshort56", stock::K::SliderBack, 56, 22),
    stock::single("vshandle", stock::K::SliderHandle, 20, 11),
    stock::single("vshandsmall56", stock::K::SliderHandle, 16, 9),
    stock::single("hshandS700", stock::K::SliderHandle, 9, 18),
    stock::single("hshandle", stock::K::SliderHandle, 11, 20),
    stock::single("hshandsmall56", stock::K::SliderHandle, 9, 16),

    stock::single("vuledon", stock::K::LedOn, 17, 85),
    stock::single("vuledoff", stock::K::LedOff, 17, 85),
    stock::single("vuledoninv", stock::K::LedOnInverted, 17, 85),
    stock::single("vuledoffinv", stock::K::LedOffInverted, 17, 85),
    stock::single("horizvuledon", stock::K::LedOn, 85, 17),
    stock::single("horizvuledoff", stock::K::LedOff, 85, 17),
    stock::single("horizvuledoninv", stock::K::LedOnInverted, 85, 17),
    stock::single("horizvuledoffinv", stock::K::LedOffInverted, 85, 17),

    {"analogvumeter", stock::K::AnalogMeter, 147, 78, 80},
    {"smallanalogvumeter", stock::K::AnalogMeter, 60, 32, 80},
    {"biganalogvumeter", stock::K::AnalogMeter, 177, 94, 80},
    {"medanalogvumeter", stock::K::AnalogMeter, 122, 65, 80},

    {"vertswitchfilters", stock::K::Switch, 30, 60, 4},
    {"horizswitchsynth", stock::K::Switch, 60, 30, 3},
    stock::knob("knobvst", 42),
});
// clang-format on

// The entry of that name, or null.
constexpr const StockBitmap* findStockBitmap(std::string_view name)
{
    for (const StockBitmap& b : kStockBitmaps)
    {
        if (b.name == name)
            return &b;
    }
    return nullptr;
}

} // namespace zarg::editor
