// Every bitmap the panel description lists, loaded from the built bundle the way the
// editor loads it, against the table of sizes and frames the views rely on.

#include "UidescDocument.h"

#include "editor/StockBitmap.h"

#include "vstgui/lib/CBitmap.h"
#include "vstgui/uidescription/UIDescription.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>

namespace
{

using zarg::editor::findStockBitmap;
using zarg::editor::kStockBitmaps;
using zarg::editor::StockBitmap;

const std::string kBundleResources = ZARG_BUNDLE_RESOURCES;

// Whether two frames of a strip hold the same pixels.
bool sameFrame(cairo_surface_t* s, int frameHeight, int a, int b)
{
    const int stride = cairo_image_surface_get_stride(s);
    const unsigned char* data = cairo_image_surface_get_data(s);
    const auto rowBytes = static_cast<std::size_t>(cairo_image_surface_get_width(s)) * 4;
    for (int y = 0; y < frameHeight; ++y)
    {
        if (std::memcmp(data + (a * frameHeight + y) * stride,
                        data + (b * frameHeight + y) * stride, rowBytes) != 0)
            return false;
    }
    return true;
}

TEST(StockLibrary, EveryListedBitmapLoadsWithItsSizeAndFrames)
{
    const std::string path = kBundleResources + "/zolv.uidesc";
    VSTGUI::UIDescription description(path);
    ASSERT_TRUE(description.parse()) << path;
    const UidescDocument listing(path);
    ASSERT_TRUE(listing.loaded());

    std::set<std::string> listed;
    for (pugi::xml_node entry : listing.root().child("bitmaps").children("bitmap"))
    {
        const std::string name = entry.attribute("name").value();
        SCOPED_TRACE(name);
        listed.insert(name);
        const StockBitmap* expected = findStockBitmap(name);
        ASSERT_NE(expected, nullptr) << "listed, but not in the table";

        VSTGUI::CBitmap* bitmap = description.getBitmap(name.c_str());
        ASSERT_NE(bitmap, nullptr);
        ASSERT_TRUE(bitmap->isLoaded()) << bitmap->getPath();
        EXPECT_EQ(bitmap->getWidth(), expected->width);
        EXPECT_EQ(bitmap->getHeight(), expected->height());

        // A frame the same as the next would be a step a view shows without moving.
        cairo_surface_t* image = bitmap->getSurface();
        cairo_surface_flush(image);
        for (int f = 1; f < expected->frames; ++f)
            EXPECT_FALSE(sameFrame(image, expected->frameHeight, f - 1, f)) << "frame " << f;
    }

    // And the description leaves out none of the table.
    for (const StockBitmap& b : kStockBitmaps)
        EXPECT_EQ(listed.count(std::string(b.name)), 1u) << b.name;
}

} // namespace
