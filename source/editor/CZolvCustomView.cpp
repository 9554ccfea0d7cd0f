#include "editor/CZolvCustomView.h"

#include "editor/EditorMessage.h"
#include "editor/ModuleHandle.h"
#include "framework/CPlugIn.h"

#include "vstgui/lib/CFrame.h"

using namespace Steinberg;
using namespace Steinberg::Vst;

CZolvCustomView::CZolvCustomView(EditController* editController, ViewRect* size)
    : VSTGUIEditor(editController, size)
{
}

CZolvCustomView::~CZolvCustomView()
{
    // A failed open leaves its frame for the host's release to take down.
    releaseFrame();
}

void CZolvCustomView::beginParameterEdit(uint32_t id)
{
    if (controller)
        controller->beginEdit(id);
}

void CZolvCustomView::endParameterEdit(uint32_t id)
{
    if (controller)
        controller->endEdit(id);
}

void CZolvCustomView::setParameterFromGUI(uint32_t id, float normalized)
{
    if (!controller)
        return;
    const auto value = static_cast<ParamValue>(normalized);
    controller->setParamNormalized(id, value);
    controller->performEdit(id, value);
}

bool PLUGIN_API CZolvCustomView::open(void* parent, const VSTGUI::PlatformType& type)
{
    if (frame)
        return false;
    frame = new VSTGUI::CFrame(VSTGUI::CRect(0, 0, 0, 0), this);
    if (!plugIn)
        return false;
    parentWindow = parent;
    EditorMessage opened{};
    opened.message = kGuiOwnEditorOpened;
    opened.parentWindow = parent;
    opened.editor = this;
    opened.parameterConnector = this;
    opened.moduleHandle = ownModuleHandle();
    opened.platformType = static_cast<int32_t>(type);
    if (plugIn->onEditorMessage(opened) == 0)
        return false;
    for (int32 i = 0; controller && i < controller->getParameterCount(); ++i)
    {
        EditorMessage changed{};
        changed.message = kGuiParameterChanged;
        changed.parameterIndex = i;
        changed.parameterValue = controller->getParamNormalized(static_cast<ParamID>(i));
        plugIn->onEditorMessage(changed);
    }
    frame->setSize(opened.editorWidth, opened.editorHeight);
    return true;
}

void PLUGIN_API CZolvCustomView::close()
{
    if (plugIn)
    {
        EditorMessage closing{};
        closing.message = kGuiOwnEditorClosing;
        closing.parentWindow = parentWindow;
        closing.moduleHandle = ownModuleHandle();
        plugIn->onEditorMessage(closing);
        parentWindow = nullptr;
    }
    releaseFrame();
}

void CZolvCustomView::releaseFrame()
{
    if (!frame)
        return;
    VSTGUI::CFrame* f = frame;
    frame = nullptr;
    if (f->getNbReference() == 1)
        f->close();
    else
        f->forget();
}
