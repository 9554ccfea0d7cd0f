#include "UidescDocument.h"

#include <cstdio>

UidescDocument::UidescDocument(const std::string& path)
{
    m_loaded = static_cast<bool>(m_doc.load_file(path.c_str())) && root();
}

pugi::xml_node UidescDocument::templateNode(const std::string& name) const
{
    for (pugi::xml_node t : root().children("template"))
    {
        if (name == t.attribute("name").value())
            return t;
    }
    return {};
}

bool UidescDocument::parsePair(const std::string& text, int& a, int& b)
{
    char tail = 0;
    return std::sscanf(text.c_str(), "%d, %d%c", &a, &b, &tail) == 2;
}

std::vector<UidescDocument::View> UidescDocument::flatten(const std::string& templateName) const
{
    std::vector<View> out;
    const pugi::xml_node t = templateNode(templateName);
    if (t)
        collect(t, 0, 0, templateName, 0, out);
    return out;
}

void UidescDocument::collect(const pugi::xml_node& node, int ox, int oy, const std::string& owner,
                             int depth, std::vector<View>& out) const
{
    if (depth > 16)
        return;
    for (pugi::xml_node v : node.children("view"))
    {
        View view;
        view.node = v;
        view.viewClass = v.attribute("class").value();
        view.parentTemplate = owner;
        parsePair(v.attribute("origin").value(), view.localX, view.localY);
        parsePair(v.attribute("size").value(), view.width, view.height);
        view.x = ox + view.localX;
        view.y = oy + view.localY;
        out.push_back(view);
        const std::string templ = v.attribute("template").value();
        if (!templ.empty())
        {
            const pugi::xml_node t = templateNode(templ);
            if (t)
                collect(t, view.x, view.y, templ, depth + 1, out);
        }
        collect(v, view.x, view.y, owner, depth + 1, out);
    }
}
