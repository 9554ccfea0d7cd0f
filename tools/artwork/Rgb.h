#pragma once

namespace zarg::artwork
{

// A colour with channels from 0 to 1.
struct Rgb
{
    double r;
    double g;
    double b;
};

} // namespace zarg::artwork
