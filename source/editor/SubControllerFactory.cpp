#include "editor/SubControllerFactory.h"

#include "editor/CPadControllerQX.h"

#include <charconv>

using namespace Steinberg::Vst;

namespace
{
enum class Ids
{
    kFound,
    kMissing,   // "_X" or "_Y" absent
    kMisplaced, // both there, not as "_X<id>_Y<id>"
};

bool readId(const std::string& text, ParamID& id)
{
    const char* end = text.data() + text.size();
    auto [stop, error] = std::from_chars(text.data(), end, id);
    return !text.empty() && error == std::errc() && stop == end;
}

// The ids from the marker on.
Ids idsAfter(const std::string& name, size_t marker, ParamID& x, ParamID& y)
{
    const auto xAt = name.find("_X", marker);
    const auto yAt = name.find("_Y", marker);
    if (xAt == std::string::npos || yAt == std::string::npos)
        return Ids::kMissing;
    if (yAt < xAt + 2 || yAt + 2 >= name.size() ||
        !readId(name.substr(xAt + 2, yAt - xAt - 2), x) || !readId(name.substr(yAt + 2), y))
        return Ids::kMisplaced;
    return Ids::kFound;
}
} // namespace

SubControllerFactory::SubControllerFactory(EditController& c, ParamID x, ParamID y)
    : controller(c), vectorX(x), vectorY(y)
{
}

bool SubControllerFactory::padIds(const std::string& name, ParamID& x, ParamID& y)
{
    if (const auto joystick = name.find("Joystick_"); joystick != std::string::npos)
    {
        const Ids found = idsAfter(name, joystick, x, y);
        if (found != Ids::kMisplaced)
            return found == Ids::kFound;
    }
    const auto trackPad = name.find("TrackPad_");
    return trackPad != std::string::npos && idsAfter(name, trackPad, x, y) == Ids::kFound;
}

VSTGUI::IController* SubControllerFactory::create(const std::string& name,
                                                  VSTGUI::IController* parent) const
{
    ParamID x = vectorX;
    ParamID y = vectorY;
    const bool vector = name == "VectorJoystick";
    if (!vector && !padIds(name, x, y))
        return nullptr;
    Parameter* xParam = controller.getParameterObject(x);
    Parameter* yParam = controller.getParameterObject(y);
    if (!xParam || !yParam)
        return nullptr;
    if (vector)
        return new VSTGUI::PadController(parent, &controller, xParam, yParam);
    return new CPadControllerQX(parent, &controller, xParam, yParam);
}
