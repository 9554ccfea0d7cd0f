#include "vstgui/lib/CTextLabel.h"

namespace VSTGUI
{

CTextLabel::CTextLabel(const CRect& r, UTF8StringPtr t, CBitmap* bg, int32_t s)
    : CParamDisplay(r, bg, s), text(t ? t : "")
{
}

void CTextLabel::setText(const UTF8String& t)
{
    if (t == text)
        return;
    text = t;
    invalid();
}

} // namespace VSTGUI
