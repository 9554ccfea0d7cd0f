#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <vector>

namespace ZargHost
{

// The points of one parameter within one block, kept in sample order.
class ParameterValueQueue : public Steinberg::Vst::IParamValueQueue
{
public:
    explicit ParameterValueQueue(Steinberg::Vst::ParamID id);
    virtual ~ParameterValueQueue() = default;

    Steinberg::Vst::ParamID PLUGIN_API getParameterId() override { return id; }
    Steinberg::int32 PLUGIN_API getPointCount() override;
    Steinberg::tresult PLUGIN_API getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                                           Steinberg::Vst::ParamValue& value) override;
    // A point at an offset already present replaces that point's value.
    Steinberg::tresult PLUGIN_API addPoint(Steinberg::int32 sampleOffset,
                                           Steinberg::Vst::ParamValue value,
                                           Steinberg::int32& index) override;

    Steinberg::Vst::ParamValue lastValue() const { return points.back().value; }

    DECLARE_FUNKNOWN_METHODS

private:
    struct Point
    {
        Steinberg::int32 offset;
        Steinberg::Vst::ParamValue value;
    };

    Steinberg::Vst::ParamID id;
    std::vector<Point> points;
};

} // namespace ZargHost
