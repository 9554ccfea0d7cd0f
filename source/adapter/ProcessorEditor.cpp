#include "adapter/Processor.h"

#include "editor/CZolvCustomView.h"
#include "editor/CustomViewFactory.h"
#include "editor/SubControllerFactory.h"
#include "editor/VST3EditorQX.h"
#include "framework/CPlugIn.h"

#include "vstgui/lib/CView.h"
#include "vstgui/uidescription/UIDescription.h"

#include <cstring>

using namespace Steinberg;
using namespace Steinberg::Vst;

namespace Zeri2VST3
{

namespace
{
// An editor whose description is unreadable or whose template cannot be built would
// only fail once the host attaches it.
bool templateBuilds(const VSTGUI::VST3Editor& editor)
{
    VSTGUI::UIDescription* description = editor.getUIDescription();
    if (!description)
        return false;
    VSTGUI::CView* view = description->createView(editor.getTemplateName().c_str(), nullptr);
    if (!view)
        return false;
    view->forget();
    return true;
}
} // namespace

IPlugView* PLUGIN_API Processor::createView(FIDString name)
{
    if (!plugIn || !name || std::strcmp(name, ViewType::kEditor) != 0 ||
        !plugIn->m_usesEditorDescription)
        return nullptr;

    EditorMessage query{};
    query.message = kGuiQueryOwnEditor;
    plugIn->onEditorMessage(query);
    if (query.ownEditor)
    {
        ViewRect size(0, 0, 100, 100);
        auto* view = new CZolvCustomView(this, &size);
        view->setPlugIn(plugIn);
        return view;
    }

    auto* editor = new VST3EditorQX(this, "Editor", "zolv.uidesc");
    if (templateBuilds(*editor))
    {
        editor->setKnobMode(plugIn->m_editorOption);
        editor->setPlugIn(plugIn);
        return editor;
    }
    editor->release();

    auto* fallback = new VSTGUI::VST3Editor(this, "Editor", "vstgui.uidesc");
    if (templateBuilds(*fallback))
        return fallback;
    fallback->release();
    return nullptr;
}

void Processor::didOpen(VSTGUI::VST3Editor* editor)
{
    if (!plugIn || !editor)
        return;
    prepareEditorLifecycleMessage(kGuiEditorOpened);
    plugIn->onEditorMessage(guiMessage);
}

void Processor::willClose(VSTGUI::VST3Editor*)
{
    if (!plugIn)
        return;
    prepareEditorLifecycleMessage(kGuiEditorClosing);
    plugIn->onEditorMessage(guiMessage);
}

VSTGUI::CView* Processor::createCustomView(VSTGUI::UTF8StringPtr name,
                                           const VSTGUI::UIAttributes& attributes,
                                           const VSTGUI::IUIDescription* description,
                                           VSTGUI::VST3Editor*)
{
    if (!plugIn || !name)
        return nullptr;
    return CustomViewFactory(*plugIn, guiMessage, editorFlag)
        .createView(name, attributes, description);
}

VSTGUI::IController* Processor::createSubController(VSTGUI::UTF8StringPtr name,
                                                    const VSTGUI::IUIDescription*,
                                                    VSTGUI::VST3Editor* editor)
{
    if (!plugIn || !name)
        return nullptr;
    return SubControllerFactory(*this, kJoystickXId, kJoystickYId).create(name, editor);
}

} // namespace Zeri2VST3
