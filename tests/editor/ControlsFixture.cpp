#include "ControlsFixture.h"

#include "TestImages.h"

#include "adapter/Processor.h"

#include "vstgui/lib/CViewContainer.h"

#include <fstream>

using namespace Steinberg;
using VSTGUI::Test::writeStrip;

void ControlsFixture::SetUp()
{
    ProcessorFixture::SetUp();
    const std::filesystem::path folder = resourcesWith({});
    struct Strip
    {
        const char* file;
        int width, height, frames, green;
    } strips[] = {{"kick.png", 20, 20, 2, 0},
                  {"ledon.png", 17, 85, 1, kLedOnGreen},
                  {"ledoff.png", 17, 85, 1, kLedOffGreen},
                  {"vuledon.png", 17, 85, 1, kLedOnGreen},
                  {"vuledoff.png", 17, 85, 1, kLedOffGreen},
                  {"film.png", 60, 32, 80, kFilmGreen}};
    for (const Strip& s : strips)
        ASSERT_TRUE(writeStrip((folder / s.file).string(), s.width, s.height, s.frames, s.green));
}

void ControlsFixture::TearDown()
{
    if (editor)
        editor->closeOffscreen();
    editorView = nullptr;
    ProcessorFixture::TearDown();
}

std::string ControlsFixture::description(const std::string& views)
{
    std::string tags;
    for (int i = 0; i < EditorPlugIn::kControls; ++i)
        tags +=
            "<control-tag name=\"C" + std::to_string(i) + "\" tag=\"" + std::to_string(i) + "\"/>";
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<vstgui-ui-description version="1">
  <bitmaps>
    <bitmap name="kick" path="kick.png"/><bitmap name="film" path="film.png"/>
    <bitmap name="ledon" path="ledon.png"/><bitmap name="ledoff" path="ledoff.png"/>
    <bitmap name="vuledon" path="vuledon.png"/><bitmap name="vuledoff" path="vuledoff.png"/>
  </bitmaps>
  <colors>
    <color name="Pad" rgba="#102030ff"/><color name="Rim" rgba="#405060ff"/>
    <color name="Dot" rgba="#ff0000ff"/>
  </colors>
  <control-tags>)" +
           tags + R"(
    <control-tag name="NG2_Threshold" tag="1"/><control-tag name="OutMeter" tag="24"/>
  </control-tags>
  <template name="T" class="CViewContainer" origin="0, 0" size="200, 200"
            background-color="~ BlackCColor" transparent="false">
)" + views +
           R"(
  </template>
</vstgui-ui-description>
)";
}

VST3EditorQX* ControlsFixture::openEditor(const std::string& views)
{
    const std::filesystem::path file = scratch / "test.uidesc";
    std::ofstream(file, std::ios::trunc) << description(views);
    return openDescription(file.string(), "T");
}

VST3EditorQX* ControlsFixture::openDescription(const std::string& path, const char* templateName)
{
    auto* created = new VST3EditorQX(processor, templateName, path.c_str());
    editorView = owned(static_cast<IPlugView*>(created));
    created->setPlugIn(plugIn);
    if (!created->open(nullptr))
        return nullptr;
    editor = created;
    return editor;
}

VSTGUI::CView* ControlsFixture::firstView() const
{
    auto* container = dynamic_cast<VSTGUI::CViewContainer*>(editor->getFrame()->getView(0));
    return container && container->getNbViews() > 0 ? container->getView(0) : nullptr;
}
