#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace
{

// cairo and fontconfig hold their font caches until the process ends; freeing them after
// the last test leaves the leak checker only what the editor itself leaks.
class GraphicsCaches : public testing::Environment
{
public:
    void TearDown() override
    {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

[[maybe_unused]] const auto* const environment =
    testing::AddGlobalTestEnvironment(new GraphicsCaches);

} // namespace
