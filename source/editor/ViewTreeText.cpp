#include "editor/ViewTreeText.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CFrame.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/COptionMenuPopup.h"
#include "vstgui/lib/CTextEdit.h"

#include <map>
#include <sstream>

using namespace VSTGUI;

namespace
{

const char* className(CView* view)
{
    if (dynamic_cast<CFrame*>(view))
        return "CFrame";
    if (dynamic_cast<CViewContainer*>(view))
        return "CViewContainer";
    if (dynamic_cast<CAnimKnob*>(view))
        return "CAnimKnob";
    if (dynamic_cast<COnOffButton*>(view))
        return "COnOffButton";
    if (dynamic_cast<COptionMenu*>(view))
        return "COptionMenu";
    if (dynamic_cast<COptionMenuPopup*>(view))
        return "COptionMenuPopup";
    if (dynamic_cast<CTextEdit*>(view))
        return "CTextEdit";
    if (dynamic_cast<CTextLabel*>(view))
        return "CTextLabel";
    if (dynamic_cast<CParamDisplay*>(view))
        return "CParamDisplay";
    if (dynamic_cast<CControl*>(view))
        return "CControl";
    return "CView";
}

void writeRect(std::ostringstream& out, const CRect& r)
{
    out << r.left << '\t' << r.top << '\t' << r.getWidth() << '\t' << r.getHeight();
}

class Writer
{
public:
    explicit Writer(CFrame* f) : frame(f) {}

    void view(CView* v, int parent)
    {
        const int id = nextId++;
        CRect r = v->getViewSize();
        CPoint origin(0, 0);
        v->localToFrame(origin);
        r.offset(origin.x, origin.y);
        out << id << '\t' << parent << '\t' << className(v) << '\t';
        writeRect(out, r);
        auto* control = dynamic_cast<CControl*>(v);
        out << '\t' << (control ? control->getTag() : -1) << '\t'
            << (control ? control->getValueNormalized() : 0.f) << '\t' << state(v) << '\t'
            << text(v) << '\n';
        if (auto* menu = dynamic_cast<COptionMenu*>(v))
            entries(menu, id);
        if (auto* container = dynamic_cast<CViewContainer*>(v))
            for (int32_t i = 0; i < container->getNbViews(); ++i)
                view(container->getView(i), id);
    }

    std::string text() const { return out.str(); }

private:
    static int32_t state(CView* v)
    {
        if (auto* knob = dynamic_cast<CAnimKnob*>(v))
            return knob->getFrameIndex();
        if (auto* button = dynamic_cast<COnOffButton*>(v))
            return button->isOn() ? 1 : 0;
        if (auto* menu = dynamic_cast<COptionMenu*>(v))
            return menu->getCurrentIndex();
        return 0;
    }

    static std::string text(CView* v)
    {
        if (auto* menu = dynamic_cast<COptionMenu*>(v))
            return menu->getDisplayText();
        if (auto* label = dynamic_cast<CTextLabel*>(v))
            return label->getText();
        return {};
    }

    void entries(COptionMenu* menu, int menuId)
    {
        auto* popup =
            menu->isPopupOpen() ? dynamic_cast<COptionMenuPopup*>(frame->getModalView()) : nullptr;
        for (int32_t i = 0; i < menu->getNbEntries(); ++i)
        {
            out << nextId++ << '\t' << menuId << "\tentry\t";
            writeRect(out, popup ? popup->entryRect(i) : CRect());
            out << "\t-1\t0\t" << i << '\t' << menu->getEntry(i)->getTitle() << '\n';
        }
    }

    CFrame* frame;
    std::ostringstream out;
    int nextId{0};
};

} // namespace

std::string ViewTreeText::describe(CFrame* frame)
{
    if (!frame)
        return {};
    Writer writer(frame);
    writer.view(frame, -1);
    return writer.text();
}
