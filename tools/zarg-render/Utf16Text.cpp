#include "Utf16Text.h"

#include <algorithm>
#include <cctype>

std::string toUtf8(const Steinberg::Vst::TChar* text)
{
    std::string out;
    for (; text && *text; ++text)
    {
        char32_t c = static_cast<char16_t>(*text);
        if (c >= 0xD800 && c < 0xDC00 && text[1] >= 0xDC00 && text[1] < 0xE000)
        {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(text[1]) - 0xDC00);
            ++text;
        }
        else if (c >= 0xD800 && c < 0xE000)
            c = 0xFFFD;
        if (c < 0x80)
            out += static_cast<char>(c);
        else if (c < 0x800)
        {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else if (c < 0x10000)
        {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool sameName(const std::string& a, const std::string& b)
{
    return std::ranges::equal(a, b,
                              [](char x, char y)
                              {
                                  return std::tolower(static_cast<unsigned char>(x)) ==
                                         std::tolower(static_cast<unsigned char>(y));
                              });
}
