#include "StateDriver.h"

#include "adapter/ParameterIds.h"
#include "adapter/Processor.h"

#include "public.sdk/source/common/memorystream.h"

#include <cmath>

using namespace Steinberg;
using namespace Steinberg::Vst;

StateDriver::StateDriver()
{
    FUnknown* unknown = Zeri2VST3::Processor::createInstance(nullptr);
    if (!unknown)
        return;
    component = FUnknownPtr<IComponent>(unknown);
    controller = FUnknownPtr<IEditController>(unknown);
    audio = FUnknownPtr<IAudioProcessor>(unknown);
    unknown->release();
    if (!ready() || component->initialize(&host) != kResultOk)
    {
        component = nullptr;
        return;
    }
    ProcessSetup setup{kRealtime, kSample32, kBlock, 44100.0};
    audio->setupProcessing(setup);
    for (int32 c = 0; c < 2; ++c)
        for (int32 s = 0; s < kBlock; ++s)
            block.input(0, c)[s] = static_cast<float>(0.5 * std::sin(0.05 * (s + 7 * c)));
}

StateDriver::~StateDriver()
{
    if (!component)
        return;
    setActive(false);
    component->terminate();
}

void StateDriver::setActive(bool state)
{
    if (state == active)
        return;
    component->setActive(state);
    active = state;
}

void StateDriver::restore(const uint8_t* data, size_t size)
{
    for (int side = 0; side < 2; ++side)
    {
        IPtr<MemoryStream> stream = owned(new MemoryStream);
        int32 written = 0;
        if (size > 0)
            stream->write(const_cast<uint8_t*>(data), static_cast<int32>(size), &written);
        stream->seek(0, IBStream::kIBSeekSet, nullptr);
        if (side == 0)
            component->setState(stream);
        else
            controller->setComponentState(stream);
    }
}

void StateDriver::selectPreset(int preset)
{
    controller->setParamNormalized(Zeri2VST3::kPresetParamId, preset / 15.0);
}

std::vector<char> StateDriver::state()
{
    IPtr<MemoryStream> stream = owned(new MemoryStream);
    component->getState(stream);
    return {stream->getData(), stream->getData() + stream->getSize()};
}

bool StateDriver::renderFinite()
{
    block.clearChangesAndEvents();
    audio->process(block.data(kBlock));
    block.advance(kBlock);
    for (int32 c = 0; c < 2; ++c)
        for (int32 s = 0; s < kBlock; ++s)
            if (!std::isfinite(block.output(0, c)[s]))
                return false;
    return true;
}
