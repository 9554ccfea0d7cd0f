#pragma once

#include "editor/EditorMessage.h"
#include "framework/CPlugIn.h"

#include "vstgui/lib/CColor.h"

#include <array>
#include <string>
#include <vector>

// A plug-in object for the editor's tests: 24 controls in the panel's positions, each
// 0..10, with control ids 100 + position so that ids and positions differ, then a meter.
// It records the editor messages it gets and can answer as a plug-in that draws its own
// editor or makes custom views. Moving control 100 links control 105 to half its value
// and a control nobody has. Control 1 is the noise-gate threshold in dB; control 2 has
// meter ballistics of its own.
class EditorPlugIn : public CPlugIn
{
public:
    static constexpr int kControls = 24;
    static constexpr int32_t kLinkedFrom = 100;
    static constexpr int32_t kLinkedTo = 105;
    static constexpr int32_t kUnknownControl = 999;
    static constexpr uint32_t kThreshold = 1;
    static constexpr uint32_t kBallistics = 2;
    static constexpr uint32_t kMeter = kControls;
    static constexpr uint32_t kDescriptors = kControls + 1;

    EditorPlugIn();

    intptr_t onEditorMessage(EditorMessage& message) override;
    bool queryLinkedControlUpdates(int32_t controlId, float value, LinkedControlUpdate** list,
                                   bool fromHost) override;

    std::vector<EditorMessage> messages;
    std::vector<int> codes() const;
    int count(int32_t code) const;

    // Answers for the plug-in-drawn editor.
    bool drawsOwnEditor = false;
    bool ownEditorOpens = true;
    int32_t ownWidth = 200;
    int32_t ownHeight = 150;

    struct Query
    {
        int32_t controlId;
        float value;
        bool fromHost;
    };
    std::vector<Query> linkQueries;

    std::array<float, kControls> values{};
    float meterLevel = 0.0f;

    // What a custom-view request carried, copied while its texts were alive.
    struct CustomViewRequest
    {
        std::string name;
        std::string bitmapFile;
        std::string handleBitmapFile;
        std::string offBitmapFile;
        std::string orientation;
        std::vector<VSTGUI::CColor> colors; // back, frame, font; absent ones left out
        std::vector<const VSTGUI::CColor*> colorAddresses;
        EditorMessage record;
    };
    std::vector<CustomViewRequest> customViewRequests;
    // Made for custom-view requests by this name, when set.
    std::string makesViewFor;

    static EditorPlugIn* last;
    // createPlugInObject answers null while set.
    static bool failCreation;
};
