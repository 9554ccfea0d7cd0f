#include "editor/KnobReadout.h"

#include "vstgui/lib/CFontDesc.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/CTextLabel.h"

#include <algorithm>

using namespace VSTGUI;

KnobReadout::~KnobReadout()
{
    hide();
    if (label)
        label->forget();
}

void KnobReadout::show(CControl* knob, const std::string& text)
{
    CFrame* frame = knob->getFrame();
    if (!frame)
        return;
    hide();
    if (!label)
    {
        label = new CTextLabel(CRect(0, 0, kWidth, kHeight));
        label->setFont(kNormalFontSmall);
        label->setFontColor(kBlackCColor);
        label->setBackColor(CColor(255, 255, 240, 235));
        label->setFrameColor(kBlackCColor);
        label->setStyle(kRoundRectStyle);
        label->setRoundRectRadius(4);
    }
    CRect knobRect = knob->getViewSize();
    CPoint origin(0, 0);
    knob->localToFrame(origin);
    knobRect.offset(origin.x, origin.y);
    const CCoord left =
        std::clamp(knobRect.getCenter().x - kWidth / 2, CCoord(0), frame->getWidth() - kWidth);
    CCoord top = knobRect.bottom + 2;
    if (top + kHeight > frame->getHeight())
        top = knobRect.top - kHeight - 2;
    label->setViewSize(CRect(left, top, left + kWidth, top + kHeight));
    label->setText(text);
    label->remember();
    frame->addView(label);
    owner = knob;
}

void KnobReadout::update(const CControl* knob, const std::string& text)
{
    if (knob != owner || !label)
        return;
    label->setText(text);
    label->invalid();
}

void KnobReadout::hide()
{
    if (!owner)
        return;
    owner = nullptr;
    // A closed frame has let go of it already.
    if (auto* parent = dynamic_cast<CViewContainer*>(label->getParentView()))
    {
        label->invalid();
        parent->removeView(label, true);
    }
}
