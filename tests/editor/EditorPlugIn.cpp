#include "EditorPlugIn.h"

#include <algorithm>
#include <cstdio>

EditorPlugIn* EditorPlugIn::last = nullptr;
bool EditorPlugIn::failCreation = false;

EditorPlugIn::EditorPlugIn()
{
    m_usesEditorDescription = true;
    for (int i = 0; i < kControls; ++i)
    {
        CControlDescriptor d;
        d.controlType = kControlTypeUser;
        d.controlId = 100 + i;
        d.controlIndex = i;
        d.minValue = 0.0f;
        d.maxValue = 10.0f;
        d.dataType = kDataTypeFloat;
        d.floatVariable = &values[static_cast<size_t>(i)];
        char name[8];
        std::snprintf(name, sizeof name, "C%d", i);
        d.setName(name);
        m_controlList.append(d);
    }
    indexControls();
}

intptr_t EditorPlugIn::onEditorMessage(EditorMessage& message)
{
    messages.push_back(message);
    switch (message.message)
    {
    case kGuiQueryOwnEditor:
        message.ownEditor = drawsOwnEditor;
        return 0;
    case kGuiOwnEditorOpened:
        message.editorWidth = ownWidth;
        message.editorHeight = ownHeight;
        return ownEditorOpens ? 1 : 0;
    default:
        return 0;
    }
}

bool EditorPlugIn::queryLinkedControlUpdates(int32_t controlId, float value,
                                             LinkedControlUpdate** list, bool fromHost)
{
    linkQueries.push_back({controlId, value, fromHost});
    if (controlId != kLinkedFrom)
        return false;
    auto* unknown = new LinkedControlUpdate{kUnknownControl, 1.0f, nullptr};
    *list = new LinkedControlUpdate{kLinkedTo, value / 2.0f, unknown};
    return true;
}

std::vector<int> EditorPlugIn::codes() const
{
    std::vector<int> result;
    for (const EditorMessage& m : messages)
        if (m.message != kGuiParameterChanged)
            result.push_back(m.message);
    return result;
}

int EditorPlugIn::count(int32_t code) const
{
    return static_cast<int>(std::count_if(messages.begin(), messages.end(),
                                          [code](const EditorMessage& m)
                                          { return m.message == code; }));
}

CPlugIn* createPlugInObject()
{
    if (EditorPlugIn::failCreation)
        return nullptr;
    EditorPlugIn::last = new EditorPlugIn;
    return EditorPlugIn::last;
}
