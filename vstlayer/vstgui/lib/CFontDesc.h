#pragma once

#include "vstgui/lib/CBaseObject.h"

#include <string>

namespace VSTGUI
{

enum CTxtFace
{
    kNormalFace = 0,
    kBoldFace = 1 << 1,
    kItalicFace = 1 << 2,
    kUnderlineFace = 1 << 3,
};

class CFontDesc : public CBaseObject
{
public:
    CFontDesc(const UTF8String& fontName = "", CCoord fontSize = 0, int32_t fontStyle = 0)
        : name(fontName), size(fontSize), style(fontStyle)
    {
    }

    const UTF8String& getName() const { return name; }
    CCoord getSize() const { return size; }
    int32_t getStyle() const { return style; }
    void setName(const UTF8String& n) { name = n; }
    void setSize(CCoord s) { size = s; }
    void setStyle(int32_t s) { style = s; }

    // The font family cairo should ask fontconfig for.
    std::string getPlatformFamily() const;

private:
    UTF8String name;
    CCoord size;
    int32_t style;
};

// The built-in fonts; their names ("~ NormalFont" ...) are what descriptions use.
extern const CFontRef kSystemFont;
extern const CFontRef kNormalFontVeryBig;
extern const CFontRef kNormalFontBig;
extern const CFontRef kNormalFont;
extern const CFontRef kNormalFontSmall;
extern const CFontRef kNormalFontSmaller;
extern const CFontRef kNormalFontVerySmall;
extern const CFontRef kSymbolFont;

} // namespace VSTGUI
