#pragma once

#include "vstgui/lib/CTextLabel.h"

namespace VSTGUI
{

// A label the user can type into: click to edit, Return commits, Escape reverts. Editing
// starts with the whole text selected, so the first key typed replaces it (a value shown
// with its units is typed anew, not appended to).
class CTextEdit : public CTextLabel
{
public:
    using StringToValueFunction =
        std::function<bool(const UTF8String& text, float& value, CTextEdit*)>;

    CTextEdit(const CRect& size, IControlListener* listener, int32_t tag,
              UTF8StringPtr text = nullptr, CBitmap* background = nullptr, int32_t style = 0);
    // The copy shows the text of the original and is not being typed into.
    CTextEdit(const CTextEdit& edit);
    CLASS_METHODS(CTextEdit, CTextLabel)

    void setStringToValueFunction(StringToValueFunction f) { stringToValue = std::move(f); }
    bool isEditingText() const { return editingText; }
    bool isTextSelected() const { return editingText && selected; }
    void setText(const UTF8String& text) override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    int32_t onKeyDown(VstKeyCode& keyCode) override;
    void takeFocus() override;
    void looseFocus() override;

private:
    void commit();

    StringToValueFunction stringToValue;
    UTF8String textBeforeEdit;
    bool editingText{false};
    bool selected{false};
    bool reverting{false};
};

} // namespace VSTGUI
