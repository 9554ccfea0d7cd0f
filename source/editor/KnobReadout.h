#pragma once

#include <string>

namespace VSTGUI
{
class CControl;
class CTextLabel;
} // namespace VSTGUI

// The value of the knob being turned, as text in a small label just below it (above it
// where the panel ends), on top of everything else; gone when the gesture ends.
class KnobReadout
{
public:
    KnobReadout() = default;
    ~KnobReadout();
    KnobReadout(const KnobReadout&) = delete;
    KnobReadout& operator=(const KnobReadout&) = delete;

    // Shows text for knob, or moves the readout to it.
    void show(VSTGUI::CControl* knob, const std::string& text);
    // New text for the knob it shows; nothing when it shows another or none.
    void update(const VSTGUI::CControl* knob, const std::string& text);
    void hide();
    bool isShown() const { return owner != nullptr; }

    static constexpr double kWidth = 84;
    static constexpr double kHeight = 16;

private:
    VSTGUI::CTextLabel* label{nullptr};
    const VSTGUI::CControl* owner{nullptr};
};
