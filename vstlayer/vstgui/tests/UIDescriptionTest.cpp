#include "TestImages.h"

#include "vstgui/lib/CAnimKnob.h"
#include "vstgui/lib/CFontDesc.h"
#include "vstgui/lib/CGradient.h"
#include "vstgui/lib/COnOffButton.h"
#include "vstgui/lib/COptionMenu.h"
#include "vstgui/lib/CTextEdit.h"
#include "vstgui/lib/CViewContainer.h"
#include "vstgui/uidescription/IController.h"
#include "vstgui/uidescription/UIDescription.h"

#include "vstgui/lib/CBitmap.h"

#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <numbers>
#include <unistd.h>

using namespace VSTGUI;

namespace
{

struct InnerController : IController
{
    int* alive;
    explicit InnerController(int* counter) : alive(counter) { ++*alive; }
    ~InnerController() override { --*alive; }
};

struct TestDelegate : IController
{
    std::vector<std::string> customRequests;
    std::vector<std::string> subRequests;
    int innerAlive{0};
    InnerController* lastInner{nullptr};

    CView* createView(const UIAttributes& attributes, const IUIDescription*) override
    {
        const std::string name = *attributes.getAttributeValue("custom-view-name");
        customRequests.push_back(name);
        if (name == "SpecialLabel")
            return new CTextLabel(CRect(0, 0, 1, 1), "custom");
        return nullptr;
    }
    IController* createSubController(UTF8StringPtr name, const IUIDescription*) override
    {
        subRequests.emplace_back(name);
        return lastInner = new InnerController(&innerAlive);
    }
};

class UIDescriptionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resources =
            std::filesystem::temp_directory_path() / ("vstgui-desc-" + std::to_string(::getpid()));
        std::filesystem::create_directories(resources);
        ASSERT_TRUE(VSTGUI::Test::writeStrip((resources / "strip.png").string(), 42, 42, 80));
        ASSERT_TRUE(VSTGUI::Test::writeStrip((resources / "toggle.png").string(), 20, 20, 2));
    }
    void TearDown() override { std::filesystem::remove_all(resources); }

    SharedPointer<UIDescription> load()
    {
        SharedPointer<UIDescription> d(
            new UIDescription(VSTGUI_TEST_DATA "/panel.uidesc", resources.string()), false);
        EXPECT_TRUE(d->parse());
        return d;
    }

    std::filesystem::path resources;
};

template <class T>
T* findChild(CViewContainer* c, const std::function<bool(T*)>& pred)
{
    T* found = nullptr;
    c->forEachChild(
        [&](CView* v)
        {
            if (auto* t = dynamic_cast<T*>(v); t && !found && pred(t))
                found = t;
        });
    return found;
}

TEST_F(UIDescriptionTest, ReadsTablesOfTheDocument)
{
    auto d = load();
    EXPECT_EQ(d->getTagForName("Choice"), 18);
    EXPECT_EQ(d->getTagForName("Edit"), 32768);
    EXPECT_EQ(d->getTagForName("Nope"), -1);
    CColor c;
    ASSERT_TRUE(d->getColor("Face", c));
    EXPECT_EQ(c, CColor(0xb2, 0xc9, 0x29));
    ASSERT_TRUE(d->getColor("~ GreyCColor", c));
    EXPECT_EQ(c, kGreyCColor);
    EXPECT_FALSE(d->getColor("Nope", c));
    CFontRef title = d->getFont("Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->getSize(), 18);
    EXPECT_TRUE(title->getStyle() & kBoldFace);
    EXPECT_EQ(d->getFont("~ NormalFontSmaller"), kNormalFontSmaller);
    ASSERT_NE(d->getGradient("Grey"), nullptr);
    EXPECT_EQ(d->getGradient("Grey")->getColorStops().size(), 2u);
    EXPECT_EQ(d->getBitmapPath("strip"), resources.string() + "/strip.png") << "first entry wins";
    const UIAttributes* main = d->getViewAttributes("Main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->getPointAttribute("maxSize"), CPoint(120, 100));
}

TEST_F(UIDescriptionTest, BuildsTemplateWithCustomViewsAndSubControllers)
{
    auto d = load();
    TestDelegate delegate;
    CView* root = d->createView("Main", &delegate);
    ASSERT_NE(root, nullptr);
    auto* main = dynamic_cast<CViewContainer*>(root);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->getViewSize(), CRect(0, 0, 120, 100));
    EXPECT_EQ(main->getBackgroundColor(), CColor(0xb2, 0xc9, 0x29));

    // The knob comes from the "Group" template, placed by the referring node.
    auto* knob = findChild<CAnimKnob>(main, [](CAnimKnob*) { return true; });
    ASSERT_NE(knob, nullptr);
    EXPECT_EQ(knob->getTag(), 0);
    EXPECT_EQ(knob->getListener(), &delegate);
    EXPECT_EQ(knob->getNumSubPixmaps(), 80);
    EXPECT_EQ(knob->getHeightOfOneImage(), 42);
    EXPECT_EQ(knob->getZoomFactor(), 10.f);
    EXPECT_NEAR(knob->getRangeAngle(), 3 * std::numbers::pi / 2, 1e-5);
    EXPECT_EQ(knob->getDefaultValue(), 0.5f);
    EXPECT_EQ(knob->getViewSize(), CRect(9, 22, 51, 64));
    ASSERT_NE(knob->getBackground(), nullptr);
    EXPECT_TRUE(knob->getBackground()->isLoaded());
    auto* group =
        findChild<CViewContainer>(main, [&](CViewContainer* c) { return c->isChild(knob); });
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getViewSize(), CRect(0, 0, 60, 60))
        << "the referring node's size wins over the template's";

    auto* toggle = findChild<COnOffButton>(main, [](COnOffButton*) { return true; });
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->getTag(), 13);

    auto* menu = findChild<COptionMenu>(main, [](COptionMenu*) { return true; });
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getTag(), 18);
    EXPECT_EQ(menu->getFont(), kNormalFontSmaller);
    EXPECT_TRUE(menu->getStyle() & kRoundRectStyle);
    EXPECT_TRUE(menu->getStyle() & kNoFrame);
    EXPECT_EQ(menu->getStyle(), 0x8000 | 0x4000) << "VSTGUI's values for the two attributes";

    // Custom views are offered first; the node's standard attributes still apply.
    EXPECT_EQ(delegate.customRequests, (std::vector<std::string>{"SpecialLabel", "Plain"}));
    auto* customLabel = findChild<CTextLabel>(
        main, [](CTextLabel* l) { return l->getViewSize().getTopLeft() == CPoint(70, 40); });
    ASSERT_NE(customLabel, nullptr);
    EXPECT_EQ(customLabel->getText(), "Hi");
    EXPECT_EQ(customLabel->getHoriAlign(), kLeftText);
    EXPECT_EQ(customLabel->getFontColor(), CColor(0x10, 0x10, 0x10));
    EXPECT_EQ(customLabel->getFont()->getName(), "Sans");
    EXPECT_EQ(customLabel->getTag(), -1);
    auto* plain =
        findChild<CTextLabel>(main, [](CTextLabel* l) { return l->getText() == "Plain"; });
    ASSERT_NE(plain, nullptr) << "declined custom view built as its class";

    // The sub-controller serves the nodes beneath it and lives with its view.
    EXPECT_EQ(delegate.subRequests, (std::vector<std::string>{"Inner"}));
    auto* edit = findChild<CTextEdit>(main, [](CTextEdit*) { return true; });
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->getTag(), 32768);
    EXPECT_EQ(edit->getListener(), delegate.lastInner);
    EXPECT_EQ(delegate.innerAlive, 1);
    root->forget();
    EXPECT_EQ(delegate.innerAlive, 0);
}

TEST_F(UIDescriptionTest, BadTemplatesGiveNoViewAndLeakNothing)
{
    auto d = load();
    TestDelegate delegate;
    for (const char* name : {"Broken", "MissingBitmap", "UnknownBitmap", "Loop", "BadSize", "Nope"})
        EXPECT_EQ(d->createView(name, &delegate), nullptr) << name;
    EXPECT_EQ(delegate.innerAlive, 0);
    // Still usable after failures.
    CView* v = d->createView("Group", nullptr);
    ASSERT_NE(v, nullptr);
    v->forget();
}

TEST(UIDescriptionParse, RejectsMissingAndMalformedDocuments)
{
    UIDescription missing("/nonexistent/zolv.uidesc");
    EXPECT_FALSE(missing.parse());
    EXPECT_EQ(missing.createView("Editor", nullptr), nullptr);

    const char* bad[] = {
        "",
        "not xml at all",
        "<vstgui-ui-description version=\"1\">",
        "<other-root/>",
        R"(<vstgui-ui-description><colors><color name="x" rgba="#zz0000ff"/></colors></vstgui-ui-description>)",
        R"(<vstgui-ui-description><colors><color rgba="#ff0000ff"/></colors></vstgui-ui-description>)",
        R"(<vstgui-ui-description><control-tags><control-tag name="a" tag="x1"/></control-tags></vstgui-ui-description>)",
        R"(<vstgui-ui-description><control-tags><control-tag name="a" tag="99999999999"/></control-tags></vstgui-ui-description>)",
        R"(<vstgui-ui-description><bitmaps><bitmap name="a" path="../../etc/secret.png"/></bitmaps></vstgui-ui-description>)",
        R"(<vstgui-ui-description><bitmaps><bitmap name="a" path="/etc/secret.png"/></bitmaps></vstgui-ui-description>)",
        R"(<vstgui-ui-description><fonts><font name="f" size="-3"/></fonts></vstgui-ui-description>)",
        R"(<vstgui-ui-description><template class="CView"/></vstgui-ui-description>)",
        R"(<vstgui-ui-description><gradients><gradient name="g"><color-stop rgba="#000000ff" start="2"/></gradient></gradients></vstgui-ui-description>)",
    };
    for (const char* text : bad)
    {
        UIDescription d("mem.uidesc");
        EXPECT_FALSE(d.parseText(text, std::strlen(text))) << text;
        EXPECT_EQ(d.createView("Editor", nullptr), nullptr);
    }

    // Nesting deeper than the reader allows is refused, not recursed into.
    std::string deep = R"(<vstgui-ui-description><template name="Editor" class="CViewContainer">)";
    for (int i = 0; i < 10000; ++i)
        deep += R"(<view class="CViewContainer">)";
    for (int i = 0; i < 10000; ++i)
        deep += "</view>";
    deep += "</template></vstgui-ui-description>";
    UIDescription d("deep.uidesc");
    EXPECT_FALSE(d.parseText(deep.data(), deep.size()));

    const char* good =
        R"(<vstgui-ui-description version="1"><template name="Editor" class="CView" size="3, 4"/></vstgui-ui-description>)";
    UIDescription ok("mem.uidesc");
    ASSERT_TRUE(ok.parseText(good, std::strlen(good)));
    CView* v = ok.createView("Editor", nullptr);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->getViewSize(), CRect(0, 0, 3, 4));
    v->forget();
}

} // namespace
