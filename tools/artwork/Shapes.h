#pragma once

#include "Rgb.h"

#include <cairo.h>

#include <cstdint>

namespace zarg::artwork
{

// Path and shading helpers shared by the pieces of artwork.
namespace shapes
{

Rgb hex(std::uint32_t rgb);
Rgb mix(const Rgb& a, const Rgb& b, double t);
Rgb scale(const Rgb& c, double f);

void roundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void polygon(cairo_t* cr, double cx, double cy, double radius, int corners, double rotation);

void setSource(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void addStop(cairo_pattern_t* p, double offset, const Rgb& c, double alpha = 1.0);

// A soft elliptic shadow of the given radius, centred at cx, cy.
void softShadow(cairo_t* cr, double cx, double cy, double radius, double alpha);

// Polished metal disc: a radial highlight towards the upper left.
void chromeDisc(cairo_t* cr, double cx, double cy, double radius);

// A hex nut seen from above.
void hexNut(cairo_t* cr, double cx, double cy, double radius, double rotation);

} // namespace shapes
} // namespace zarg::artwork
