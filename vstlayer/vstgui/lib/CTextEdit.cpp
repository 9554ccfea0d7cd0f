#include "vstgui/lib/CTextEdit.h"

#include "vstgui/lib/CDrawContext.h"
#include "vstgui/lib/CFrame.h"

namespace VSTGUI
{

CTextEdit::CTextEdit(const CRect& r, IControlListener* l, int32_t t, UTF8StringPtr txt, CBitmap* bg,
                     int32_t s)
    : CTextLabel(r, txt, bg, s)
{
    listener = l;
    tag = t;
}

CTextEdit::CTextEdit(const CTextEdit& e) : CTextLabel(e), stringToValue(e.stringToValue) {}

void CTextEdit::setText(const UTF8String& t)
{
    // Outside updates do not overwrite what the user is typing.
    if (editingText)
        return;
    CTextLabel::setText(t);
}

void CTextEdit::draw(CDrawContext* context)
{
    CTextLabel::draw(context);
    if (!editingText)
        return;
    context->setFont(font);
    CRect inner(size);
    inner.inset(textInset.x, textInset.y);
    const CCoord w = context->getStringWidth(text);
    CCoord left = inner.left + 2;
    if (horiTxtAlign == kCenterText)
        left = inner.left + (inner.getWidth() - w) / 2;
    else if (horiTxtAlign == kRightText)
        left = inner.right - 2 - w;
    if (selected)
    {
        // The selection: the text under a veil of its own colour.
        CColor veil = fontColor;
        veil.alpha = 80;
        context->setFillColor(veil);
        context->drawRect(CRect(left - 1, inner.top + 2, left + w + 1, inner.bottom - 2),
                          kDrawFilled);
        return;
    }
    // A caret after the text.
    const CCoord x = left + w + 1;
    context->setFrameColor(fontColor);
    context->setLineWidth(1);
    context->drawLine(CPoint(x, inner.top + 2), CPoint(x, inner.bottom - 3));
}

CMouseEventResult CTextEdit::onMouseDown(CPoint&, const CButtonState& buttons)
{
    if (!buttons.isLeftButton())
        return kMouseEventNotHandled;
    if (CFrame* frame = getFrame())
        frame->setFocusView(this);
    else
        takeFocus();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}

void CTextEdit::takeFocus()
{
    if (editingText)
        return;
    textBeforeEdit = text;
    editingText = true;
    selected = true;
    beginEdit();
    invalid();
}

void CTextEdit::looseFocus()
{
    if (!editingText)
        return;
    // Editing ends first so that the listener may rewrite the text.
    editingText = false;
    if (!reverting)
        commit();
    endEdit();
    invalid();
}

void CTextEdit::commit()
{
    if (stringToValue)
    {
        float v = value;
        if (stringToValue(text, v, this))
        {
            setValue(v);
            bounceValue();
        }
    }
    valueChanged();
}

int32_t CTextEdit::onKeyDown(VstKeyCode& key)
{
    if (!editingText)
        return -1;
    CFrame* frame = getFrame();
    if (key.virt == VKEY_RETURN || key.virt == VKEY_ENTER || key.virt == VKEY_ESCAPE)
    {
        if (key.virt == VKEY_ESCAPE)
        {
            text = textBeforeEdit;
            reverting = true;
        }
        if (frame && frame->getFocusView() == this)
            frame->setFocusView(nullptr);
        else
            looseFocus();
        reverting = false;
        return 1;
    }
    if (key.virt == VKEY_LEFT || key.virt == VKEY_RIGHT)
    {
        selected = false;
        invalid();
        return 1;
    }
    const bool typed = key.virt == VKEY_NONE && key.character >= 0x20 && key.character < 0x7f;
    const bool erase = key.virt == VKEY_BACK || key.virt == VKEY_DELETE;
    if (selected && (typed || erase))
    {
        // Typing replaces the selection; erasing removes it.
        text.clear();
        selected = false;
        if (erase)
        {
            invalid();
            return 1;
        }
    }
    if (key.virt == VKEY_BACK)
    {
        // Drop one whole UTF-8 sequence.
        while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80)
            text.pop_back();
        if (!text.empty())
            text.pop_back();
        invalid();
        return 1;
    }
    if (typed)
    {
        text.push_back(static_cast<char>(key.character));
        invalid();
        return 1;
    }
    return -1;
}

} // namespace VSTGUI
