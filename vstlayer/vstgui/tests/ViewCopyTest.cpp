// Copies of views: each draws like its original once the original is gone, holds its own
// references, and belongs to no parent.
#include "OffscreenTest.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CFontDesc.h"
#include "vstgui/lib/CKickButton.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CVuMeter.h"
#include "vstgui/lib/CXYPad.h"
#include "vstgui/uidescription/IController.h"

#include <cstring>
#include <functional>
#include <typeinfo>
#include <vector>

using namespace VSTGUI;
using namespace VSTGUI::Test;

namespace
{

using Events = std::vector<std::string>;

class ViewCopyTest : public OffscreenTest
{
protected:
    void SetUp() override
    {
        OffscreenTest::SetUp();
        ASSERT_TRUE(writeStrip(path("on.png"), 40, 40, 4, 200));
        ASSERT_TRUE(writeStrip(path("off.png"), 40, 40, 1, 60));
        on = new CBitmap(path("on.png"));
        off = new CBitmap(path("off.png"));
        frame->setBackgroundColor(kGreenCColor);
    }
    void TearDown() override
    {
        on->forget();
        off->forget();
        OffscreenTest::TearDown();
    }
    // Every pixel of the frame as it draws now.
    std::vector<uint32_t> image()
    {
        cairo_surface_t* s = frame->renderToImage();
        cairo_surface_flush(s);
        const int stride = cairo_image_surface_get_stride(s);
        std::vector<uint32_t> pixels(static_cast<size_t>(stride / 4 * 200));
        std::memcpy(pixels.data(), cairo_image_surface_get_data(s), pixels.size() * 4);
        cairo_surface_destroy(s);
        return pixels;
    }

    CBitmap* on{nullptr};
    CBitmap* off{nullptr};
};

TEST_F(ViewCopyTest, CopyDrawsLikeItsOriginalAfterTheOriginalIsGone)
{
    const CRect r(20, 20, 60, 60);
    auto styled = [](CParamDisplay* d)
    {
        d->setFontColor(kRedCColor);
        d->setBackColor(kBlueCColor);
        d->setFrameColor(kWhiteCColor);
        d->setStyle(kRoundRectStyle | kShadowText);
        d->setHoriAlign(kLeftText);
        d->setFont(new CFontDesc("", 14, kBoldFace));
        // The display took its own reference to the font.
        d->getFont()->forget();
        return d;
    };
    struct Case
    {
        const char* name;
        std::function<CView*()> make;
    } cases[] = {
        {"view",
         [&]
         {
             auto* v = new CView(r);
             v->setBackground(on);
             return v;
         }},
        {"param display",
         [&]
         {
             auto* d = styled(new CParamDisplay(r));
             d->setPrecision(1);
             d->setValue(0.25f);
             return d;
         }},
        {"label", [&] { return styled(new CTextLabel(r, "copied", on)); }},
        {"edit", [&] { return styled(new CTextEdit(r, &listener, 3, "42 dB")); }},
        {"knob",
         [&]
         {
             auto* k = new CAnimKnob(r, &listener, 1, 4, 40, on);
             k->setValue(0.7f);
             return k;
         }},
        {"on/off", [&] { return new COnOffButton(r, &listener, 2, on); }},
        {"kick",
         [&]
         {
             auto* k = new CKickButton(r, &listener, 5, 40, on);
             k->setValue(1.f);
             return k;
         }},
        {"meter",
         [&]
         {
             auto* m = new CVuMeter(r, on, off, 4);
             m->setValue(0.5f);
             m->setOldValue(0.5f);
             return m;
         }},
        {"pad",
         [&]
         {
             auto* p = new CXYPad(r);
             p->setRoundRectRadius(8);
             p->setValue(CXYPad::calculateValue(0.2f, 0.7f));
             return p;
         }},
    };
    const std::vector<uint32_t> empty = image();
    for (const Case& c : cases)
    {
        CView* original = c.make();
        frame->addView(original);
        const std::vector<uint32_t> drawn = image();
        ASSERT_TRUE(drawn != empty) << c.name << " draws nothing to compare";

        auto* copy = static_cast<CView*>(original->newCopy());
        ASSERT_NE(copy, nullptr) << c.name;
        EXPECT_EQ(typeid(*copy), typeid(*original)) << c.name;
        // Only the copy's own references keep its bitmaps and font alive now.
        frame->removeView(original);
        frame->addView(copy);
        EXPECT_TRUE(image() == drawn) << c.name;
        frame->removeView(copy);
    }
}

// Copied while the user types into it: the copy takes the text so far, but neither the
// typing, the gesture, the parent nor the sub-controller.
TEST_F(ViewCopyTest, CopyHoldsItsOwnReferencesAndNoParent)
{
    auto* edit = new CTextEdit(CRect(20, 20, 60, 40), &listener, 9, "-6.0", on);
    edit->setDisabledBackground(off);
    edit->setSubController(new IController);
    frame->addView(edit);
    CPoint click(30, 30);
    frame->onMouseDown(click, kLButton);
    VstKeyCode seven{'7', 0, 0};
    frame->onKeyDown(seven);
    ASSERT_TRUE(edit->isEditingText());
    const int32_t onRefs = on->getNbReference(), offRefs = off->getNbReference();

    auto* copy = static_cast<CTextEdit*>(edit->newCopy());
    EXPECT_EQ(copy->getNbReference(), 1);
    EXPECT_EQ(on->getNbReference(), onRefs + 1);
    EXPECT_EQ(off->getNbReference(), offRefs + 1);
    EXPECT_EQ(copy->getParentView(), nullptr);
    EXPECT_FALSE(copy->isAttached());
    EXPECT_EQ(copy->getFrame(), nullptr);
    EXPECT_EQ(copy->getSubController(), nullptr);
    EXPECT_EQ(copy->getListener(), &listener);
    EXPECT_EQ(copy->getTag(), 9);
    EXPECT_EQ(copy->getText(), "7");
    EXPECT_FALSE(copy->isEditingText());
    EXPECT_FALSE(copy->isEditing());
    copy->setText("1.5");
    EXPECT_EQ(copy->getText(), "1.5") << "outside updates reach a copy nobody types into";
    copy->endEdit();
    EXPECT_EQ(listener.events, Events{"begin"}) << "the copy ends no gesture of its own";

    VstKeyCode escape{0, VKEY_ESCAPE, 0};
    frame->onKeyDown(escape);
    EXPECT_EQ(edit->getText(), "-6.0");
    EXPECT_EQ(listener.events, (Events{"begin", "end"}));
    frame->removeView(edit);
    copy->forget();
    EXPECT_EQ(on->getNbReference(), onRefs - 1) << "only the test's own reference is left";
    EXPECT_EQ(off->getNbReference(), offRefs - 1);
}

// Views that own what they hold once give no copy rather than a part of themselves.
TEST_F(ViewCopyTest, ContainersAndMenusDoNotCopy)
{
    CViewContainer container(CRect(0, 0, 50, 50));
    COptionMenu menu(CRect(0, 0, 50, 20), &listener, 1);
    menu.addEntry("one");
    for (const CView* view : {static_cast<const CView*>(&container),
                              static_cast<const CView*>(&menu), static_cast<const CView*>(frame)})
        EXPECT_EQ(view->newCopy(), nullptr) << typeid(*view).name();
}

} // namespace
