#include "editor/ViewAttributeReader.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/platform/linux/ResourcePath.h"
#include "vstgui/uidescription/IUIDescription.h"
#include "vstgui/uidescription/UIAttributes.h"

#include <charconv>
#include <cmath>

using namespace VSTGUI;

namespace
{
// Where a number may start: after blanks, past a plus sign.
const char* numberStart(const std::string& text)
{
    const char* p = text.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    if (*p == '+' && p[1] != '-')
        ++p;
    return p;
}
} // namespace

ViewAttributeReader::ViewAttributeReader(const UIAttributes& a, const IUIDescription* d)
    : attributes(a), description(d)
{
}

int32_t ViewAttributeReader::toInteger(const std::string& text)
{
    const char* p = numberStart(text);
    int32_t value = 0;
    if (std::from_chars(p, text.c_str() + text.size(), value).ec != std::errc())
        return 0;
    return value;
}

double ViewAttributeReader::toReal(const std::string& text)
{
    const char* p = numberStart(text);
    double value = 0;
    if (std::from_chars(p, text.c_str() + text.size(), value).ec != std::errc() ||
        !std::isfinite(value))
        return 0;
    return value;
}

bool ViewAttributeReader::has(const char* name) const
{
    return attributes.hasAttribute(name);
}

std::string ViewAttributeReader::text(const char* name) const
{
    const std::string* value = attributes.getAttributeValue(name);
    return value ? *value : std::string();
}

int32_t ViewAttributeReader::integer(const char* name) const
{
    return toInteger(text(name));
}

double ViewAttributeReader::real(const char* name) const
{
    return toReal(text(name));
}

bool ViewAttributeReader::flag(const char* name) const
{
    return text(name) == "true";
}

CPoint ViewAttributeReader::point(const char* name) const
{
    const std::string value = text(name);
    const auto comma = value.find(',');
    if (comma == std::string::npos)
        return CPoint();
    return CPoint(toInteger(value.substr(0, comma)), toInteger(value.substr(comma + 1)));
}

CRect ViewAttributeReader::rect() const
{
    const CPoint origin = point("origin");
    const CPoint extent = point("size");
    return CRect(origin.x, origin.y, origin.x + extent.x, origin.y + extent.y);
}

CColor ViewAttributeReader::color(const char* name) const
{
    CColor result = kWhiteCColor;
    const std::string value = text(name);
    if (!description || !description->getColor(value.c_str(), result))
        result = kWhiteCColor;
    return result;
}

int32_t ViewAttributeReader::tag() const
{
    const std::string name = text("control-tag");
    if (name.empty() || !description)
        return -1;
    return description->getTagForName(name.c_str());
}

IControlListener* ViewAttributeReader::listener() const
{
    const std::string name = text("control-tag");
    if (name.empty() || !description)
        return nullptr;
    return description->getControlListener(name.c_str());
}

std::string ViewAttributeReader::bitmapFile(const char* name) const
{
    const std::string value = text(name);
    return value.empty() ? std::string() : value + ".png";
}

SharedPointer<CBitmap> ViewAttributeReader::bitmap(const char* name) const
{
    const std::string file = bitmapFile(name);
    if (file.empty())
        return {};
    return SharedPointer<CBitmap>(new CBitmap(ResourcePath::file(file)), false);
}
