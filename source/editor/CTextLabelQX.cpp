#include "editor/CTextLabelQX.h"

CTextLabelQX::CTextLabelQX(const VSTGUI::CRect& r, VSTGUI::UTF8StringPtr title, VSTGUI::CBitmap* bg,
                           int32_t s)
    : CTextLabel(r, title, bg, s)
{
}

void CTextLabelQX::setText(const VSTGUI::UTF8String& t)
{
    CTextLabel::setText(t);
    CTextLabel::setText(units.appendTo(getText()));
}
