// zarg-artwork --layout zolv.uidesc --out DIR [--scales 1.5,2] [--hidpi-for a.uidesc,...]
// Draws every bitmap the editor descriptions name into DIR, at 1x and at each scale.
// With --hidpi-for, only the bitmaps that views of those descriptions show are drawn
// at the scales: the rest of the stock library would multiply the bundle's size for
// views nobody has placed.

#include "Canvas.h"
#include "PanelLayout.h"
#include "StockArt.h"

#include "editor/StockBitmap.h"

#include <pugixml.hpp>

#include <cstdio>
#include <exception>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zarg::artwork;

namespace
{

// Every bitmap at one scale; the files of scale s are named "name#<s>x.png" (VSTGUI's
// naming of high-resolution bitmaps), those of 1x "name.png".
void drawAll(const PanelLayout& layout, const std::string& outDir, double scale,
             const std::string& suffix, const std::function<bool(std::string_view)>& wanted)
{
    auto file = [&](std::string_view name)
    { return outDir + "/" + std::string(name) + suffix + ".png"; };
    const StockArt art(layout);
    auto draw = [&](const zarg::editor::StockBitmap& b)
    {
        Canvas c(b.width, b.height(), scale);
        art.draw(b, c);
        c.writePng(file(b.name));
    };
    for (const zarg::editor::StockBitmap& b : zarg::editor::kStockBitmaps)
    {
        if (wanted(b.name))
            draw(b);
    }
    // The fallback editor's second knob is not one of the stock library's.
    draw(zarg::editor::stock::knob("knob2", 42));
}

std::vector<std::string> splitList(const std::string& text)
{
    std::vector<std::string> items;
    std::stringstream list(text);
    for (std::string s; std::getline(list, s, ',');)
        items.push_back(s);
    return items;
}

// The bitmaps that views of these descriptions name.
std::set<std::string, std::less<>> shownBitmaps(const std::vector<std::string>& descriptions)
{
    std::set<std::string, std::less<>> names;
    for (const std::string& path : descriptions)
    {
        pugi::xml_document doc;
        if (!doc.load_file(path.c_str()))
            throw std::runtime_error("cannot read " + path);
        for (const pugi::xpath_node& n : doc.select_nodes("//*[@bitmap]"))
            names.insert(n.node().attribute("bitmap").value());
    }
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    std::string layoutPath;
    std::string outDir;
    std::vector<std::string> scales;
    std::vector<std::string> hidpiFor;
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string opt = argv[i];
        if (opt == "--layout")
            layoutPath = argv[i + 1];
        else if (opt == "--out")
            outDir = argv[i + 1];
        else if (opt == "--scales")
            scales = splitList(argv[i + 1]);
        else if (opt == "--hidpi-for")
            hidpiFor = splitList(argv[i + 1]);
    }
    if (layoutPath.empty() || outDir.empty())
    {
        std::fprintf(stderr, "usage: zarg-artwork --layout zolv.uidesc --out DIR "
                             "[--scales 1.5,2] [--hidpi-for a.uidesc,...]\n");
        return 2;
    }

    try
    {
        const PanelLayout layout = PanelLayout::load(layoutPath, "Editor");
        drawAll(layout, outDir, 1.0, "", [](std::string_view) { return true; });
        const auto shown = shownBitmaps(hidpiFor);
        auto hidpi = [&](std::string_view name)
        { return hidpiFor.empty() || shown.find(name) != shown.end(); };
        for (const std::string& s : scales)
        {
            std::size_t used = 0;
            const double scale = std::stod(s, &used);
            if (used != s.size() || !(scale > 1.0))
                throw std::runtime_error("a scale must be a number above 1: " + s);
            drawAll(layout, outDir, scale, "#" + s + "x", hidpi);
        }
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "zarg-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
