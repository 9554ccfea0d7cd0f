// Factory presets through the host interfaces: what a preset load sets on
// both sides, that its saved state restores to the same instance, and that
// any value a host stores in the preset parameter is safe.
#include "StateFixture.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace L = StateLayout;

namespace
{

// The preset table: the controls that differ between presets.
struct Preset
{
    const char* name;
    double gain, volume, mids, slopeShift, trim;
    double gainfilterType, tsType;
    double boost, threshold;
    double plus;
};

const Preset kPresets[16] = {
    {"Factory Preset", 0.05, 0.25, 0.5, 1.0, 1.0, 0, 0, 0.0, -50, 0},
    {"Blues Crunch", 0.251574, 0.230869, 0.5446, 1.0, 1.0, 1, 9, 0.3, -70, 0},
    {"British Blues", 0.608164, 0.243425, 0.32675, 0.959236, 1.0, 1, 11, 0.52, -50, 0},
    {"AmeriBlues", 0.297621, 0.243457, 0.5099, 0.959236, 1.0, 1, 11, 0.3, -70, 0},
    {"Chordy", 0.083248, 0.23708, 0.7871, 1.000015, 1.000015, 0, 9, 0.0, -70, 0},
    {"Kleen Crunch", 0.04472, 0.511128, 1.0, 1.000015, 1.000015, 0, 9, 0.0, -70, 0},
    {"OD", 0.094263, 0.218967, 0.13375, 0.986221, 1.000015, 1, 5, 0.295, -70, 0},
    {"OD More", 0.33702, 0.186765, 0.2674, 0.94603, 1.000015, 1, 5, 0.68, -50, 0},
    {"Crunch 2", 0.239445, 0.237063, 0.7327, 0.933006, 1.000015, 1, 0, 0.32, -70, 0},
    {"Warm", 0.307016, 0.213242, 0.07435, 0.316433, 1.000015, 0, 9, 0.0, -50, 0},
    {"Clipper", 0.432105, 0.139565, 0.50995, 1.000015, 1.000015, 1, 8, 0.5, -70, 0},
    // 4.000061 lies past the range's maximum of 4 and loads as 4.
    {"Boost", 0.043352, 0.38187, 0.72775, 4.0, 1.000015, 0, 11, 1.0, -70, 0},
    {"AmeriRock", 0.627359, 0.213188, 1.0, 0.25, 1.000015, 0, 1, 0.27, -50, 0},
    {"Fuse This", 0.999945, 0.107062, 0.19315, 0.25, 1.000015, 0, 11, 0.51, -50, 0},
    {"British Punk", 0.999945, 0.213198, 0.37135, 1.042435, 1.000015, 1, 8, 0.18, -50, 0},
    {"Hard Rock", 0.999945, 0.167976, 0.2971, 0.920151, 1.028, 1, 11, 1.0, -50, 1},
};

// Plain values of all 24 controls for a preset, in control order.
std::vector<double> controlValues(const Preset& p)
{
    return {p.gain,
            0.7,
            0.7,
            0.8,
            1.0,
            p.volume,
            p.mids,
            p.slopeShift,
            p.trim,
            0,
            p.gainfilterType,
            0,
            0,
            0,
            0,
            0,
            0,
            0,
            p.tsType,
            p.boost,
            350.0,
            25.0,
            p.threshold,
            p.plus};
}

constexpr ParamID kControlIds = 24;

} // namespace

using Presets = StateFixture;

// One preset load sets every control on both sides, moves both joystick
// parameters and asks the host once to re-read the parameter values: not
// from inside the host's call, which may hold the host's lock, but from the
// host's run loop once the call has returned.
TEST_F(Presets, LoadSetsEveryControlAndAsksTheHostOnceToReread)
{
    auto instance = open(true);
    IEditController* controller = instance->controller();
    for (int p : {15, 11, 0, 7, 15})
    {
        SCOPED_TRACE(kPresets[p].name);
        instance->handler().clear();
        ASSERT_EQ(selectPreset(*instance, p), kResultOk);
        EXPECT_TRUE(instance->handler().calls().empty());
        instance->idle();
        EXPECT_EQ(instance->handler().reentrantCalls(), 0);

        int restarts = 0;
        for (const auto& call : instance->handler().calls())
        {
            if (call.kind == ZargHost::RecordingComponentHandler::Kind::RestartComponent)
            {
                EXPECT_EQ(call.number, kParamValuesChanged);
                ++restarts;
            }
        }
        EXPECT_EQ(restarts, 1);

        const auto expected = controlValues(kPresets[p]);
        const auto saved = state(*instance);
        for (ParamID i = 0; i < kControlIds; ++i)
        {
            SCOPED_TRACE("control " + std::to_string(i));
            const double shown =
                controller->normalizedParamToPlain(i, controller->getParamNormalized(i));
            if (L::isIndex(static_cast<int>(i)))
            {
                EXPECT_EQ(StateBytes::read<uint32_t>(saved, L::control(static_cast<int>(i))),
                          expected[i]);
                EXPECT_DOUBLE_EQ(shown, expected[i]);
                continue;
            }
            // The control: the preset value up to single-precision rounding.
            const float value = StateBytes::read<float>(saved, L::control(static_cast<int>(i)));
            EXPECT_NEAR(value, expected[i], 2e-7 * std::max(1.0, std::fabs(expected[i])));
            // The host shows it through the approximate volt/octave taper.
            EXPECT_NEAR(shown, expected[i], 3e-4 * std::max(1.0, std::fabs(expected[i])));
        }
        // Every factory preset centres the joystick.
        EXPECT_DOUBLE_EQ(controller->getParamNormalized(0x8005), 0.5);
        EXPECT_DOUBLE_EQ(controller->getParamNormalized(0x8006), 0.5);
        EXPECT_EQ(StateBytes::read<float>(saved, L::kJoystickX), 0.0f);
        EXPECT_EQ(StateBytes::read<float>(saved, L::kJoystickY), 0.0f);
    }
}

// Load, save, restore into a new instance: the same bytes, the same host
// values and the same sound.
TEST_F(Presets, EveryPresetRoundTripsThroughItsState)
{
    for (int p = 0; p < 16; ++p)
    {
        SCOPED_TRACE(kPresets[p].name);
        auto loaded = open(true);
        ASSERT_EQ(selectPreset(*loaded, p), kResultOk);
        const auto bytes = state(*loaded);
        ASSERT_EQ(bytes.size(), L::kSize);

        auto restored = open(true);
        restore(*restored, bytes);
        EXPECT_EQ(state(*restored), bytes);

        // The preset parameter itself is no part of the state.
        auto expectedValues = hostValues(*loaded);
        auto values = hostValues(*restored);
        expectedValues.erase(Zeri2VST3::kPresetParamId);
        values.erase(Zeri2VST3::kPresetParamId);
        ASSERT_EQ(values.size(), expectedValues.size());
        for (const auto& [id, value] : expectedValues)
        {
            SCOPED_TRACE("parameter " + std::to_string(id));
            // A preset's host value comes from the preset value in single
            // precision, a restored one from the saved control value in
            // double: control parameters agree to single-precision rounding
            // (lists on the same item), the adapter's own exactly.
            if (id < kControlIds)
            {
                EXPECT_NEAR(values.at(id), value, 4e-7);
                if (L::isIndex(static_cast<int>(id)))
                {
                    EXPECT_EQ(restored->controller()->normalizedParamToPlain(id, values.at(id)),
                              loaded->controller()->normalizedParamToPlain(id, value));
                }
            }
            else
                EXPECT_EQ(values.at(id), value);
        }

        EXPECT_EQ(render(*restored), render(*loaded));
    }
}

// The sound is a function of the control values alone. Hard Rock has Plus
// ON; new Push1/Push2 values re-sent after Plus, or Plus re-sent after them,
// give the same sound, and it differs from the same values with Plus OFF.
TEST_F(Presets, PlusHoldsWhateverOrderTheValuesArriveIn)
{
    const std::vector<std::pair<ParamID, double>> pushes = {{1, 0.3}, {2, 0.6}};
    auto pushesThenPlus = pushes;
    pushesThenPlus.emplace_back(23, 1.0);
    std::vector<std::pair<ParamID, double>> plusThenPushes = {{23, 1.0}};
    plusThenPushes.insert(plusThenPushes.end(), pushes.begin(), pushes.end());
    auto plusOff = pushes;
    plusOff.emplace_back(23, 0.0);

    std::vector<std::vector<float>> renders;
    for (const auto& changes : {plusThenPushes, pushesThenPlus, plusOff})
    {
        auto instance = open(true);
        ASSERT_EQ(selectPreset(*instance, 15), kResultOk);
        renders.push_back(render(*instance, 4, changes));
    }
    ASSERT_TRUE(
        std::any_of(renders[0].begin(), renders[0].end(), [](float s) { return s != 0.0f; }));
    EXPECT_EQ(renders[0], renders[1]);
    EXPECT_NE(renders[0], renders[2]);
}

// A project restored before the host activates the plug-in (the usual order)
// sounds as one restored while it runs: every network follows its model
// selection and the stage gains keep Plus.
TEST_F(Presets, RestoreBeforeActivationSoundsAsRestoredWhileActive)
{
    auto hardRock = open(true);
    ASSERT_EQ(selectPreset(*hardRock, 15), kResultOk);
    auto bytes = state(*hardRock);
    StateBytes::write<uint32_t>(bytes, L::control(16), 7); // ISD_Model
    StateBytes::write<uint32_t>(bytes, L::control(17), 5); // IN_Model

    auto whileActive = open(true);
    restore(*whileActive, bytes);
    auto beforeActivation = open(false);
    restore(*beforeActivation, bytes);
    ASSERT_EQ(beforeActivation->setupProcessing(kSampleRate, kBlock), kResultOk);
    ASSERT_EQ(beforeActivation->activate(), kResultOk);

    const auto reference = render(*whileActive);
    EXPECT_EQ(render(*beforeActivation), reference);
    // Deactivating and activating again changes nothing either.
    auto reactivated = open(true);
    restore(*reactivated, bytes);
    ASSERT_EQ(reactivated->deactivate(), kResultOk);
    ASSERT_EQ(reactivated->activate(), kResultOk);
    EXPECT_EQ(render(*reactivated), reference);
}

// Hosts may store anything in the preset parameter: out-of-range values
// select the nearest preset, NaN is refused, nothing reads past the table.
TEST_F(Presets, AnyStoredValueSelectsAListedPreset)
{
    auto reference = open();
    ASSERT_EQ(selectPreset(*reference, 0), kResultOk);
    const auto first = state(*reference);
    ASSERT_EQ(selectPreset(*reference, 15), kResultOk);
    const auto last = state(*reference);

    constexpr double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        const std::vector<char>* expected;
    } cases[] = {{-1.0, &first}, {-inf, &first}, {0.0, &first},
                 {1.0, &last},   {2.0, &last},   {inf, &last}};
    auto instance = open(true);
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.value);
        ASSERT_EQ(selectPreset(*instance, 7), kResultOk);
        EXPECT_EQ(instance->controller()->setParamNormalized(Zeri2VST3::kPresetParamId, c.value),
                  kResultOk);
        EXPECT_EQ(state(*instance), *c.expected);
    }

    ASSERT_EQ(selectPreset(*instance, 7), kResultOk);
    const auto before = state(*instance);
    const double presetValue =
        instance->controller()->getParamNormalized(Zeri2VST3::kPresetParamId);
    instance->handler().clear();
    EXPECT_EQ(instance->controller()->setParamNormalized(Zeri2VST3::kPresetParamId,
                                                         std::numeric_limits<double>::quiet_NaN()),
              kResultFalse);
    EXPECT_EQ(state(*instance), before);
    EXPECT_EQ(instance->controller()->getParamNormalized(Zeri2VST3::kPresetParamId), presetValue);
    EXPECT_TRUE(instance->handler().calls().empty());
}
