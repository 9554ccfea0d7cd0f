#include "vstgui/lib/CColor.h"

#include <cstdio>

namespace VSTGUI
{

namespace
{
int hexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}
} // namespace

bool CColor::fromString(const std::string& text, CColor& c)
{
    if ((text.size() != 7 && text.size() != 9) || text[0] != '#')
        return false;
    uint8_t bytes[4] = {0, 0, 0, 255};
    for (size_t i = 0; i + 1 < text.size(); i += 2)
    {
        const int hi = hexDigit(text[i + 1]);
        const int lo = hexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        bytes[i / 2] = static_cast<uint8_t>(hi * 16 + lo);
    }
    c = CColor(bytes[0], bytes[1], bytes[2], bytes[3]);
    return true;
}

std::string CColor::toString() const
{
    char buf[16];
    std::snprintf(buf, sizeof(buf), "#%02x%02x%02x%02x", red, green, blue, alpha);
    return buf;
}

} // namespace VSTGUI
