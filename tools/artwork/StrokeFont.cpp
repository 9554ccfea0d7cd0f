#include "StrokeFont.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace zarg::artwork
{
namespace
{

using Stroke = std::vector<std::pair<double, double>>;

struct Glyph
{
    char c;
    double advance;
    std::vector<Stroke> strokes;
};

const std::vector<Glyph>& glyphs()
{
    static const std::vector<Glyph> table = {
        {'A', 4, {{{0, 6}, {0, 1.5}, {1.5, 0}, {2.5, 0}, {4, 1.5}, {4, 6}}, {{0, 3.6}, {4, 3.6}}}},
        {'F', 3.6, {{{3.6, 0}, {0, 0}, {0, 6}}, {{0, 3}, {2.8, 3}}}},
        {'G',
         4,
         {{{4, 1.2},
           {3, 0},
           {1, 0},
           {0, 1},
           {0, 5},
           {1, 6},
           {3, 6},
           {4, 5},
           {4, 3.2},
           {2.2, 3.2}}}},
        {'I', 0, {{{0, 0}, {0, 6}}}},
        {'N', 4, {{{0, 6}, {0, 0}, {4, 6}, {4, 0}}}},
        {'O', 4, {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'P', 4, {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.2}, {3, 3.2}, {0, 3.2}}}},
        {'R',
         4,
         {{{0, 6}, {0, 0}, {3, 0}, {4, 1}, {4, 2.2}, {3, 3.2}, {0, 3.2}}, {{2, 3.2}, {4, 6}}}},
        {'S',
         4,
         {{{4, 1},
           {3, 0},
           {1, 0},
           {0, 1},
           {0, 2},
           {1, 3},
           {3, 3},
           {4, 4},
           {4, 5},
           {3, 6},
           {1, 6},
           {0, 5}}}},
        {'T', 4, {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}}},
        {'U', 4, {{{0, 0}, {0, 5}, {1, 6}, {3, 6}, {4, 5}, {4, 0}}}},
        {'V', 4, {{{0, 0}, {2, 6}, {4, 0}}}},
        {'Z', 4, {{{0, 0}, {4, 0}, {0, 6}, {4, 6}}}},
        {' ', 2, {}},
    };
    return table;
}

const Glyph& glyph(char c)
{
    for (const Glyph& g : glyphs())
    {
        if (g.c == c)
            return g;
    }
    throw std::invalid_argument(std::string("no glyph for '") + c + "'");
}

} // namespace

double StrokeFont::width(std::string_view text) const
{
    double w = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        w += glyph(text[i]).advance + (i + 1 < text.size() ? m_spacing : 0);
    return w * m_unit;
}

void StrokeFont::addText(cairo_t* cr, std::string_view text, double x, double y) const
{
    const double top = y - 6 * m_unit;
    for (char c : text)
    {
        const Glyph& g = glyph(c);
        for (const Stroke& s : g.strokes)
        {
            cairo_move_to(cr, x + s.front().first * m_unit, top + s.front().second * m_unit);
            for (std::size_t i = 1; i < s.size(); ++i)
                cairo_line_to(cr, x + s[i].first * m_unit, top + s[i].second * m_unit);
        }
        x += (g.advance + m_spacing) * m_unit;
    }
}

} // namespace zarg::artwork
