#pragma once

#include "vstgui/lib/CBaseObject.h"
#include "vstgui/lib/SharedPointer.h"
#include "vstgui/uidescription/IUIDescription.h"
#include "vstgui/uidescription/UIAttributes.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI
{

// Reads a UI description (XML) and builds views from its templates.
class UIDescription : public CBaseObject, public IUIDescription
{
public:
    // fileName relative to resourcePath unless absolute; bitmap paths resolve against
    // resourcePath (or, without one, the description's own folder).
    explicit UIDescription(const std::string& fileName, const std::string& resourcePath = {});
    ~UIDescription() override;

    // False, and nothing usable, for a missing or malformed document.
    bool parse();
    bool parseText(const char* data, size_t size);
    bool isParsed() const { return parsed; }

    // A new view tree for the template (the caller owns it), or null when the template is
    // missing or any node cannot be built.
    CView* createView(UTF8StringPtr templateName, IController* controller) const;
    const UIAttributes* getViewAttributes(UTF8StringPtr templateName) const;
    std::vector<std::string> getTemplateNames() const;
    const std::string& getFilePath() const { return filePath; }
    std::string getBitmapPath(const std::string& name) const;

    CBitmap* getBitmap(UTF8StringPtr name) const override;
    CFontRef getFont(UTF8StringPtr name) const override;
    bool getColor(UTF8StringPtr name, CColor& color) const override;
    CGradient* getGradient(UTF8StringPtr name) const override;
    int32_t getTagForName(UTF8StringPtr name) const override;
    IControlListener* getControlListener(UTF8StringPtr name) const override;
    IController* getController() const override { return currentController; }

    // Nesting deeper than this is rejected rather than risking the stack.
    static constexpr int kMaxDepth = 64;

private:
    struct Node
    {
        UIAttributes attributes;
        std::vector<Node> children;
    };
    struct Document;

    bool parseDocument(const Document& doc);
    CView* createViewFromNode(const Node& node, bool templateRoot, bool& ok) const;

    std::string filePath;
    std::string resourcePath;
    bool parsed{false};

    std::vector<std::pair<std::string, Node>> templates;
    std::map<std::string, CColor> colors;
    std::map<std::string, SharedPointer<CFontDesc>> fonts;
    std::map<std::string, SharedPointer<CGradient>> gradients;
    std::map<std::string, std::string> bitmapPaths;
    std::map<std::string, int32_t> tags;
    mutable std::map<std::string, SharedPointer<CBitmap>> bitmapCache;

    mutable IController* currentController{nullptr};
    mutable std::vector<std::string> instantiating;
    mutable int nesting{0};
};

} // namespace VSTGUI
