#pragma once

#include "EditorPlugIn.h"

#include "host/RecordingComponentHandler.h"

#include "pluginterfaces/base/smartpointer.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"
#include "public.sdk/source/vst/hosting/hostclasses.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace Zeri2VST3
{
class Processor;
}

// The processor linked in directly with EditorPlugIn as its plug-in object, a recording
// component handler, and the editor's resources taken from the build.
class ProcessorFixture : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A folder of its own holding the named build resources; each file may be replaced.
    std::filesystem::path resourcesWith(const std::vector<std::string>& names);

    Steinberg::Vst::HostApplication host;
    Zeri2VST3::Processor* processor{nullptr};
    Steinberg::IPtr<Steinberg::Vst::IEditController> controller;
    Steinberg::IPtr<ZargHost::RecordingComponentHandler> handler;
    EditorPlugIn* plugIn{nullptr};
    std::filesystem::path scratch;
};

// Every file the build puts into the bundle's resources.
std::vector<std::string> allResources();
