#include "ParameterTable.h"

#include "NumberText.h"
#include "RenderError.h"
#include "Utf16Text.h"

#include <algorithm>
#include <cmath>
#include <sstream>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace
{

std::string rangeText(double low, double high)
{
    std::ostringstream out;
    out << low << " to " << high;
    return out.str();
}

std::string entryList(const std::vector<std::string>& entries)
{
    std::string out;
    for (const std::string& entry : entries)
        out += (out.empty() ? "" : ", ") + entry;
    return out;
}

} // namespace

ParameterTable::ParameterTable(IEditController& editController) : controller(editController)
{
    const int32 count = controller.getParameterCount();
    for (int32 i = 0; i < count; ++i)
    {
        ParameterInfo info{};
        if (controller.getParameterInfo(i, info) != kResultOk)
            continue;
        Parameter p;
        p.id = info.id;
        p.title = toUtf8(info.title);
        p.units = toUtf8(info.units);
        p.stepCount = info.stepCount;
        p.flags = info.flags;
        p.defaultNormalized = info.defaultNormalizedValue;
        p.minPlain = controller.normalizedParamToPlain(info.id, 0.0);
        p.maxPlain = controller.normalizedParamToPlain(info.id, 1.0);
        if ((info.flags & ParameterInfo::kIsList) && info.stepCount > 0)
        {
            for (int32 step = 0; step <= info.stepCount; ++step)
            {
                String128 text{};
                controller.getParamStringByValue(info.id,
                                                 static_cast<double>(step) / info.stepCount, text);
                p.entries.push_back(toUtf8(text));
            }
        }
        parameters.push_back(std::move(p));
    }
}

const ParameterTable::Parameter* ParameterTable::findId(ParamID id) const
{
    const auto it = std::ranges::find(parameters, id, &Parameter::id);
    return it == parameters.end() ? nullptr : &*it;
}

const ParameterTable::Parameter& ParameterTable::find(const std::string& title) const
{
    const auto exact = std::ranges::find(parameters, title, &Parameter::title);
    if (exact != parameters.end())
        return *exact;
    const auto loose = std::ranges::find_if(parameters, [&](const Parameter& p)
                                            { return sameName(p.title, title); });
    if (loose == parameters.end())
        throw RenderError("unknown parameter '" + title + "' (see --list)");
    return *loose;
}

double ParameterTable::normalizedFor(const Parameter& p, const std::string& text) const
{
    if (p.flags & (ParameterInfo::kIsReadOnly | ParameterInfo::kIsProgramChange))
        throw RenderError("parameter '" + p.title + "' cannot be set" +
                          ((p.flags & ParameterInfo::kIsProgramChange) ? " (use --preset)" : ""));
    const std::string setting = "--set " + p.title + "=" + text;
    if (p.isList())
    {
        const auto entry = std::ranges::find_if(p.entries, [&](const std::string& e)
                                                { return sameName(e, text); });
        long long index = entry - p.entries.begin();
        if (entry == p.entries.end())
        {
            // The entry's index is the list parameter's plain value.
            const auto number = parseInteger(text);
            if (!number || *number < 0 || *number > p.stepCount)
                throw RenderError(setting + ": expected one of " + entryList(p.entries) +
                                  " or an index from 0 to " + std::to_string(p.stepCount));
            index = *number;
        }
        return std::clamp(controller.plainParamToNormalized(p.id, static_cast<double>(index)), 0.0,
                          1.0);
    }

    const auto value = parseDouble(text);
    if (!value)
        throw RenderError(setting + ": not a number");
    const double low = std::min(p.minPlain, p.maxPlain);
    const double high = std::max(p.minPlain, p.maxPlain);
    // The range ends come back through the plug-in's tapers, whose fast
    // approximations miss a round end such as 1.0 by a few parts in 10^5;
    // the knob's end should still be reachable by its round value.
    const double slack = 1e-4 * (high - low);
    if (!(*value >= low - slack && *value <= high + slack))
        throw RenderError(setting + ": outside the range " + rangeText(low, high) +
                          (p.units.empty() ? "" : " " + p.units));
    return std::clamp(controller.plainParamToNormalized(p.id, *value), 0.0, 1.0);
}

std::string ParameterTable::displayText(const Parameter& p, double normalized) const
{
    String128 text{};
    if (controller.getParamStringByValue(p.id, normalized, text) != kResultOk)
        return {};
    return toUtf8(text);
}
