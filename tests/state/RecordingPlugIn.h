#pragma once

#include "editor/EditorMessage.h"
#include "framework/CPlugIn.h"

#include <string>
#include <vector>

// A small plug-in object that records what the processor tells it: every
// editor message and every control change. Its four controls cover the
// value conversions (linear, list, volt/octave, log); their control ids are
// 10 + position, so that ids and positions differ. Two presets, the first
// with the joystick at (1, 0).
class RecordingPlugIn : public CPlugIn
{
public:
    struct Message
    {
        int32_t code;
        int32_t parameterIndex;
        double parameterValue;
        const EditorMessage* record;
        std::string customViewName; // "(null)" when null
        std::string extraText;
    };

    RecordingPlugIn();

    intptr_t onEditorMessage(EditorMessage& message) override;
    bool onControlChange(int32_t controlId) override;
    bool queryLinkedControlUpdates(int32_t controlId, float value, LinkedControlUpdate** list,
                                   bool fromHost) override;

    float m_fLevel = 5.0f;
    uint32_t m_uMode = 0;
    float m_fPitch = 2.0f;
    float m_fDrive = 0.5f;

    std::vector<Message> messages;
    std::vector<int32_t> changes;
    // When set, a host-side value of Level links Mode to item 2.
    bool linkLevelToMode = false;
    int linkedQueries = 0;

    // The object the next createPlugInObject call returns null instead of.
    static bool failCreation;
    static RecordingPlugIn* last;
};
