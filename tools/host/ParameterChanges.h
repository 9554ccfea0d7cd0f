#pragma once

#include "host/ParameterValueQueue.h"
#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <optional>
#include <vector>

namespace ZargHost
{

// One block's parameter changes, one queue per parameter; used both for the
// changes a host sends and for the ones a plug-in reports back.
class ParameterChanges : public Steinberg::Vst::IParameterChanges
{
public:
    ParameterChanges();
    virtual ~ParameterChanges() = default;

    Steinberg::int32 PLUGIN_API getParameterCount() override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API getParameterData(Steinberg::int32 index) override;
    Steinberg::Vst::IParamValueQueue* PLUGIN_API addParameterData(const Steinberg::Vst::ParamID& id,
                                                                  Steinberg::int32& index) override;

    void add(Steinberg::Vst::ParamID id, Steinberg::int32 sampleOffset,
             Steinberg::Vst::ParamValue value);
    ParameterValueQueue* find(Steinberg::Vst::ParamID id) const;
    // The value of the queue's last point, if the parameter has one.
    std::optional<Steinberg::Vst::ParamValue> lastValue(Steinberg::Vst::ParamID id) const;
    void clear();

    DECLARE_FUNKNOWN_METHODS

private:
    std::vector<Steinberg::IPtr<ParameterValueQueue>> queues;
};

} // namespace ZargHost
