#include "PanelLayout.h"

#include <pugixml.hpp>

#include <cstdio>
#include <stdexcept>

namespace zarg::artwork
{
namespace
{

bool parsePair(const char* text, double& a, double& b)
{
    return std::sscanf(text, "%lf , %lf", &a, &b) == 2;
}

pugi::xml_node findTemplate(const pugi::xml_node& root, const std::string& name)
{
    for (pugi::xml_node t : root.children("template"))
    {
        if (name == t.attribute("name").value())
            return t;
    }
    throw std::runtime_error("no template \"" + name + "\"");
}

void collect(const pugi::xml_node& root, const pugi::xml_node& node, double ox, double oy,
             int depth, std::vector<ViewRect>& out)
{
    // Templates may name each other; a cycle must not hang the build.
    if (depth > 16)
        throw std::runtime_error("templates nest too deeply");
    for (pugi::xml_node v : node.children("view"))
    {
        ViewRect r;
        r.viewClass = v.attribute("class").value();
        r.title = v.attribute("title").value();
        if (!parsePair(v.attribute("origin").as_string("0, 0"), r.x, r.y) ||
            !parsePair(v.attribute("size").as_string("0, 0"), r.width, r.height))
            throw std::runtime_error("bad origin or size in a view of class " + r.viewClass);
        r.x += ox;
        r.y += oy;
        const std::string templ = v.attribute("template").value();
        if (!templ.empty())
            collect(root, findTemplate(root, templ), r.x, r.y, depth + 1, out);
        collect(root, v, r.x, r.y, depth + 1, out);
        if (r.viewClass != "CViewContainer")
            out.push_back(r);
    }
}

} // namespace

PanelLayout PanelLayout::load(const std::string& uidescPath, const std::string& templateName)
{
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(uidescPath.c_str());
    if (!parsed)
        throw std::runtime_error(uidescPath + ": " + parsed.description());
    const pugi::xml_node root = doc.child("vstgui-ui-description");
    if (!root)
        throw std::runtime_error(uidescPath + ": not a UI description");

    PanelLayout layout;
    collect(root, findTemplate(root, templateName), 0, 0, 0, layout.m_views);
    return layout;
}

} // namespace zarg::artwork
