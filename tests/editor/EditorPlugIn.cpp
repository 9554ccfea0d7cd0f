#include "EditorPlugIn.h"

#include "vstgui/lib/CView.h"

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
        if (i == static_cast<int>(kThreshold))
        {
            d.setName("NG2_Threshold");
            d.setUnits("dB");
            d.precision = 2;
        }
        if (i == static_cast<int>(kBallistics))
        {
            d.meterAttackMs = 100.0f;
            d.meterReleaseMs = 1000.0f;
            d.meterDetectorMode = 1;
            d.meterFlag = true;
        }
        m_controlList.append(d);
    }
    CControlDescriptor meter;
    meter.controlType = kControlTypeMeter;
    meter.controlId = 100 + kControls;
    meter.controlIndex = kControls;
    meter.maxValue = 1.0f;
    meter.meterVariable = &meterLevel;
    meter.meterDetectorMode = 0;
    meter.setName("OutMeter");
    m_controlList.append(meter);
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
    case kGuiCreateCustomView:
    {
        CustomViewRequest request{message.customViewName,
                                  message.bitmapFile,
                                  message.handleBitmapFile,
                                  message.offBitmapFile,
                                  message.orientation,
                                  {},
                                  {},
                                  message};
        for (const VSTGUI::CColor* c : {message.backColor, message.frameColor, message.fontColor})
        {
            request.colorAddresses.push_back(c);
            if (c)
                request.colors.push_back(*c);
        }
        customViewRequests.push_back(request);
        if (makesViewFor.empty() || makesViewFor != message.customViewName)
            return 0;
        return reinterpret_cast<intptr_t>(new VSTGUI::CView(VSTGUI::CRect(0, 0, 10, 10)));
    }
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
