// The state stream through the host interfaces: its exact bytes, restores
// that end early, old streams and fields that must not reach the DSP.
#include "StateFixture.h"

#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace L = StateLayout;

namespace
{

// The initial value of every control, in control order.
constexpr float kDefaults[L::kControls] = {0.05f, 0.7f, 0.7f, 0.8f, 1.0f,   0.25f, 0.5f,   1.0f,
                                           1.0f,  0,    0,    0,    0,      0,     0,      0,
                                           0,     0,    0,    0.0f, 350.0f, 25.0f, -50.0f, 0};

StateBytes controlsOf(int64_t version, const float (&values)[L::kControls])
{
    StateBytes s;
    s.int64(version);
    for (int i = 0; i < L::kControls; ++i)
    {
        if (L::isIndex(i))
            s.uint32(static_cast<uint32_t>(values[i]));
        else
            s.float32(values[i]);
    }
    return s;
}

// A valid state that differs from a fresh instance in every field.
std::vector<char> everyFieldChanged()
{
    const float values[L::kControls] = {0.5f, 1.2f, 0.6f, 1.4f, 0.9f, 1.5f, 0.2f, 3.0f,
                                        2.0f, 1,    1,    7,    5,    1,    1,    3,
                                        9,    11,   14,   0.4f, 1200, 300,  -30,  1};
    return controlsOf(1, values).int16(1).float32(0.25f).float32(-0.5f).bytes();
}

// The fields of the stream as byte ranges, with the parameter each one sets.
struct Field
{
    size_t begin;
    size_t size;
    ParamID parameter;
};

std::vector<Field> fields()
{
    std::vector<Field> all{{L::kVersion, 8, 0xFFFFFFFF}};
    for (int i = 0; i < L::kControls; ++i)
        all.push_back({L::control(i), 4, static_cast<ParamID>(i)});
    all.push_back({L::kBypass, 2, 0x808});
    all.push_back({L::kJoystickX, 4, 0x8005});
    all.push_back({L::kJoystickY, 4, 0x8006});
    return all;
}

} // namespace

using StateStream = StateFixture;

TEST_F(StateStream, FreshInstanceWritesTheInitialValues)
{
    auto instance = open();
    const auto expected = controlsOf(1, kDefaults).int16(0).float32(0.0f).float32(0.0f).bytes();
    EXPECT_EQ(state(*instance), expected);
    // Processing does not change what is saved.
    EXPECT_EQ(instance->setupProcessing(kSampleRate, kBlock), kResultOk);
    EXPECT_EQ(instance->activate(), kResultOk);
    render(*instance, 1);
    EXPECT_EQ(state(*instance), expected);
}

TEST_F(StateStream, EveryFieldRestoresOnBothSides)
{
    const auto changed = everyFieldChanged();
    auto instance = open();
    restore(*instance, changed);
    EXPECT_EQ(state(*instance), changed);

    const auto values = hostValues(*instance);
    EXPECT_DOUBLE_EQ(values.at(11), 7.0 / 16.0); // GS_Model, a 17-entry list
    EXPECT_DOUBLE_EQ(values.at(18), 14.0 / 19.0);
    EXPECT_DOUBLE_EQ(values.at(1), static_cast<double>(1.2f) - 0.5); // Push1 on 0.5..1.5
    EXPECT_DOUBLE_EQ(values.at(0x808), 1.0);
    EXPECT_DOUBLE_EQ(values.at(0x8005), 0.625);
    EXPECT_DOUBLE_EQ(values.at(0x8006), 0.25);
}

// Each cut: the fields wholly before it take the stream's values, every
// other field (bypass included) keeps the one it had, and both calls answer
// false. The instance starts from a state that differs in every field.
TEST_F(StateStream, EveryTruncationAppliesOnlyTheFieldsBeforeTheCut)
{
    auto target = open();
    const auto stream = state(*target);
    const auto streamValues = hostValues(*target);
    const auto before = everyFieldChanged();
    restore(*target, before);
    const auto beforeValues = hostValues(*target);

    for (size_t cut = 0; cut < L::kSize; ++cut)
    {
        SCOPED_TRACE("cut after " + std::to_string(cut) + " bytes");
        restore(*target, before);
        const std::vector<char> truncated(stream.begin(), stream.begin() + cut);
        EXPECT_EQ(target->setState(truncated), kResultFalse);
        EXPECT_EQ(setComponentState(*target, truncated), kResultFalse);

        auto expectedBytes = before;
        auto expectedValues = beforeValues;
        for (const Field& field : fields())
        {
            if (field.begin + field.size > cut)
                continue;
            std::copy_n(stream.begin() + field.begin, field.size,
                        expectedBytes.begin() + field.begin);
            if (field.parameter != 0xFFFFFFFF)
                expectedValues[field.parameter] = streamValues.at(field.parameter);
        }
        EXPECT_EQ(state(*target), expectedBytes);
        EXPECT_EQ(hostValues(*target), expectedValues);
    }
}

TEST_F(StateStream, VersionZeroHasNoJoystickFields)
{
    auto instance = open();
    restore(*instance, everyFieldChanged());

    float values[L::kControls];
    std::copy(std::begin(kDefaults), std::end(kDefaults), values);
    values[0] = 0.3f;
    values[18] = 4;
    const auto old = controlsOf(0, values).int16(0).bytes();
    ASSERT_EQ(old.size(), L::kSize - 8);
    restore(*instance, old);

    const auto saved = state(*instance);
    EXPECT_EQ(StateBytes::read<float>(saved, L::control(0)), 0.3f);
    EXPECT_EQ(StateBytes::read<uint32_t>(saved, L::control(18)), 4u);
    EXPECT_EQ(StateBytes::read<int16_t>(saved, L::kBypass), 0);
    // The joystick keeps the position it had.
    EXPECT_EQ(StateBytes::read<float>(saved, L::kJoystickX), 0.25f);
    EXPECT_EQ(StateBytes::read<float>(saved, L::kJoystickY), -0.5f);
    EXPECT_DOUBLE_EQ(hostValues(*instance).at(0x8005), 0.625);
}

// A stored field the DSP must not see: out-of-range values are held to the
// range; NaN or infinity leaves the control as it was and the call answers
// false after reading the rest.
struct BadField
{
    const char* what;
    size_t offset;
    bool isIndex;
    double stored;   // the value written into the field
    double expected; // what the control reads afterwards; NaN: unchanged
};

void PrintTo(const BadField& field, std::ostream* out)
{
    *out << field.what;
}

class StateStreamBadField : public StateFixture, public testing::WithParamInterface<BadField>
{
};

TEST_P(StateStreamBadField, NeverReachesTheControl)
{
    const BadField& bad = GetParam();
    const bool rejected = std::isnan(bad.expected);
    auto instance = open(true);
    const auto before = state(*instance);
    const auto beforeValues = hostValues(*instance);

    // The field under test, plus a valid change after it that must still land.
    auto bytes = before;
    StateBytes::write<float>(bytes, L::control(21), 100.0f);
    if (bad.isIndex)
        StateBytes::write<uint32_t>(bytes, bad.offset, static_cast<uint32_t>(bad.stored));
    else
        StateBytes::write<float>(bytes, bad.offset, static_cast<float>(bad.stored));

    const tresult expectedResult = rejected ? kResultFalse : kResultOk;
    EXPECT_EQ(instance->setState(bytes), expectedResult);
    EXPECT_EQ(setComponentState(*instance, bytes), expectedResult);

    const auto after = state(*instance);
    EXPECT_EQ(StateBytes::read<float>(after, L::control(21)), 100.0f);
    auto expectedBytes = bytes;
    if (rejected)
        std::copy_n(before.begin() + bad.offset, 4, expectedBytes.begin() + bad.offset);
    else if (bad.isIndex)
        StateBytes::write<uint32_t>(expectedBytes, bad.offset, static_cast<uint32_t>(bad.expected));
    else
        StateBytes::write<float>(expectedBytes, bad.offset, static_cast<float>(bad.expected));
    EXPECT_EQ(after, expectedBytes);

    // The host side agrees with the control.
    auto reference = open();
    restore(*reference, expectedBytes);
    EXPECT_EQ(hostValues(*instance), hostValues(*reference));
    if (rejected)
    {
        const ParamID id = bad.offset == L::kJoystickX ? 0x8005
                           : bad.offset == L::kJoystickY
                               ? 0x8006
                               : static_cast<ParamID>((bad.offset - 8) / 4);
        EXPECT_EQ(hostValues(*instance).at(id), beforeValues.at(id));
    }

    for (float sample : render(*instance, 2))
        ASSERT_TRUE(std::isfinite(sample));
}

constexpr double kUnchanged = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Fields, StateStreamBadField,
    testing::Values(BadField{"GainNaN", L::control(0), false, kUnchanged, kUnchanged},
                    BadField{"VolumeInfinite", L::control(5), false, kInf, kUnchanged},
                    BadField{"TrimMinusInfinite", L::control(8), false, -kInf, kUnchanged},
                    BadField{"GainAboveRange", L::control(0), false, 5.0, 1.0},
                    BadField{"GainBelowRange", L::control(0), false, -1.0,
                             static_cast<double>(0.002f)},
                    BadField{"SlopeShiftJustAbove", L::control(7), false, 4.000061, 4.0},
                    BadField{"ThresholdBelowRange", L::control(22), false, -1000.0, -70.0},
                    BadField{"GSModelPastList", L::control(11), true, 99, 16},
                    BadField{"TSTypeHuge", L::control(18), true, 4294967295.0, 19},
                    BadField{"PlusPastList", L::control(23), true, 2, 1},
                    BadField{"JoystickXNaN", L::kJoystickX, false, kUnchanged, kUnchanged},
                    BadField{"JoystickYOutside", L::kJoystickY, false, 3.0, 1.0}),
    [](const testing::TestParamInfo<BadField>& param) { return std::string(param.param.what); });
