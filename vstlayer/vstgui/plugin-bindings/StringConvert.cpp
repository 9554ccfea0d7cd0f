#include "vstgui/plugin-bindings/StringConvert.h"

namespace VSTGUI::StringConvert
{

namespace
{
void appendUTF8(std::string& out, char32_t c)
{
    if (c < 0x80)
        out.push_back(static_cast<char>(c));
    else if (c < 0x800)
    {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    else if (c < 0x10000)
    {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
    else
    {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}
} // namespace

std::string toUTF8(const Steinberg::char16* text, size_t max)
{
    std::string out;
    if (!text)
        return out;
    for (size_t i = 0; i < max && text[i]; ++i)
    {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < max && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        appendUTF8(out, c);
    }
    return out;
}

void toUTF16(const std::string& text, Steinberg::char16* out, size_t max)
{
    if (!out || max == 0)
        return;
    size_t o = 0;
    for (size_t i = 0; i < text.size() && o + 1 < max;)
    {
        const auto b = static_cast<unsigned char>(text[i]);
        char32_t c = 0xFFFD;
        size_t len = 1;
        if (b < 0x80)
            c = b;
        else if ((b >> 5) == 6)
            len = 2, c = b & 0x1F;
        else if ((b >> 4) == 14)
            len = 3, c = b & 0x0F;
        else if ((b >> 3) == 30)
            len = 4, c = b & 0x07;
        if (len > 1)
        {
            if (i + len > text.size())
                break;
            for (size_t k = 1; k < len; ++k)
                c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        i += len;
        if (c >= 0x10000)
        {
            if (o + 2 >= max)
                break;
            c -= 0x10000;
            out[o++] = static_cast<Steinberg::char16>(0xD800 + (c >> 10));
            out[o++] = static_cast<Steinberg::char16>(0xDC00 + (c & 0x3FF));
        }
        else
            out[o++] = static_cast<Steinberg::char16>(c);
    }
    out[o] = 0;
}

} // namespace VSTGUI::StringConvert
