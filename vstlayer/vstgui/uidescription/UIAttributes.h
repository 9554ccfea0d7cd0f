#pragma once

#include "vstgui/lib/CRect.h"

#include <map>
#include <optional>
#include <string>

namespace VSTGUI
{

// The attributes of one description node, name -> text.
class UIAttributes
{
public:
    using Map = std::map<std::string, std::string>;

    bool hasAttribute(const std::string& name) const { return values.count(name) != 0; }
    const std::string* getAttributeValue(const std::string& name) const;
    void setAttribute(const std::string& name, const std::string& value) { values[name] = value; }
    void removeAttribute(const std::string& name) { values.erase(name); }
    const Map& getMap() const { return values; }

    // Typed readers; nothing when the attribute is missing or not well formed.
    std::optional<bool> getBooleanAttribute(const std::string& name) const;
    std::optional<double> getDoubleAttribute(const std::string& name) const;
    std::optional<int32_t> getIntegerAttribute(const std::string& name) const;
    // "x, y"
    std::optional<CPoint> getPointAttribute(const std::string& name) const;

    static std::optional<double> parseDouble(const std::string& text);
    static std::optional<int32_t> parseInteger(const std::string& text);
    static std::optional<CPoint> parsePoint(const std::string& text);

private:
    Map values;
};

} // namespace VSTGUI
