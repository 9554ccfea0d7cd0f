#pragma once

#include <cstdint>

namespace VSTGUI
{
struct CColor;
class IControlListener;
} // namespace VSTGUI

namespace Steinberg::Vst
{
class VSTGUIEditor;
} // namespace Steinberg::Vst

class CVSTParameterConnector;

// Message codes of EditorMessage::message.
constexpr int32_t kGuiEditorOpened = 0;
constexpr int32_t kGuiEditorClosing = 1;
constexpr int32_t kGuiTimerPing = 2;
constexpr int32_t kGuiCreateCustomView = 3;
constexpr int32_t kGuiQueryOwnEditor = 5;
constexpr int32_t kGuiOwnEditorOpened = 6;
constexpr int32_t kGuiOwnEditorClosing = 7;
constexpr int32_t kGuiParameterChanged = 13;

// The one record through which the processor and the editor talk to the
// plug-in object (CPlugIn::onEditorMessage). The plug-in object reads it only
// during the call and keeps none of its pointers. Members set by the plug-in
// object are marked as answers.
struct EditorMessage
{
    int32_t message = 0;

    // Custom view request (kGuiCreateCustomView): the view's attributes.
    const char* customViewName = nullptr;
    int32_t controlTag = 0;
    int32_t left = 0;
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t right = 0;
    int32_t backgroundOffsetX = 0;
    int32_t backgroundOffsetY = 0;
    const char* bitmapFile = nullptr;
    const char* handleBitmapFile = nullptr;
    const char* offBitmapFile = nullptr;
    const char* orientation = nullptr;
    const VSTGUI::CColor* backColor = nullptr;
    const VSTGUI::CColor* frameColor = nullptr;
    const VSTGUI::CColor* fontColor = nullptr;
    int32_t frameWidth = 0;
    int32_t roundRectRadius = 0;
    bool noFrame = false;
    bool roundRect = false;
    int32_t heightOfOneImage = 0;
    int32_t subPixmaps = 0;
    const char* extraText = nullptr;

    // The plug-in-drawn editor (kGuiOwnEditorOpened, kGuiOwnEditorClosing).
    Steinberg::Vst::VSTGUIEditor* editor = nullptr;
    void* parentWindow = nullptr;
    VSTGUI::IControlListener* controlListener = nullptr;
    int32_t platformType = 0;

    // kGuiParameterChanged: normalised value and parameter id.
    double parameterValue = 0.0;
    int32_t parameterIndex = 0;

    void* moduleHandle = nullptr;
    CVSTParameterConnector* parameterConnector = nullptr;

    // Answers.
    bool ownEditor = false; // kGuiQueryOwnEditor
    int32_t editorWidth = 0;
    int32_t editorHeight = 0;
};
