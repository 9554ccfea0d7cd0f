#pragma once

#include "editor/EditorMessage.h"
#include "framework/CPlugIn.h"

#include <array>
#include <vector>

// A plug-in object for the editor's tests: 24 controls in the panel's positions, each
// 0..10, with control ids 100 + position so that ids and positions differ. It records
// the editor messages it gets and can answer as a plug-in that draws its own editor.
// Moving control 100 links control 105 to half its value and a control nobody has.
class EditorPlugIn : public CPlugIn
{
public:
    static constexpr int kControls = 24;
    static constexpr int32_t kLinkedFrom = 100;
    static constexpr int32_t kLinkedTo = 105;
    static constexpr int32_t kUnknownControl = 999;

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

    static EditorPlugIn* last;
    // createPlugInObject answers null while set.
    static bool failCreation;
};
