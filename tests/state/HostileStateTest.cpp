// Streams no host should send, restored through the bundle: the inputs the
// state fuzzer keeps in fuzz/regressions and a few hostile shapes of its
// own. None may crash or make the output anything but finite.
#include "StateFixture.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

using namespace Steinberg;
namespace L = StateLayout;

namespace
{

std::vector<std::pair<std::string, std::vector<char>>> hostileStreams()
{
    std::vector<std::pair<std::string, std::vector<char>>> all;
    all.push_back({"all ones", std::vector<char>(L::kSize, '\xFF')});
    all.push_back({"one past a state", std::vector<char>(L::kSize + 1, '\x7F')});
    all.push_back({"version -1, zeros", StateBytes().int64(-1).bytes()});
    all.back().second.resize(L::kSize, 0);

    StateBytes nan;
    nan.int64(1);
    for (int i = 0; i < L::kControls + 2; ++i)
        nan.float32(std::numeric_limits<float>::quiet_NaN());
    all.push_back({"NaN everywhere", nan.bytes()});

    StateBytes extremes;
    extremes.int64(1);
    for (int i = 0; i < L::kControls; ++i)
    {
        if (L::isIndex(i))
            extremes.uint32(i % 2 ? 0xFFFFFFFFu : 0x80000000u);
        else
            extremes.float32(i % 2 ? std::numeric_limits<float>::max()
                                   : -std::numeric_limits<float>::denorm_min());
    }
    extremes.int16(-1).float32(-std::numeric_limits<float>::infinity()).float32(1e30f);
    all.push_back({"extremes", extremes.bytes()});

    const std::filesystem::path kept(ZARG_STATE_REGRESSIONS);
    if (std::filesystem::is_directory(kept))
        for (const auto& entry : std::filesystem::directory_iterator(kept))
        {
            std::ifstream in(entry.path(), std::ios::binary);
            all.push_back({entry.path().filename().string(),
                           {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
        }
    return all;
}

bool finite(const std::vector<float>& samples)
{
    for (float s : samples)
        if (!std::isfinite(s))
            return false;
    return true;
}

} // namespace

using HostileStates = StateFixture;

TEST_F(HostileStates, RestoreBeforeAndDuringProcessingKeepsTheOutputFinite)
{
    for (const auto& [name, bytes] : hostileStreams())
    {
        SCOPED_TRACE(name);
        auto instance = open();
        instance->setState(bytes);
        setComponentState(*instance, bytes);
        ASSERT_EQ(instance->setupProcessing(kSampleRate, kBlock), kResultOk);
        ASSERT_EQ(instance->activate(), kResultOk);
        EXPECT_TRUE(finite(render(*instance, 1)));
        instance->setState(bytes);
        setComponentState(*instance, bytes);
        EXPECT_TRUE(finite(render(*instance, 2)));
        // Whatever was read, the saved state is a well-formed one.
        EXPECT_EQ(state(*instance).size(), L::kSize);
        for (const auto& [id, value] : hostValues(*instance))
            EXPECT_TRUE(value >= 0.0 && value <= 1.0) << id;
    }
}
