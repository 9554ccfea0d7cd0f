#pragma once

#include <pugixml.hpp>

#include <string>
#include <vector>

// A UI description read for the tests: templates by name and every view of a
// template flattened into panel coordinates, following "template" references.
class UidescDocument
{
public:
    struct View
    {
        pugi::xml_node node;
        std::string viewClass;
        int x = 0; // panel coordinates
        int y = 0;
        int localX = 0; // as written, relative to the parent
        int localY = 0;
        int width = 0;
        int height = 0;
        std::string parentTemplate;

        std::string attr(const char* name) const { return node.attribute(name).value(); }
        bool has(const char* name) const { return !node.attribute(name).empty(); }
    };

    explicit UidescDocument(const std::string& path);

    bool loaded() const { return m_loaded; }
    pugi::xml_node root() const { return m_doc.child("vstgui-ui-description"); }
    pugi::xml_node templateNode(const std::string& name) const;

    // All views reachable from the template, containers included, in document order.
    std::vector<View> flatten(const std::string& templateName) const;

    static bool parsePair(const std::string& text, int& a, int& b);

private:
    void collect(const pugi::xml_node& node, int ox, int oy, const std::string& owner, int depth,
                 std::vector<View>& out) const;

    pugi::xml_document m_doc;
    bool m_loaded = false;
};
