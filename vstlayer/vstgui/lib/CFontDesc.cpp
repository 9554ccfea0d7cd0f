#include "vstgui/lib/CFontDesc.h"

namespace VSTGUI
{

namespace
{
// Never released: the built-in fonts live as long as the program.
CFontDesc systemFont("~ SystemFont", 12);
CFontDesc normalFontVeryBig("~ NormalFontVeryBig", 18);
CFontDesc normalFontBig("~ NormalFontBig", 14);
CFontDesc normalFont("~ NormalFont", 12);
CFontDesc normalFontSmall("~ NormalFontSmall", 11);
CFontDesc normalFontSmaller("~ NormalFontSmaller", 10);
CFontDesc normalFontVerySmall("~ NormalFontVerySmall", 9);
CFontDesc symbolFont("~ SymbolFont", 12);
} // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontVeryBig = &normalFontVeryBig;
const CFontRef kNormalFontBig = &normalFontBig;
const CFontRef kNormalFont = &normalFont;
const CFontRef kNormalFontSmall = &normalFontSmall;
const CFontRef kNormalFontSmaller = &normalFontSmaller;
const CFontRef kNormalFontVerySmall = &normalFontVerySmall;
const CFontRef kSymbolFont = &symbolFont;

std::string CFontDesc::getPlatformFamily() const
{
    if (name.empty() || name.rfind("~ ", 0) == 0)
        return "sans-serif";
    return name;
}

} // namespace VSTGUI
