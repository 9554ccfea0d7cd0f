#include "ProcessorFixture.h"

#include "adapter/Processor.h"

#include "vstgui/platform/linux/ResourcePath.h"

#include <algorithm>
#include <unistd.h>

using namespace Steinberg;
using namespace Steinberg::Vst;

void ProcessorFixture::SetUp()
{
    VSTGUI::ResourcePath::set(ZARG_RESOURCES);
    FUnknown* unknown = Zeri2VST3::Processor::createInstance(nullptr);
    ASSERT_NE(unknown, nullptr);
    controller = FUnknownPtr<IEditController>(unknown);
    unknown->release();
    processor = dynamic_cast<Zeri2VST3::Processor*>(controller.get());
    ASSERT_NE(processor, nullptr);
    plugIn = EditorPlugIn::last;
    ASSERT_EQ(processor->initialize(&host), kResultOk);
    handler = owned(new ZargHost::RecordingComponentHandler);
    controller->setComponentHandler(handler);
    plugIn->messages.clear();
}

void ProcessorFixture::TearDown()
{
    if (controller)
    {
        controller->setComponentHandler(nullptr);
        processor->terminate();
        controller = nullptr;
    }
    VSTGUI::ResourcePath::set("");
    if (!scratch.empty())
        std::filesystem::remove_all(scratch);
}

std::filesystem::path ProcessorFixture::resourcesWith(const std::vector<std::string>& names)
{
    std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(test.begin(), test.end(), '/', '_');
    scratch = std::filesystem::temp_directory_path() /
              ("zarg-editor-" + std::to_string(::getpid()) + "-" + test);
    std::filesystem::remove_all(scratch);
    std::filesystem::create_directories(scratch);
    for (const std::string& name : names)
        std::filesystem::copy_file(std::filesystem::path(ZARG_RESOURCES) / name, scratch / name);
    VSTGUI::ResourcePath::set(scratch.string());
    return scratch;
}

std::vector<std::string> allResources()
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(ZARG_RESOURCES))
        names.push_back(entry.path().filename().string());
    return names;
}
