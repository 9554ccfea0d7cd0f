#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <atomic>
#include <memory>
#include <vector>

namespace Zeri2VST3
{

// Parameter values the main thread changed on its own (a factory preset),
// reported to the host by the audio thread through the block's output
// parameter changes. It reaches hosts that offer no run loop to call back
// from, without calling into the host from inside one of its calls.
class HostValueReport
{
public:
    // Main thread, before processing: the parameters that can be reported.
    void prepare(const std::vector<Steinberg::Vst::ParamID>& ids);

    // Main thread: the values, then publish() once they are all set.
    void set(Steinberg::Vst::ParamID id, double value);
    void publish();

    // Audio thread: adds the published values to the block's output changes.
    void deliver(Steinberg::Vst::IParameterChanges* outputs);

private:
    std::vector<Steinberg::Vst::ParamID> ids;
    std::unique_ptr<std::atomic<double>[]> values;
    std::atomic<bool> published{false};
};

} // namespace Zeri2VST3
