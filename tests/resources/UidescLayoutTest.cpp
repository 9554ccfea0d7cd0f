// The panel description against the layout tables: templates, views,
// positions, control tags and bitmaps.

#include "UidescDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace
{

const std::string kResources = ZARG_RESOURCES_SOURCE_DIR;

class ZolvUidesc : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { s_doc = new UidescDocument(kResources + "/zolv.uidesc"); }
    static void TearDownTestSuite()
    {
        delete s_doc;
        s_doc = nullptr;
    }

    const UidescDocument& doc() const { return *s_doc; }

    std::vector<UidescDocument::View> panelViews() const { return doc().flatten("Editor"); }

    // The one view of the panel with this class whose attribute has this value.
    UidescDocument::View find(const std::string& viewClass, const char* attr,
                              const std::string& value) const
    {
        std::vector<UidescDocument::View> hits;
        for (const auto& v : panelViews())
        {
            if (v.viewClass == viewClass && v.attr(attr) == value)
                hits.push_back(v);
        }
        EXPECT_EQ(hits.size(), 1u) << viewClass << " with " << attr << "=" << value;
        return hits.empty() ? UidescDocument::View{} : hits.front();
    }

    static void expectAttrs(const UidescDocument::View& v,
                            const std::map<std::string, std::string>& attrs)
    {
        for (const auto& [name, value] : attrs)
        {
            EXPECT_TRUE(v.has(name.c_str())) << v.viewClass << " lacks " << name;
            EXPECT_EQ(v.attr(name.c_str()), value) << v.viewClass << " " << name;
        }
    }

    static UidescDocument* s_doc;
};

UidescDocument* ZolvUidesc::s_doc = nullptr;

const std::map<std::string, std::string> kTitleLabelAttrs = {
    {"font-color", "~ BlackCColor"},  {"back-color", "~ BlackCColor"},
    {"frame-color", "~ BlackCColor"}, {"frame-width", "1"},
    {"round-rect-radius", "6"},       {"shadow-color", "~ RedCColor"},
    {"transparent", "true"},          {"text-inset", "0, 0"},
    {"value-precision", "2"},         {"control-tag", ""},
    {"style-3D-in", "false"},         {"style-3D-out", "false"},
    {"style-no-frame", "false"},      {"style-no-text", "false"},
    {"style-no-draw", "false"},       {"style-shadow-text", "false"},
    {"style-round-rect", "false"},
};

TEST_F(ZolvUidesc, RootAndSectionsInOrder)
{
    ASSERT_TRUE(doc().loaded());
    EXPECT_STREQ(doc().root().attribute("version").value(), "1");

    std::vector<std::string> sections;
    for (pugi::xml_node n : doc().root().children())
    {
        std::string s = n.name();
        if (s == "template")
            s += ":" + std::string(n.attribute("name").value());
        sections.push_back(s);
    }
    const std::vector<std::string> expected = {
        "fonts",
        "colors",
        "template:Editor",
        "custom",
        "bitmaps",
        "control-tags",
        "gradients",
        "template:User ViewContainer 0",
        "template:Zolv KnobGroup 0",
        "template:Zolv KnobGroup 1",
        "template:Zolv KnobGroup 2",
        "template:Zolv 2-StateSwitchGroup 0",
        "template:Zolv 2-StateSwitchGroup 1",
        "template:Zolv KnobGroup 3",
        "template:Zolv KnobGroup 4",
        "template:Zolv 2-StateSwitchGroup 2",
        "template:Zolv KnobGroup 5",
        "template:Zolv 2-StateSwitchGroup 3",
        "template:Zolv KnobGroup 6",
        "template:Zolv 2-StateSwitchGroup 4",
    };
    EXPECT_EQ(sections, expected);
}

TEST_F(ZolvUidesc, FontsColoursAndGradients)
{
    const pugi::xml_node fonts = doc().root().child("fonts");
    ASSERT_EQ(std::distance(fonts.children().begin(), fonts.children().end()), 1);
    const pugi::xml_node font = fonts.child("font");
    EXPECT_STREQ(font.attribute("name").value(), "Microsoft Sans Serif");
    EXPECT_STREQ(font.attribute("font-name").value(), "Microsoft Sans Serif");
    EXPECT_STREQ(font.attribute("size").value(), "18");
    EXPECT_STREQ(font.attribute("bold").value(), "true");

    std::map<std::string, std::string> colours;
    for (pugi::xml_node c : doc().root().child("colors").children("color"))
        colours[c.attribute("name").value()] = c.attribute("rgba").value();
    const std::map<std::string, std::string> expected = {
        {"kLightGreyCColor", "#c8c8c8ff"}, {"kDarkGreyCColor", "#646464ff"}, {"OD", "#B2C929ff"}};
    EXPECT_EQ(colours, expected);

    std::map<std::string, std::vector<std::string>> gradients;
    for (pugi::xml_node g : doc().root().child("gradients").children("gradient"))
    {
        for (pugi::xml_node s : g.children("color-stop"))
            gradients[g.attribute("name").value()].push_back(
                std::string(s.attribute("rgba").value()) + "@" + s.attribute("start").value());
    }
    const std::map<std::string, std::vector<std::string>> expectedGradients = {
        {"kLightGreyCColor", {"#c8c8c8ff@0", "#c8c8c8ff@1"}},
        {"kDarkGreyCColor", {"#646464ff@0", "#646464ff@1"}}};
    EXPECT_EQ(gradients, expectedGradients);
}

TEST_F(ZolvUidesc, EditorAndUserContainer)
{
    const pugi::xml_node editor = doc().templateNode("Editor");
    ASSERT_TRUE(editor);
    const std::map<std::string, std::string> editorAttrs = {
        {"class", "CViewContainer"},
        {"origin", "0, 0"},
        {"size", "306, 426"},
        {"minSize", "306, 426"},
        {"maxSize", "306, 426"},
        {"background-color", "~ GreyCColor"},
        {"background-color-draw-style", "filled and stroked"},
        {"bitmap", "quorzelpanel"},
        {"mouse-enabled", "true"},
        {"transparent", "false"}};
    for (const auto& [name, value] : editorAttrs)
        EXPECT_EQ(editor.attribute(name.c_str()).value(), value) << name;

    ASSERT_EQ(std::distance(editor.children("view").begin(), editor.children("view").end()), 1);
    const auto views = panelViews();
    ASSERT_FALSE(views.empty());
    expectAttrs(views.front(), {{"class", "CViewContainer"},
                                {"origin", "0, 0"},
                                {"size", "306, 426"},
                                {"template", "User ViewContainer 0"},
                                {"background-color", "OD"},
                                {"bitmap", "quorzelpanel"},
                                {"zolvtemplate-type", "userViewContainer"}});

    const pugi::xml_node user = doc().templateNode("User ViewContainer 0");
    ASSERT_TRUE(user);
    EXPECT_STREQ(user.attribute("size").value(), "306, 426");
    EXPECT_STREQ(user.attribute("background-color").value(), "OD");
    EXPECT_STREQ(user.attribute("background-color-draw-style").value(), "filled and stroked");
    EXPECT_STREQ(user.attribute("bitmap").value(), "quorzelpanel");
    EXPECT_STREQ(user.attribute("transparent").value(), "false");
}

TEST_F(ZolvUidesc, DesignerSettingsNameEveryTemplate)
{
    const pugi::xml_node custom = doc().root().child("custom");
    std::map<std::string, pugi::xml_node> byId;
    std::map<std::string, std::string> templateTypes;
    for (pugi::xml_node a : custom.children("attributes"))
    {
        byId[a.attribute("id").value()] = a;
        if (a.attribute("zolv-template-name"))
            templateTypes[a.attribute("zolv-template-name").value()] =
                a.attribute("zolvtemplate-type").value();
    }
    for (const char* id : {"VST3Editor", "FocusDrawing", "UIGridController", "UITemplateController",
                           "UIAttributesController", "UIEditController", "UIViewCreatorDataSource",
                           "UITagsDataSource"})
        EXPECT_EQ(byId.count(id), 1u) << id;
    EXPECT_STREQ(byId["UITemplateController"].attribute("SelectedTemplate").value(), "Editor");
    EXPECT_STREQ(byId["UIEditController"].attribute("EditorSize").value(), "0, 0, 1236, 768");
    EXPECT_STREQ(byId["VST3Editor"].attribute("ZOLVCanvasWidth").value(), "306");
    EXPECT_STREQ(byId["VST3Editor"].attribute("ZOLVCanvasHeight").value(), "426");

    // Every template but "Editor" has its designer type, matching its own attribute.
    for (pugi::xml_node t : doc().root().children("template"))
    {
        const std::string name = t.attribute("name").value();
        if (name == "Editor")
            continue;
        ASSERT_EQ(templateTypes.count(name), 1u) << name;
        EXPECT_EQ(templateTypes[name], t.attribute("zolvtemplate-type").value()) << name;
    }
    EXPECT_EQ(templateTypes.size(), 13u);
}

struct GroupRow
{
    const char* templ;
    int x, y, w, h;
    const char* type;
};

TEST_F(ZolvUidesc, GroupContainersSitWhereListed)
{
    const GroupRow rows[] = {
        {"Zolv KnobGroup 4", 30, 35, 75, 64, "knobgroup"},
        {"Zolv KnobGroup 5", 115, 35, 75, 64, "knobgroup"},
        {"Zolv KnobGroup 1", 195, 35, 75, 64, "knobgroup"},
        {"Zolv KnobGroup 6", 75, 106, 75, 74, "knobgroup"},
        {"Zolv KnobGroup 0", 155, 100, 75, 64, "knobgroup"},
        {"Zolv KnobGroup 2", 30, 160, 75, 64, "knobgroup"},
        {"Zolv KnobGroup 3", 195, 160, 75, 64, "knobgroup"},
        {"Zolv 2-StateSwitchGroup 0", 35, 290, 56, 33, "twostateswitchgroup"},
        {"Zolv 2-StateSwitchGroup 1", 200, 288, 56, 37, "twostateswitchgroup"},
        {"Zolv 2-StateSwitchGroup 2", 120, 350, 74, 33, "twostateswitchgroup"},
        {"Zolv 2-StateSwitchGroup 3", 5, 350, 75, 51, "twostateswitchgroup"},
        {"Zolv 2-StateSwitchGroup 4", 230, 347, 75, 51, "twostateswitchgroup"},
    };
    for (const GroupRow& r : rows)
    {
        SCOPED_TRACE(r.templ);
        const auto v = find("CViewContainer", "template", r.templ);
        EXPECT_EQ(v.parentTemplate, "User ViewContainer 0");
        EXPECT_EQ(v.x, r.x);
        EXPECT_EQ(v.y, r.y);
        EXPECT_EQ(v.width, r.w);
        EXPECT_EQ(v.height, r.h);
        EXPECT_EQ(v.attr("transparent"), "true");
        EXPECT_EQ(v.attr("zolvtemplate-type"), r.type);
        const pugi::xml_node t = doc().templateNode(r.templ);
        ASSERT_TRUE(t);
        EXPECT_EQ(std::string(t.attribute("size").value()),
                  std::to_string(r.w) + ", " + std::to_string(r.h));
    }
}

struct KnobRow
{
    const char* group;
    const char* title;
    int labelX, labelY;
    const char* tag;
    int knobX, knobY;
    const char* bitmap;
};

TEST_F(ZolvUidesc, KnobGroupsMatchTheTable)
{
    const KnobRow rows[] = {
        {"Zolv KnobGroup 4", "Trim", 30, 45, "Trim", 46, 57, "sslblue"},
        {"Zolv KnobGroup 5", "Boost", 115, 45, "Boost", 131, 57, "sslblue"},
        {"Zolv KnobGroup 1", "Volume", 195, 45, "Volume", 211, 57, "sslblue"},
        {"Zolv KnobGroup 6", "NG Threshold", 75, 111, "NG2_Threshold", 90, 125, "whitedust"},
        {"Zolv KnobGroup 0", "Sustain", 155, 110, "Gain", 171, 122, "sslblue"},
        {"Zolv KnobGroup 2", "Tone", 30, 170, "Mids", 46, 182, "sslblue"},
        {"Zolv KnobGroup 3", "SlopeShift", 195, 170, "SlopeShift", 211, 182, "sslblue"},
    };
    for (const KnobRow& r : rows)
    {
        SCOPED_TRACE(r.title);
        const bool small = std::string(r.group) == "Zolv KnobGroup 6";

        const auto label = find("CTextLabel", "title", r.title);
        EXPECT_EQ(label.parentTemplate, r.group);
        EXPECT_EQ(label.x, r.labelX);
        EXPECT_EQ(label.y, r.labelY);
        EXPECT_EQ(label.width, 75);
        EXPECT_EQ(label.height, 15);
        EXPECT_EQ(label.localX, 0);
        EXPECT_EQ(label.localY, small ? 5 : 10);
        EXPECT_EQ(label.attr("font"), small ? "~ NormalFontSmall" : "~ NormalFont");
        EXPECT_EQ(label.attr("text-alignment"), "");
        expectAttrs(label, kTitleLabelAttrs);

        const auto knob = find("CAnimKnob", "control-tag", r.tag);
        EXPECT_EQ(knob.parentTemplate, r.group);
        EXPECT_EQ(knob.x, r.knobX);
        EXPECT_EQ(knob.y, r.knobY);
        EXPECT_EQ(knob.localX, small ? 15 : 16);
        EXPECT_EQ(knob.localY, small ? 19 : 22);
        expectAttrs(knob, {{"size", "42, 42"},
                           {"bitmap", r.bitmap},
                           {"height-of-one-image", "42"},
                           {"sub-pixmaps", "80"},
                           {"angle-start", "135"},
                           {"angle-range", "270"},
                           {"zoom-factor", "10.0"},
                           {"wheel-inc-value", "0.1"},
                           {"default-value", "0.5"},
                           {"min-value", "0"},
                           {"max-value", "1"},
                           {"circle-drawing", "false"},
                           {"corona-drawing", "false"},
                           {"handle-color", "~ WhiteCColor"},
                           {"handle-shadow-color", "~ GreyCColor"},
                           {"handle-line-width", "1"},
                           {"value-inset", "0"},
                           {"background-offset", "0, 0"},
                           {"transparent", "false"},
                           {"tooltip", ""}});
    }
}

struct SwitchRow
{
    const char* group;
    const char* tag;
    int x, y, w, h;
    int localX, localY;
    const char* bitmap;
    const char* label; // nullptr: none
    int labelX, labelY;
};

TEST_F(ZolvUidesc, SwitchGroupsMatchTheTable)
{
    const SwitchRow rows[] = {
        {"Zolv 2-StateSwitchGroup 0", "StereoMono", 49, 286, 42, 42, 14, -4, "medtoggleswitch",
         nullptr, 0, 0},
        {"Zolv 2-StateSwitchGroup 1", "LeftRight", 214, 286, 42, 39, 14, -2, "medtoggleswitch",
         nullptr, 0, 0},
        {"Zolv 2-StateSwitchGroup 2", "GuitarType", 134, 347, 42, 42, 14, -3, "medtoggleswitch",
         nullptr, 0, 0},
        {"Zolv 2-StateSwitchGroup 3", "GainfilterType", 28, 352, 25, 35, 23, 2, "medprophetbutton",
         "Low Cut", 5, 386},
        {"Zolv 2-StateSwitchGroup 4", "Plus", 253, 349, 25, 35, 23, 2, "medprophetbutton", "Plus",
         230, 383},
    };
    for (const SwitchRow& r : rows)
    {
        SCOPED_TRACE(r.tag);
        const auto b = find("COnOffButton", "control-tag", r.tag);
        EXPECT_EQ(b.parentTemplate, r.group);
        EXPECT_EQ(b.x, r.x);
        EXPECT_EQ(b.y, r.y);
        EXPECT_EQ(b.width, r.w);
        EXPECT_EQ(b.height, r.h);
        EXPECT_EQ(b.localX, r.localX);
        EXPECT_EQ(b.localY, r.localY);
        expectAttrs(b, {{"bitmap", r.bitmap},
                        {"default-value", "0"},
                        {"min-value", "0"},
                        {"max-value", "1"},
                        {"background-offset", "0, 0"},
                        {"transparent", "false"}});

        const pugi::xml_node t = doc().templateNode(r.group);
        const auto labels =
            std::count_if(t.children("view").begin(), t.children("view").end(),
                          [](pugi::xml_node n)
                          { return std::string(n.attribute("class").value()) == "CTextLabel"; });
        EXPECT_EQ(labels, r.label ? 1 : 0);
        if (r.label)
        {
            const auto l = find("CTextLabel", "title", r.label);
            EXPECT_EQ(l.parentTemplate, r.group);
            EXPECT_EQ(l.x, r.labelX);
            EXPECT_EQ(l.y, r.labelY);
            EXPECT_EQ(l.localX, 0);
            EXPECT_EQ(l.localY, 36);
            EXPECT_EQ(l.attr("size"), "75, 15");
            EXPECT_EQ(l.attr("font"), "~ NormalFontSmall");
            expectAttrs(l, kTitleLabelAttrs);
        }
    }
}

TEST_F(ZolvUidesc, LooseViewsOfTheFace)
{
    struct Row
    {
        const char* title;
        int x, y;
        const char* font;
    };
    const Row labels[] = {
        {"Guitar", 105, 335, "~ NormalFont"},     {"Bass", 105, 380, "~ NormalFont"},
        {"Stereo", 20, 275, "~ NormalFont"},      {"Mono", 20, 320, "~ NormalFont"},
        {"Left", 185, 275, "~ NormalFont"},       {"Right", 185, 320, "~ NormalFont"},
        {"v.0.0.1.0", 50, 405, "~ NormalFontBig"}};
    for (const Row& r : labels)
    {
        SCOPED_TRACE(r.title);
        const auto l = find("CTextLabel", "title", r.title);
        EXPECT_EQ(l.parentTemplate, "User ViewContainer 0");
        EXPECT_EQ(l.x, r.x);
        EXPECT_EQ(l.y, r.y);
        EXPECT_EQ(l.attr("size"), "100, 16");
        EXPECT_EQ(l.attr("font"), r.font);
        EXPECT_EQ(l.attr("custom-view-name"), "UnitsLabel");
        EXPECT_EQ(l.attr("text-alignment"), "center");
        expectAttrs(l, kTitleLabelAttrs);
    }

    const auto menu = find("COptionMenu", "control-tag", "TS_Type");
    EXPECT_EQ(menu.parentTemplate, "User ViewContainer 0");
    EXPECT_EQ(menu.x, 31);
    EXPECT_EQ(menu.y, 230);
    EXPECT_FALSE(menu.has("custom-view-name"));
    expectAttrs(menu, {{"size", "74, 20"},
                       {"title", "SEL 1"},
                       {"font", "~ NormalFontSmaller"},
                       {"back-color", "OD"},
                       {"font-color", "~ BlackCColor"},
                       {"frame-color", "~ BlackCColor"},
                       {"frame-width", "1"},
                       {"style-round-rect", "true"},
                       {"round-rect-radius", "6"},
                       {"style-no-frame", "true"},
                       {"transparent", "false"},
                       {"menu-popup-style", "false"},
                       {"menu-check-style", "false"},
                       {"min-value", "0"},
                       {"max-value", ""}});
}

TEST_F(ZolvUidesc, ViewCountsAndUnseenControls)
{
    std::map<std::string, int> counts;
    std::set<std::string> tagsOnPanel;
    for (const auto& v : panelViews())
    {
        ++counts[v.viewClass];
        if (!v.attr("control-tag").empty())
            tagsOnPanel.insert(v.attr("control-tag"));
    }
    EXPECT_EQ(counts["CAnimKnob"], 7);
    EXPECT_EQ(counts["COnOffButton"], 5);
    EXPECT_EQ(counts["COptionMenu"], 1);
    EXPECT_EQ(counts["CTextLabel"], 16);
    EXPECT_EQ(counts.size(), 5u) << "an unexpected view class";

    const std::set<std::string> unseen = {"Push1",    "Push2",      "Push3",      "Push4",
                                          "GS_Model", "VS_Model",   "Circuit",    "ISD_Model",
                                          "IN_Model", "NG2_Attack", "NG2_Release"};
    for (const std::string& t : unseen)
        EXPECT_EQ(tagsOnPanel.count(t), 0u) << t;
    EXPECT_EQ(tagsOnPanel.size(), 24u - unseen.size());
}

TEST_F(ZolvUidesc, ControlTagTable)
{
    std::map<std::string, long> tags;
    for (pugi::xml_node t : doc().root().child("control-tags").children("control-tag"))
    {
        const std::string name = t.attribute("name").value();
        EXPECT_EQ(tags.count(name), 0u) << "duplicate " << name;
        tags[name] = std::stol(t.attribute("tag").value());
    }
    const char* controls[] = {
        "Gain",     "Push1",      "Push2",      "Push3",       "Push4",          "Volume",
        "Mids",     "SlopeShift", "Trim",       "GuitarType",  "GainfilterType", "GS_Model",
        "VS_Model", "StereoMono", "LeftRight",  "Circuit",     "ISD_Model",      "IN_Model",
        "TS_Type",  "Boost",      "NG2_Attack", "NG2_Release", "NG2_Threshold",  "Plus"};
    std::map<std::string, long> expected;
    for (long i = 0; i < 24; ++i)
        expected[controls[i]] = i;
    expected["ASSIGNBUTTON_1"] = 32768;
    expected["ASSIGNBUTTON_2"] = 32769;
    expected["ASSIGNBUTTON_3"] = 32770;
    expected["JOYSTICK_X"] = 32773;
    expected["JOYSTICK_Y"] = 32774;
    expected["JOYSTICK"] = 32775;
    expected["TRACKPAD"] = 32776;
    for (long n = 0; n < 32; ++n)
        expected["TAB_CTRL_" + std::to_string(n)] = 65536 + n;
    EXPECT_EQ(tags, expected);

    // Every tag a view names must resolve.
    for (const auto& v : panelViews())
    {
        const std::string tag = v.attr("control-tag");
        if (!tag.empty())
        {
            EXPECT_EQ(tags.count(tag), 1u) << tag;
        }
    }
}

// Bitmap names a description uses, and the bitmap table it carries.
void checkBitmaps(const UidescDocument& doc, const std::set<std::string>& mustHave)
{
    std::map<std::string, std::string> table;
    for (pugi::xml_node b : doc.root().child("bitmaps").children("bitmap"))
        table[b.attribute("name").value()] = b.attribute("path").value();
    for (const auto& [name, path] : table)
        EXPECT_EQ(path, name + ".png");
    for (const std::string& name : mustHave)
        EXPECT_EQ(table.count(name), 1u) << name;

    for (pugi::xpath_node n : doc.root().select_nodes("//*[@bitmap]"))
    {
        const std::string name = n.node().attribute("bitmap").value();
        EXPECT_EQ(table.count(name), 1u) << "unlisted bitmap " << name;
    }
}

TEST_F(ZolvUidesc, BitmapTableCoversEveryUse)
{
    checkBitmaps(doc(),
                 {"quorzelpanel", "sslblue", "whitedust", "medtoggleswitch", "medprophetbutton"});
}

TEST(VstguiUidesc, FallbackEditor)
{
    const UidescDocument doc(kResources + "/vstgui.uidesc");
    ASSERT_TRUE(doc.loaded());
    EXPECT_STREQ(doc.root().attribute("version").value(), "1");

    const pugi::xml_node editor = doc.templateNode("Editor");
    ASSERT_TRUE(editor);
    EXPECT_STREQ(editor.attribute("size").value(), "830, 390");
    EXPECT_STREQ(editor.attribute("minSize").value(), "830, 390");
    EXPECT_STREQ(editor.attribute("maxSize").value(), "830, 390");
    EXPECT_STREQ(editor.attribute("background-color").value(), "Background");
    EXPECT_STREQ(editor.attribute("bitmap").value(), "background");

    const auto views = doc.flatten("Editor");
    ASSERT_EQ(views.size(), 1u);
    const auto& title = views.front();
    EXPECT_EQ(title.viewClass, "CTextLabel");
    EXPECT_EQ(title.attr("origin"), "488, 339");
    EXPECT_EQ(title.attr("size"), "290, 30");
    EXPECT_EQ(title.attr("font"), "~ NormalFontVeryBig");
    EXPECT_EQ(title.attr("font-color"), "Light Grey");
    EXPECT_EQ(title.attr("style-shadow-text"), "true");
    EXPECT_FALSE(title.attr("title").empty());

    std::map<std::string, std::string> colours;
    for (pugi::xml_node c : doc.root().child("colors").children("color"))
        colours[c.attribute("name").value()] = c.attribute("rgba").value();
    const std::map<std::string, std::string> expected = {{"Background", "#a5a5a5ff"},
                                                         {"Light Grey", "#aaaaaaff"},
                                                         {"Focus", "#ffffff59"},
                                                         {"Pad Handle", "#454fedff"}};
    EXPECT_EQ(colours, expected);

    for (const char* name : {"KnobGroup KG", "OptionMGroup OMG", "OMG KG Combo"})
        EXPECT_TRUE(doc.templateNode(name)) << name;

    checkBitmaps(doc, {"amberonoff", "background", "groupframe", "knob", "knob2"});
}

} // namespace
