#include "vstgui/uidescription/UIAttributes.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace VSTGUI
{

namespace
{
std::string trim(const std::string& s)
{
    const auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const auto e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}
} // namespace

const std::string* UIAttributes::getAttributeValue(const std::string& name) const
{
    auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
}

std::optional<double> UIAttributes::parseDouble(const std::string& text)
{
    const std::string t = trim(text);
    if (t.empty())
        return std::nullopt;
    double v = 0;
    const char* begin = t.data();
    if (*begin == '+')
        ++begin;
    auto [ptr, ec] = std::from_chars(begin, t.data() + t.size(), v);
    if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int32_t> UIAttributes::parseInteger(const std::string& text)
{
    const std::string t = trim(text);
    if (t.empty())
        return std::nullopt;
    int64_t v = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || ptr != t.data() + t.size() ||
        v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
}

std::optional<CPoint> UIAttributes::parsePoint(const std::string& text)
{
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return std::nullopt;
    const auto x = parseDouble(text.substr(0, comma));
    const auto y = parseDouble(text.substr(comma + 1));
    if (!x || !y)
        return std::nullopt;
    return CPoint(*x, *y);
}

std::optional<bool> UIAttributes::getBooleanAttribute(const std::string& name) const
{
    const std::string* v = getAttributeValue(name);
    if (!v)
        return std::nullopt;
    if (*v == "true")
        return true;
    if (*v == "false")
        return false;
    return std::nullopt;
}

std::optional<double> UIAttributes::getDoubleAttribute(const std::string& name) const
{
    const std::string* v = getAttributeValue(name);
    return v ? parseDouble(*v) : std::nullopt;
}

std::optional<int32_t> UIAttributes::getIntegerAttribute(const std::string& name) const
{
    const std::string* v = getAttributeValue(name);
    return v ? parseInteger(*v) : std::nullopt;
}

std::optional<CPoint> UIAttributes::getPointAttribute(const std::string& name) const
{
    const std::string* v = getAttributeValue(name);
    return v ? parsePoint(*v) : std::nullopt;
}

} // namespace VSTGUI
