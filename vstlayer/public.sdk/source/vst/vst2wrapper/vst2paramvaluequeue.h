#pragma once

#include "pluginterfaces/vst/ivstparameterchanges.h"

#include <array>

namespace Steinberg::Vst
{

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
// One parameter's points of a block, kept in offset order in place: filled and read
// on the audio thread, which must not allocate. Not reference counted; its
// Vst2ParameterChanges owns it.
class Vst2ParamValueQueue : public IParamValueQueue
{
public:
    static constexpr int32 kMaxPoints = 64;

    void reset(ParamID id);
    // Points with equal offsets keep their order; a full queue replaces its last point,
    // so the latest value of the block still arrives. Answers the point's index.
    int32 add(int32 sampleOffset, ParamValue value);
    // Offsets beyond the block move to its last sample.
    void limitOffsets(int32 numSamples);

    ParamID PLUGIN_API getParameterId() override { return id; }
    int32 PLUGIN_API getPointCount() override { return count; }
    tresult PLUGIN_API getPoint(int32 index, int32& sampleOffset, ParamValue& value) override;
    tresult PLUGIN_API addPoint(int32 sampleOffset, ParamValue value, int32& index) override;

    tresult PLUGIN_API queryInterface(const TUID queried, void** obj) override;
    uint32 PLUGIN_API addRef() override { return 1; }
    uint32 PLUGIN_API release() override { return 1; }

private:
    struct Point
    {
        int32 offset;
        ParamValue value;
    };

    ParamID id = kNoParamId;
    int32 count = 0;
    std::array<Point, kMaxPoints> points{};
};
#pragma GCC diagnostic pop

} // namespace Steinberg::Vst
