#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

namespace
{

// cairo and fontconfig keep font caches for the life of the process; letting them go at
// the end keeps the leak checker's report to what the tests themselves leak.
class CairoStaticData : public ::testing::Environment
{
public:
    void TearDown() override
    {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new CairoStaticData);

} // namespace
