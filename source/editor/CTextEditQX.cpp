#include "editor/CTextEditQX.h"

CTextEditQX::CTextEditQX(const VSTGUI::CRect& r, VSTGUI::IControlListener* l, int32_t t,
                         VSTGUI::UTF8StringPtr title, VSTGUI::CBitmap* bg, int32_t s)
    : CTextEdit(r, l, t, title, bg, s)
{
}

void CTextEditQX::setText(const VSTGUI::UTF8String& t)
{
    CTextEdit::setText(t);
    CTextEdit::setText(units.appendTo(getText()));
}
