// Factory presets through the host interfaces: what a preset load sets on
// both sides, that its saved state restores to the same instance, and that
// any value a host stores in the preset parameter is safe.
#include "StateFixture.h"
#include "dsp/CQuorzel.h"

#include <algorithm>
#include <cmath>
#include <limits>

using namespace Steinberg;
using namespace Steinberg::Vst;
namespace L = StateLayout;

namespace
{

constexpr ParamID kControlIds = CQuorzel::kNumControls;

// The product's own preset table, as its plug-in object describes it.
const CQuorzel& product()
{
    static const CQuorzel quorzel;
    return quorzel;
}

const char* presetName(int preset)
{
    return product().m_presetNames[preset];
}

// The plain value a preset load gives a control: the preset's value, held to
// the control's range so that a saved state restores to the same value.
double presetValue(int preset, ParamID control)
{
    const CControlDescriptor& d = *product().m_controlList.get(control);
    return std::clamp(d.presetValues[preset], static_cast<double>(d.minValue),
                      static_cast<double>(d.maxValue));
}

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
        SCOPED_TRACE(presetName(p));
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

        const auto saved = state(*instance);
        for (ParamID i = 0; i < kControlIds; ++i)
        {
            SCOPED_TRACE("control " + std::to_string(i));
            const double expected = presetValue(p, i);
            const double shown =
                controller->normalizedParamToPlain(i, controller->getParamNormalized(i));
            if (L::isIndex(static_cast<int>(i)))
            {
                EXPECT_EQ(StateBytes::read<uint32_t>(saved, L::control(static_cast<int>(i))),
                          expected);
                EXPECT_DOUBLE_EQ(shown, expected);
                continue;
            }
            // The control: the preset value up to single-precision rounding.
            const float value = StateBytes::read<float>(saved, L::control(static_cast<int>(i)));
            EXPECT_NEAR(value, expected, 2e-7 * std::max(1.0, std::fabs(expected)));
            // The host shows it through the approximate volt/octave taper.
            EXPECT_NEAR(shown, expected, 3e-4 * std::max(1.0, std::fabs(expected)));
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
        SCOPED_TRACE(presetName(p));
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
