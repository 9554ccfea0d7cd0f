// The editor the processor builds, with the processor and a recording plug-in object
// linked in directly: the choice made in createView, the timer's messages, the knob
// mode, linked updates and the plug-in-drawn editor.
#include "ProcessorFixture.h"

#include "adapter/Processor.h"
#include "editor/CZolvCustomView.h"
#include "editor/VST3EditorQX.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/uidescription/UIDescription.h"

#include <fstream>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Kind = ZargHost::RecordingComponentHandler::Kind;

namespace
{

template <typename T>
T* viewWithTag(VSTGUI::CFrame* frame, int32_t tag)
{
    T* found = nullptr;
    frame->forEachChild(
        [&](VSTGUI::CView* v)
        {
            if (auto* c = dynamic_cast<T*>(v); c && c->getTag() == tag)
                found = c;
        });
    return found;
}

std::string fileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

} // namespace

class EditorCreation : public ProcessorFixture
{
protected:
    IPtr<IPlugView> view(FIDString name) { return owned(controller->createView(name)); }
};

TEST_F(EditorCreation, OnlyTheNameEditorGivesTheQXEditor)
{
    for (const char* name : {"Editor", "EDITOR", "editor ", "edit", ""})
        EXPECT_EQ(view(name), nullptr) << '"' << name << '"';
    EXPECT_EQ(view(nullptr), nullptr);

    plugIn->m_editorOption = 1;
    IPtr<IPlugView> editorView = view("editor");
    auto* editor = dynamic_cast<VST3EditorQX*>(editorView.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fileName(editor->getUIDescription()->getFilePath()), "zolv.uidesc");
    EXPECT_EQ(editor->getTemplateName(), "Editor");
    EXPECT_EQ(editor->getIdleRate(), 50);
    EXPECT_EQ(editor->getKnobMode(), VSTGUI::kRelativCircularMode);
    EXPECT_EQ(editor->getPlugIn(), plugIn);
    ViewRect rect;
    ASSERT_EQ(editorView->getSize(&rect), kResultTrue);
    EXPECT_EQ(rect.getWidth(), 306);
    EXPECT_EQ(rect.getHeight(), 426);

    // Copies, in list order: changing the object's list later leaves them alone.
    const auto& copies = editor->getDescriptorCopies();
    ASSERT_EQ(copies.count(), static_cast<uint32_t>(EditorPlugIn::kDescriptors));
    for (uint32_t i = 0; i < copies.count(); ++i)
        EXPECT_EQ(copies.get(i)->controlId, 100 + static_cast<int32_t>(i));
    plugIn->m_controlList.get(0)->controlId = 7;
    EXPECT_EQ(copies.get(0)->controlId, 100);
    EXPECT_EQ(plugIn->codes(), (std::vector<int>{kGuiQueryOwnEditor}));
}

TEST_F(EditorCreation, NoViewWithoutAnEditorDescription)
{
    plugIn->m_usesEditorDescription = false;
    EXPECT_EQ(view("editor"), nullptr);
    EXPECT_TRUE(plugIn->messages.empty()) << "the object is not even asked";
}

TEST(EditorWithoutPlugIn, GivesNoView)
{
    EditorPlugIn::failCreation = true;
    FUnknown* unknown = Zeri2VST3::Processor::createInstance(nullptr);
    ASSERT_NE(unknown, nullptr);
    IPtr<IEditController> controller = FUnknownPtr<IEditController>(unknown);
    unknown->release();
    HostApplication host;
    controller->initialize(&host);
    EXPECT_EQ(controller->createView("editor"), nullptr);
    controller->terminate();
    EditorPlugIn::failCreation = false;
}

// What the resources folder holds decides between the panel, the fallback and nothing.
struct ResourceCase
{
    const char* what;
    std::vector<std::string> left_out;
    const char* replaced; // a file written with broken text
    const char* expected; // "zolv.uidesc", "vstgui.uidesc" or "" for no view
};

class EditorResources : public EditorCreation, public testing::WithParamInterface<ResourceCase>
{
};

TEST_P(EditorResources, DecideTheEditor)
{
    const ResourceCase& c = GetParam();
    std::vector<std::string> names;
    for (const std::string& name : allResources())
        if (std::find(c.left_out.begin(), c.left_out.end(), name) == c.left_out.end())
            names.push_back(name);
    const std::filesystem::path folder = resourcesWith(names);
    if (c.replaced)
        std::ofstream(folder / c.replaced, std::ios::trunc) << "<vstgui-ui-description version=";

    IPtr<IPlugView> editorView = view("editor");
    if (!*c.expected)
    {
        EXPECT_EQ(editorView, nullptr);
        return;
    }
    auto* editor = dynamic_cast<VSTGUI::VST3Editor*>(editorView.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(fileName(editor->getUIDescription()->getFilePath()), c.expected);
    EXPECT_EQ(dynamic_cast<VST3EditorQX*>(editor) != nullptr,
              std::string(c.expected) == "zolv.uidesc");
    // Whatever was chosen opens.
    ASSERT_TRUE(editor->open(nullptr));
    editor->close();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditorResources,
    testing::Values(ResourceCase{"complete", {}, nullptr, "zolv.uidesc"},
                    ResourceCase{"panel missing", {"zolv.uidesc"}, nullptr, "vstgui.uidesc"},
                    ResourceCase{"panel malformed", {}, "zolv.uidesc", "vstgui.uidesc"},
                    ResourceCase{"knob strip missing", {"sslblue.png"}, nullptr, "vstgui.uidesc"},
                    ResourceCase{"face plate broken", {}, "quorzelpanel.png", "vstgui.uidesc"},
                    ResourceCase{
                        "both descriptions missing", {"zolv.uidesc", "vstgui.uidesc"}, nullptr, ""},
                    ResourceCase{"fallback broken too", {"background.png"}, "zolv.uidesc", ""}),
    [](const auto& caseInfo)
    {
        std::string name = caseInfo.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

class OpenEditor : public EditorCreation
{
protected:
    void SetUp() override
    {
        EditorCreation::SetUp();
        editorView = view("editor");
        editor = dynamic_cast<VST3EditorQX*>(editorView.get());
        ASSERT_NE(editor, nullptr);
        ASSERT_EQ(editor->openOffscreen(), kResultTrue);
        frame = editor->getFrame();
        plugIn->messages.clear();
        handler->clear();
    }
    void TearDown() override
    {
        if (editor)
            editor->closeOffscreen();
        editorView = nullptr;
        EditorCreation::TearDown();
    }

    IPtr<IPlugView> editorView;
    VST3EditorQX* editor{nullptr};
    VSTGUI::CFrame* frame{nullptr};
};

TEST_F(OpenEditor, OpenAndCloseAreReported)
{
    editor->closeOffscreen();
    ASSERT_EQ(editor->openOffscreen(), kResultTrue);
    EXPECT_EQ(plugIn->codes(), (std::vector<int>{kGuiEditorClosing, kGuiEditorOpened}));
    const EditorMessage& opened = plugIn->messages.back();
    EXPECT_STREQ(opened.customViewName, "");
    EXPECT_STREQ(opened.extraText, "");
    EXPECT_EQ(opened.editor, nullptr);
    EXPECT_FALSE(opened.ownEditor);
}

TEST_F(OpenEditor, EachTickPingsAndRedrawsTheWholePanel)
{
    for (int tick = 1; tick <= 3; ++tick)
    {
        frame->clearDirtyRect();
        ASSERT_EQ(editor->tick(), kResultTrue);
        EXPECT_EQ(plugIn->count(kGuiTimerPing), tick);
        EXPECT_EQ(frame->getDirtyRect(), VSTGUI::CRect(0, 0, 306, 426));
    }
    EXPECT_EQ(plugIn->count(kGuiEditorOpened), 0) << "no rebuild, no RecreateView";
}

TEST_F(OpenEditor, RebuildIsReportedAsANewlyOpenedView)
{
    ASSERT_TRUE(editor->exchangeView("Editor"));
    // A message other than the tick does not rebuild.
    editor->notify(nullptr, "something else");
    EXPECT_TRUE(plugIn->codes().empty());
    VSTGUI::CView* before = frame->getView(0);
    ASSERT_EQ(editor->tick(), kResultTrue);
    EXPECT_NE(frame->getView(0), before) << "the view was rebuilt";
    EXPECT_EQ(plugIn->codes(), (std::vector<int>{kGuiTimerPing, kGuiEditorOpened}));
    ASSERT_EQ(editor->tick(), kResultTrue);
    EXPECT_EQ(plugIn->count(kGuiEditorOpened), 1);
    EXPECT_NE(viewWithTag<VSTGUI::CAnimKnob>(frame, 0), nullptr) << "bound again";
}

TEST_F(OpenEditor, SizeChangesAreNotNegotiated)
{
    EXPECT_TRUE(
        editor->beforeSizeChange(VSTGUI::CRect(0, 0, 10, 10), VSTGUI::CRect(0, 0, 306, 426)));
    EXPECT_TRUE(
        editor->beforeSizeChange(VSTGUI::CRect(0, 0, 900, 900), VSTGUI::CRect(0, 0, 306, 426)));
}

TEST_F(OpenEditor, MovingAKnobRunsTheObjectsLinkedUpdates)
{
    auto* knob = viewWithTag<VSTGUI::CAnimKnob>(frame, 0);
    ASSERT_NE(knob, nullptr);
    knob->setValueNormalized(0.8f);
    editor->valueChanged(knob);

    ASSERT_EQ(plugIn->linkQueries.size(), 1u);
    EXPECT_EQ(plugIn->linkQueries[0].controlId, EditorPlugIn::kLinkedFrom);
    EXPECT_FLOAT_EQ(plugIn->linkQueries[0].value, 8.0f) << "the plain value";
    EXPECT_FALSE(plugIn->linkQueries[0].fromHost);

    // Control 105 sits at position 5: half of 8 on its 0..10 range; 999 is skipped.
    EXPECT_NEAR(controller->getParamNormalized(0), 0.8, 1e-6);
    EXPECT_NEAR(controller->getParamNormalized(5), 0.4, 1e-6);
    std::vector<std::pair<Kind, uint32>> calls;
    for (const auto& call : handler->calls())
        calls.emplace_back(call.kind, call.id);
    EXPECT_EQ(calls, (std::vector<std::pair<Kind, uint32>>{{Kind::BeginEdit, 0},
                                                           {Kind::PerformEdit, 0},
                                                           {Kind::EndEdit, 0},
                                                           {Kind::PerformEdit, 5}}));
    // The Volume knob shows the linked value.
    EXPECT_NEAR(viewWithTag<VSTGUI::CAnimKnob>(frame, 5)->getValueNormalized(), 0.4, 1e-6);

    // Another control links nothing.
    handler->clear();
    auto* trim = viewWithTag<VSTGUI::CAnimKnob>(frame, 8);
    ASSERT_NE(trim, nullptr);
    trim->setValueNormalized(0.25f);
    editor->valueChanged(trim);
    EXPECT_EQ(plugIn->linkQueries.back().controlId, 108);
    EXPECT_EQ(handler->calls().size(), 3u);
}

TEST_F(EditorCreation, TextTheProcessorCannotReadIsNotSent)
{
    auto* editor = new VST3EditorQX(processor, "Edit", ZARG_EDITOR_TEST_DATA "/textedit.uidesc");
    IPtr<IPlugView> owner = owned(static_cast<IPlugView*>(editor));
    editor->setPlugIn(plugIn);
    ASSERT_TRUE(editor->open(nullptr));
    auto* edit = viewWithTag<VSTGUI::CTextEdit>(editor->getFrame(), 3);
    ASSERT_NE(edit, nullptr);
    controller->setParamNormalized(3, 0.5);
    handler->clear();
    const std::string shown = edit->getText();

    edit->setText("not a number");
    editor->valueChanged(edit);
    EXPECT_TRUE(handler->calls().empty());
    EXPECT_TRUE(plugIn->linkQueries.empty()) << "no linked updates either";
    EXPECT_EQ(edit->getText(), shown) << "the parameter shown again";
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(3), 0.5);

    edit->setText("2.5");
    editor->valueChanged(edit);
    EXPECT_NEAR(controller->getParamNormalized(3), 0.25, 1e-6);
    ASSERT_EQ(handler->calls().size(), 3u);
    EXPECT_EQ(handler->calls()[1].kind, Kind::PerformEdit);
    ASSERT_EQ(plugIn->linkQueries.size(), 1u);
    EXPECT_EQ(plugIn->linkQueries[0].controlId, 103);
    EXPECT_NEAR(plugIn->linkQueries[0].value, 2.5f, 1e-4);
    editor->close();
}

struct KnobModeCase
{
    int32_t knobMode;
    KnobMode hostMode;
    int32_t expected;
};

class KnobModeTable : public EditorCreation, public testing::WithParamInterface<KnobModeCase>
{
protected:
    void TearDown() override
    {
        if (auto editor2 = FUnknownPtr<IEditController2>(controller))
            editor2->setKnobMode(kCircularMode);
        EditorCreation::TearDown();
    }
};

TEST_P(KnobModeTable, FollowTheTable)
{
    const KnobModeCase& c = GetParam();
    FUnknownPtr<IEditController2> editor2(controller);
    ASSERT_TRUE(editor2);
    ASSERT_EQ(editor2->setKnobMode(c.hostMode), kResultTrue);
    plugIn->m_editorOption = c.knobMode;
    IPtr<IPlugView> editorView = view("editor");
    auto* editor = dynamic_cast<VST3EditorQX*>(editorView.get());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->getKnobMode(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KnobModeTable,
    testing::Values(KnobModeCase{0, kLinearMode, 0}, KnobModeCase{1, kCircularMode, 1},
                    KnobModeCase{2, kRelativCircularMode, 2}, KnobModeCase{3, kCircularMode, 0},
                    KnobModeCase{3, kRelativCircularMode, 1}, KnobModeCase{3, kLinearMode, 2},
                    KnobModeCase{7, kCircularMode, 2}, KnobModeCase{-1, kRelativCircularMode, 2}));

class OwnEditor : public EditorCreation
{
protected:
    void SetUp() override
    {
        EditorCreation::SetUp();
        plugIn->drawsOwnEditor = true;
        editorView = view("editor");
        custom = dynamic_cast<CZolvCustomView*>(editorView.get());
        ASSERT_NE(custom, nullptr);
        plugIn->messages.clear();
    }
    void TearDown() override
    {
        editorView = nullptr;
        EditorCreation::TearDown();
    }

    IPtr<IPlugView> editorView;
    CZolvCustomView* custom{nullptr};
    int parentWindow{0};
};

TEST_F(OwnEditor, OpensWithTheObjectsSizeAndEveryParameter)
{
    ViewRect rect;
    ASSERT_EQ(editorView->getSize(&rect), kResultTrue);
    EXPECT_EQ(rect.getWidth(), 100);
    EXPECT_EQ(rect.getHeight(), 100);
    EXPECT_EQ(custom->getPlugIn(), plugIn);

    controller->setParamNormalized(3, 0.75);
    plugIn->messages.clear();
    ASSERT_TRUE(custom->open(&parentWindow, VSTGUI::PlatformType::kX11EmbedWindowID));
    ASSERT_FALSE(plugIn->messages.empty());
    const EditorMessage& opened = plugIn->messages.front();
    EXPECT_EQ(opened.message, kGuiOwnEditorOpened);
    EXPECT_EQ(opened.parentWindow, &parentWindow);
    EXPECT_EQ(opened.editor, custom);
    EXPECT_EQ(opened.parameterConnector, custom);
    EXPECT_NE(opened.moduleHandle, nullptr);
    EXPECT_EQ(opened.platformType, static_cast<int32_t>(VSTGUI::PlatformType::kX11EmbedWindowID));

    const int32 count = controller->getParameterCount();
    ASSERT_EQ(plugIn->messages.size(), static_cast<size_t>(count) + 1);
    for (int32 i = 0; i < count; ++i)
    {
        const EditorMessage& m = plugIn->messages[static_cast<size_t>(i) + 1];
        EXPECT_EQ(m.message, kGuiParameterChanged);
        EXPECT_EQ(m.parameterIndex, i);
        EXPECT_DOUBLE_EQ(m.parameterValue, controller->getParamNormalized(static_cast<ParamID>(i)));
    }
    EXPECT_DOUBLE_EQ(plugIn->messages[4].parameterValue, 0.75);
    ASSERT_NE(custom->getFrame(), nullptr);
    EXPECT_EQ(custom->getFrame()->getViewSize(), VSTGUI::CRect(0, 0, 200, 150));

    plugIn->messages.clear();
    custom->close();
    EXPECT_EQ(custom->getFrame(), nullptr);
    ASSERT_EQ(plugIn->codes(), (std::vector<int>{kGuiOwnEditorClosing}));
    EXPECT_EQ(plugIn->messages[0].parentWindow, &parentWindow);
}

TEST_F(OwnEditor, RefusedByTheObjectFailsToOpen)
{
    plugIn->ownEditorOpens = false;
    EXPECT_FALSE(custom->open(&parentWindow));
    EXPECT_EQ(plugIn->codes(), (std::vector<int>{kGuiOwnEditorOpened}));
    EXPECT_EQ(plugIn->count(kGuiParameterChanged), 0);
    // The frame made before asking is taken down with the view (the leak checker sees it).
}

TEST_F(OwnEditor, PassesTheObjectsEditsToTheHost)
{
    CVSTParameterConnector* connector = custom;
    connector->beginParameterEdit(3);
    connector->setParameterFromGUI(3, 0.25f);
    connector->endParameterEdit(3);
    EXPECT_EQ(handler->calls(), (std::vector<ZargHost::RecordingComponentHandler::Call>{
                                    {Kind::BeginEdit, 3, 0.0, 0},
                                    {Kind::PerformEdit, 3, 0.25, 0},
                                    {Kind::EndEdit, 3, 0.0, 0}}));
    EXPECT_DOUBLE_EQ(controller->getParamNormalized(3), 0.25);
}
