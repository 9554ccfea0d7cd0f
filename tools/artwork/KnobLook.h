#pragma once

#include "Shapes.h"

namespace zarg::artwork
{

// What tells one knob model from another.
struct KnobLook
{
    Rgb bodyLight;
    Rgb bodyDark;
    Rgb capLight;
    Rgb capBase;
    Rgb capEdge;
    Rgb pointer;
    Rgb pointerOutline;
    int ridges = 36;       // knurls or flutes round the skirt
    double ridgeDepth = 3; // how far they reach in from the rim
    int scallops = 0;      // notches cut into the silhouette
    double scallopDepth = 0;
    double capRadius = 11.5;
    double pointerInner = 4.5; // the pointer runs from here to the rim
    double pointerWidth = 2.2;
    bool speckled = false;
};

} // namespace zarg::artwork
