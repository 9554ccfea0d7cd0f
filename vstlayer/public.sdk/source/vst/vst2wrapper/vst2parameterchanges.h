#pragma once

#include "public.sdk/source/vst/vst2wrapper/vst2paramvaluequeue.h"

#include <vector>

namespace Steinberg::Vst
{

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// The parameter changes of one block, one queue per parameter, with room for a fixed
// number of parameters: nothing allocates while it is filled on the audio thread. Not
// reference counted; its owner keeps it.
class Vst2ParameterChanges : public IParameterChanges
{
public:
    // Main thread, before processing; clears the changes.
    void setCapacity(int32 maxParameters);

    // A change beyond the capacity is dropped.
    void add(ParamID id, int32 sampleOffset, ParamValue value);
    void limitOffsets(int32 numSamples);
    void clear() { used = 0; }

    int32 PLUGIN_API getParameterCount() override { return used; }
    IParamValueQueue* PLUGIN_API getParameterData(int32 index) override;
    IParamValueQueue* PLUGIN_API addParameterData(const ParamID& id, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID queried, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    Vst2ParamValueQueue* queueFor(ParamID id, int32* index = nullptr);

    std::vector<Vst2ParamValueQueue> queues;
    int32 used = 0;
};
#pragma GCC diagnostic pop

} // namespace Steinberg::Vst
