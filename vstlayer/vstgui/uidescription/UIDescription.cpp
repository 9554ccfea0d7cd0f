#include "vstgui/uidescription/UIDescription.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/lib/CFontDesc.h"
#include "vstgui/lib/CGradient.h"
#include "vstgui/lib/CViewContainer.h"
#include "vstgui/uidescription/IController.h"
#include "vstgui/uidescription/UIViewFactory.h"

#include <algorithm>
#include <pugixml.hpp>

namespace VSTGUI
{

struct UIDescription::Document
{
    pugi::xml_document xml;
};

namespace
{
UIAttributes attributesOf(const pugi::xml_node& node)
{
    UIAttributes a;
    for (const pugi::xml_attribute& attr : node.attributes())
        a.setAttribute(attr.name(), attr.value());
    return a;
}

bool isSafeRelativePath(const std::string& path)
{
    if (path.empty() || path.front() == '/' || path.find('\0') != std::string::npos)
        return false;
    size_t start = 0;
    while (start <= path.size())
    {
        const size_t end = std::min(path.find('/', start), path.size());
        if (path.compare(start, end - start, "..") == 0 && end - start == 2)
            return false;
        start = end + 1;
    }
    return true;
}

struct StandardColor
{
    const char* name;
    CColor color;
};
constexpr StandardColor kStandardColors[] = {
    {"~ TransparentCColor", kTransparentCColor},
    {"~ BlackCColor", kBlackCColor},
    {"~ WhiteCColor", kWhiteCColor},
    {"~ GreyCColor", kGreyCColor},
    {"~ RedCColor", kRedCColor},
    {"~ GreenCColor", kGreenCColor},
    {"~ BlueCColor", kBlueCColor},
    {"~ YellowCColor", kYellowCColor},
    {"~ CyanCColor", kCyanCColor},
    {"~ MagentaCColor", kMagentaCColor},
};

const CFontRef kBuiltInFonts[] = {kSystemFont,          kNormalFontVeryBig, kNormalFontBig,
                                  kNormalFont,          kNormalFontSmall,   kNormalFontSmaller,
                                  kNormalFontVerySmall, kSymbolFont};
} // namespace

UIDescription::UIDescription(const std::string& fileName, const std::string& resPath)
    : resourcePath(resPath)
{
    if (!fileName.empty() && fileName.front() != '/' && !resPath.empty())
        filePath = resPath + "/" + fileName;
    else
        filePath = fileName;
    if (resourcePath.empty())
    {
        const auto slash = filePath.rfind('/');
        resourcePath = slash == std::string::npos ? "." : filePath.substr(0, slash);
    }
}

UIDescription::~UIDescription() = default;

bool UIDescription::parse()
{
    Document doc;
    if (!doc.xml.load_file(filePath.c_str()))
        return parsed = false;
    return parsed = parseDocument(doc);
}

bool UIDescription::parseText(const char* data, size_t size)
{
    Document doc;
    if (!data || !doc.xml.load_buffer(data, size))
        return parsed = false;
    return parsed = parseDocument(doc);
}

bool UIDescription::parseDocument(const Document& doc)
{
    templates.clear();
    colors.clear();
    fonts.clear();
    gradients.clear();
    bitmapPaths.clear();
    tags.clear();
    bitmapCache.clear();

    const pugi::xml_node root = doc.xml.child("vstgui-ui-description");
    if (!root)
        return false;

    // Node trees are copied out of the XML; a recursive lambda with a depth bound.
    auto readNode = [](auto&& self, const pugi::xml_node& xmlNode, Node& out, int depth) -> bool
    {
        if (depth > kMaxDepth)
            return false;
        out.attributes = attributesOf(xmlNode);
        for (const pugi::xml_node& child : xmlNode.children("view"))
        {
            out.children.emplace_back();
            if (!self(self, child, out.children.back(), depth + 1))
                return false;
        }
        return true;
    };

    for (const pugi::xml_node& section : root.children())
    {
        const std::string name = section.name();
        if (name == "colors")
        {
            for (const pugi::xml_node& c : section.children("color"))
            {
                const std::string n = c.attribute("name").value();
                std::string value = c.attribute("rgba").value();
                if (value.empty())
                    value = c.attribute("rgb").value();
                CColor color;
                if (n.empty() || !CColor::fromString(value, color))
                    return false;
                colors.emplace(n, color);
            }
        }
        else if (name == "fonts")
        {
            for (const pugi::xml_node& f : section.children("font"))
            {
                const std::string n = f.attribute("name").value();
                std::string family = f.attribute("font-name").value();
                if (family.empty())
                    family = n;
                const auto fontSize = UIAttributes::parseDouble(f.attribute("size").value());
                if (n.empty() || (fontSize && (*fontSize <= 0 || *fontSize > 1000)))
                    return false;
                int32_t style = 0;
                if (std::string(f.attribute("bold").value()) == "true")
                    style |= kBoldFace;
                if (std::string(f.attribute("italic").value()) == "true")
                    style |= kItalicFace;
                fonts.emplace(n,
                              SharedPointer<CFontDesc>(
                                  new CFontDesc(family, fontSize ? *fontSize : 12, style), false));
            }
        }
        else if (name == "bitmaps")
        {
            for (const pugi::xml_node& b : section.children("bitmap"))
            {
                const std::string n = b.attribute("name").value();
                const std::string path = b.attribute("path").value();
                if (n.empty() || !isSafeRelativePath(path))
                    return false;
                bitmapPaths.emplace(n, path);
            }
        }
        else if (name == "control-tags")
        {
            for (const pugi::xml_node& t : section.children("control-tag"))
            {
                const std::string n = t.attribute("name").value();
                const auto tag = UIAttributes::parseInteger(t.attribute("tag").value());
                if (n.empty() || !tag)
                    return false;
                tags.emplace(n, *tag);
            }
        }
        else if (name == "gradients")
        {
            for (const pugi::xml_node& g : section.children("gradient"))
            {
                const std::string n = g.attribute("name").value();
                if (n.empty())
                    return false;
                SharedPointer<CGradient> gradient(new CGradient, false);
                for (const pugi::xml_node& stop : g.children("color-stop"))
                {
                    CColor color;
                    const auto start = UIAttributes::parseDouble(stop.attribute("start").value());
                    if (!CColor::fromString(stop.attribute("rgba").value(), color) || !start ||
                        *start < 0 || *start > 1)
                        return false;
                    gradient->addColorStop(*start, color);
                }
                gradients.emplace(n, gradient);
            }
        }
        else if (name == "template")
        {
            const std::string n = section.attribute("name").value();
            if (n.empty())
                return false;
            Node node;
            if (!readNode(readNode, section, node, 0))
                return false;
            // The first of two equally named templates wins.
            if (!getViewAttributes(n.c_str()))
                templates.emplace_back(n, std::move(node));
        }
    }
    return true;
}

const UIAttributes* UIDescription::getViewAttributes(UTF8StringPtr templateName) const
{
    if (!templateName)
        return nullptr;
    for (const auto& [n, node] : templates)
        if (n == templateName)
            return &node.attributes;
    return nullptr;
}

std::vector<std::string> UIDescription::getTemplateNames() const
{
    std::vector<std::string> names;
    for (const auto& t : templates)
        names.push_back(t.first);
    return names;
}

CView* UIDescription::createView(UTF8StringPtr templateName, IController* controller) const
{
    if (!parsed || !templateName)
        return nullptr;
    const Node* node = nullptr;
    for (const auto& [n, tn] : templates)
        if (n == templateName)
        {
            node = &tn;
            break;
        }
    // A template that (indirectly) contains itself cannot be built.
    if (!node ||
        std::find(instantiating.begin(), instantiating.end(), templateName) != instantiating.end())
        return nullptr;
    IController* saved = currentController;
    currentController = controller;
    instantiating.emplace_back(templateName);
    bool ok = true;
    CView* view = createViewFromNode(*node, true, ok);
    instantiating.pop_back();
    currentController = saved;
    if (!ok && view)
    {
        view->forget();
        view = nullptr;
    }
    return view;
}

CView* UIDescription::createViewFromNode(const Node& node, bool templateRoot, bool& ok) const
{
    struct DepthGuard
    {
        int& depth;
        explicit DepthGuard(int& d) : depth(++d) {}
        ~DepthGuard() { --depth; }
    } guard(nesting);
    if (nesting > kMaxDepth)
    {
        ok = false;
        return nullptr;
    }
    const UIAttributes& attributes = node.attributes;
    IController* controller = currentController;

    IController* subController = nullptr;
    if (const std::string* name = attributes.getAttributeValue("sub-controller");
        name && controller)
    {
        subController = controller->createSubController(name->c_str(), this);
        if (subController)
            currentController = subController;
    }
    auto fail = [&](CView* v) -> CView*
    {
        if (v)
            v->forget();
        delete subController;
        currentController = controller;
        ok = false;
        return nullptr;
    };

    CView* view = nullptr;
    const std::string* templateRef = attributes.getAttributeValue("template");
    if (templateRef && !templateRef->empty() && !templateRoot)
    {
        view = createView(templateRef->c_str(), currentController);
        if (!view || !UIViewFactory::applyAttributes(view, attributes, this))
            return fail(view);
    }
    else
    {
        const std::string* customName = attributes.getAttributeValue("custom-view-name");
        if (customName && !customName->empty() && currentController)
        {
            view = currentController->createView(attributes, this);
            if (view && !UIViewFactory::applyAttributes(view, attributes, this))
                return fail(view);
        }
        if (!view)
            view = UIViewFactory::createView(attributes, this);
        if (!view)
            return fail(nullptr);
    }

    if (auto* container = dynamic_cast<CViewContainer*>(view))
    {
        for (const Node& child : node.children)
        {
            CView* childView = createViewFromNode(child, false, ok);
            if (!ok)
                return fail(view);
            if (childView && !container->addView(childView))
            {
                childView->forget();
                return fail(view);
            }
        }
    }

    if (currentController)
    {
        // The controller may swap the view or drop it (null).
        CView* verified = currentController->verifyView(view, attributes, this);
        if (verified != view)
        {
            view->forget();
            view = verified;
        }
    }
    if (view && subController)
        view->setSubController(subController);
    else
        delete subController;
    currentController = controller;
    return view;
}

std::string UIDescription::getBitmapPath(const std::string& name) const
{
    auto it = bitmapPaths.find(name);
    if (it == bitmapPaths.end())
        return {};
    return resourcePath + "/" + it->second;
}

CBitmap* UIDescription::getBitmap(UTF8StringPtr name) const
{
    if (!name)
        return nullptr;
    auto cached = bitmapCache.find(name);
    if (cached != bitmapCache.end())
        return cached->second.get();
    const std::string path = getBitmapPath(name);
    if (path.empty())
        return nullptr;
    SharedPointer<CBitmap> bitmap(new CBitmap(path), false);
    bitmapCache.emplace(name, bitmap);
    return bitmap.get();
}

CFontRef UIDescription::getFont(UTF8StringPtr name) const
{
    if (!name)
        return nullptr;
    for (CFontRef f : kBuiltInFonts)
        if (f->getName() == name)
            return f;
    auto it = fonts.find(name);
    return it == fonts.end() ? nullptr : it->second.get();
}

bool UIDescription::getColor(UTF8StringPtr name, CColor& color) const
{
    if (!name)
        return false;
    for (const auto& c : kStandardColors)
        if (std::string(c.name) == name)
        {
            color = c.color;
            return true;
        }
    if (auto it = colors.find(name); it != colors.end())
    {
        color = it->second;
        return true;
    }
    return CColor::fromString(name, color);
}

CGradient* UIDescription::getGradient(UTF8StringPtr name) const
{
    if (!name)
        return nullptr;
    auto it = gradients.find(name);
    return it == gradients.end() ? nullptr : it->second.get();
}

int32_t UIDescription::getTagForName(UTF8StringPtr name) const
{
    if (!name)
        return -1;
    auto it = tags.find(name);
    const int32_t tag = it == tags.end() ? -1 : it->second;
    return currentController ? currentController->getTagForName(name, tag) : tag;
}

IControlListener* UIDescription::getControlListener(UTF8StringPtr name) const
{
    return currentController ? currentController->getControlListener(name) : nullptr;
}

} // namespace VSTGUI
