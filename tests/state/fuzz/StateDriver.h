#pragma once

#include "host/ProcessBlock.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivstaudioprocessor.h"
#include "pluginterfaces/vst/ivstcomponent.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// One processor with the fuzz pedal, linked in, driven as a host drives it:
// initialized, set up for 44.1 kHz stereo, restored from bytes on both sides
// and rendered one block at a time.
class StateDriver
{
public:
    static constexpr Steinberg::int32 kBlock = 256;

    StateDriver();
    ~StateDriver();
    StateDriver(const StateDriver&) = delete;
    StateDriver& operator=(const StateDriver&) = delete;

    bool ready() const { return component && controller && audio; }

    void setActive(bool active);
    // setState, then setComponentState, with the same bytes.
    void restore(const uint8_t* data, size_t size);
    void selectPreset(int preset);
    std::vector<char> state();
    // One block of a fixed test signal; false when any output sample is not finite.
    bool renderFinite();

private:
    Steinberg::Vst::HostApplication host;
    Steinberg::IPtr<Steinberg::Vst::IComponent> component;
    Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
    Steinberg::IPtr<Steinberg::Vst::IAudioProcessor> audio;
    ZargHost::ProcessBlock block{{2}, {2}, kBlock};
    bool active = false;
};
