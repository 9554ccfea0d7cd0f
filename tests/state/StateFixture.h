#pragma once

#include "StateBytes.h"
#include "adapter/ParameterIds.h"
#include "host/PluginInstance.h"
#include "host/PluginModule.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <vector>

// The built bundle as a host loads it, with the host-side operations the
// state tests share: opening instances, restoring both sides of a state,
// reading every parameter and rendering audio.
class StateFixture : public testing::Test
{
protected:
    static constexpr double kSampleRate = 44100.0;
    static constexpr Steinberg::int32 kBlock = 512;

    void SetUp() override;

    // Initialized; set up for processing and active when `active`.
    std::unique_ptr<ZargHost::PluginInstance> open(bool active = false);

    static std::vector<char> state(ZargHost::PluginInstance& instance);
    static Steinberg::tresult setComponentState(ZargHost::PluginInstance& instance,
                                                const std::vector<char>& bytes);
    // Both sides, as a host restores a project.
    static void restore(ZargHost::PluginInstance& instance, const std::vector<char>& bytes);
    static Steinberg::tresult selectPreset(ZargHost::PluginInstance& instance, int preset);

    // Every parameter's normalised value by id.
    static std::map<Steinberg::Vst::ParamID, double> hostValues(ZargHost::PluginInstance& instance);

    // Output of both channels for `blocks` blocks of a fixed guitar-like test
    // signal, with `changes` (id, value) sent in the first block.
    static std::vector<float>
    render(ZargHost::PluginInstance& instance, int blocks = 4,
           const std::vector<std::pair<Steinberg::Vst::ParamID, double>>& changes = {});

    ZargHost::PluginModule module{ZARG_BUNDLE};
    Steinberg::FUID classId;
};
