#pragma once

#include "Canvas.h"
#include "Rgb.h"

namespace zarg::artwork
{

// Surfaces to fill a container with: brushed metal of a colour, or black vinyl grain.
class BackdropArt
{
public:
    static void metal(Canvas& canvas, const Rgb& colour);
    static void vinyl(Canvas& canvas);
};

} // namespace zarg::artwork
