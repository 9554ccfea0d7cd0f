#pragma once

#include "ProcessorFixture.h"

#include "editor/VST3EditorQX.h"

#include "vstgui/lib/CFrame.h"

#include <string>

// The processor with a resources folder of test bitmaps, and editors opened offscreen on
// small descriptions: the bitmaps, colours and control tags below, and one template "T"
// holding the views a test gives.
//   bitmaps: "kick" (20 x 20, 2 frames), "ledon"/"ledoff" and "vuledon"/"vuledoff"
//   (17 x 85), "film" (60 x 32, 80 frames)
//   colours: "Pad", "Rim", "Dot"; tags: each "C<n>" is n, "NG2_Threshold" 1, "OutMeter" 24
class ControlsFixture : public ProcessorFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    // The description text with views inside template "T" (200 x 200).
    static std::string description(const std::string& views);
    // An editor opened offscreen on that description; null when it does not open.
    VST3EditorQX* openEditor(const std::string& views);
    // An editor opened offscreen on a description file's template.
    VST3EditorQX* openDescription(const std::string& path, const char* templateName);
    // The first view of template "T".
    VSTGUI::CView* firstView() const;

    Steinberg::IPtr<Steinberg::IPlugView> editorView;
    VST3EditorQX* editor{nullptr};
};

// Colours of the test bitmaps: LED on is green, off is blue; film-strip frame i has red i
// and green 100, the kick button's frame i has red i.
constexpr int kLedOnGreen = 200;
constexpr int kLedOffGreen = 50;
constexpr int kFilmGreen = 100;
