#pragma once

#include "Canvas.h"

namespace zarg::artwork
{

// Plain pieces for the fallback editor: only shown when the panel cannot be built.
class FallbackArt
{
public:
    static void background(Canvas& canvas);
    // A frame meant to be stretched by its 25-pixel nine-part margins.
    static void groupFrame(Canvas& canvas);
};

} // namespace zarg::artwork
