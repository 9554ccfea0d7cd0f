#include "adapter/LogParameter.h"
#include "adapter/PeakParameter.h"
#include "adapter/Taper.h"
#include "adapter/VoltOctaveParameter.h"
#include "framework/CControlDescriptor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

using namespace Steinberg;
using namespace Steinberg::Vst;
using Zeri2VST3::LogParameter;
using Zeri2VST3::PeakParameter;
using Zeri2VST3::VoltOctaveParameter;

namespace
{
std::u16string text(const Parameter& p, ParamValue normalized)
{
    String128 s = {};
    p.toString(normalized, s);
    return std::u16string(s);
}

std::string ascii(const std::u16string& s)
{
    return std::string(s.begin(), s.end());
}

// Factory so that each test gets a fresh, reference-counted parameter.
template <typename P, typename... Args>
IPtr<P> make(Args... args)
{
    return owned(new P(args...));
}
} // namespace

TEST(PeakParameter, ShowsTheLevelInDecibels)
{
    auto p = make<PeakParameter>(ParameterInfo::kIsReadOnly, 7u, u"Out Meter");
    EXPECT_EQ(ascii(text(*p, 1.0)), "0.000");
    EXPECT_EQ(ascii(text(*p, 0.5)), "-6.021");
    EXPECT_EQ(ascii(text(*p, 0.001)), "-60.000");
    for (double silent : {0.0001, 0.0, -1.0})
        EXPECT_EQ(text(*p, silent), u"-\u221E") << silent;
}

TEST(PeakParameter, IsAReadOnlyIdentityMeter)
{
    auto p = make<PeakParameter>(ParameterInfo::kIsReadOnly, 7u, u"Out Meter");
    const ParameterInfo& info = p->getInfo();
    EXPECT_EQ(std::u16string(info.title), u"Out Meter");
    EXPECT_EQ(info.id, 7u);
    EXPECT_EQ(info.flags, ParameterInfo::kIsReadOnly);
    EXPECT_EQ(info.stepCount, 0);
    EXPECT_EQ(info.unitId, 0);
    EXPECT_EQ(info.defaultNormalizedValue, 0.5);
    EXPECT_EQ(p->getNormalized(), 1.0);
    EXPECT_EQ(p->toPlain(0.3), 0.3);
    EXPECT_EQ(p->toNormalized(0.3), 0.3);

    ParamValue v = 0.25;
    EXPECT_FALSE(p->fromString(u"-6.0", v));
    EXPECT_EQ(v, 0.25);
}

TEST(LogParameter, CoversTheRangeWithTheUpperDecades)
{
    auto p = make<LogParameter>(u"Freq", 3u, u"Hz", 20.0, 20000.0, 1000.0, 0,
                                ParameterInfo::kCanAutomate, 0);
    EXPECT_NEAR(p->toPlain(1.0), 20000.0, 1e-3);
    EXPECT_DOUBLE_EQ(p->toPlain(0.0), 20.0);
    EXPECT_DOUBLE_EQ(p->toPlain(-0.5), 20.0);
    EXPECT_NEAR(p->toNormalized(20.0), std::pow(10.0, -2.4), 1e-7);
    EXPECT_NEAR(p->toNormalized(20000.0), 1.0, 1e-7);
    // Below 10^-2.4 the plain value falls under the minimum; no clamping.
    EXPECT_LT(p->toPlain(0.001), 20.0);
    for (double v = 0.01; v <= 1.0; v += 0.07)
        EXPECT_NEAR(p->toNormalized(p->toPlain(v)), v, 1e-5 * v) << v;

    EXPECT_NEAR(p->getNormalized(), p->toNormalized(1000.0), 1e-12);
    EXPECT_EQ(p->getInfo().defaultNormalizedValue, p->getNormalized());
    EXPECT_EQ(std::u16string(p->getInfo().units), u"Hz");
    EXPECT_DOUBLE_EQ(p->getMin(), 20.0);
    EXPECT_DOUBLE_EQ(p->getMax(), 20000.0);
}

TEST(LogParameter, TextsUseThePrecision)
{
    auto p = make<LogParameter>(u"Freq", 3u, nullptr, 20.0, 20000.0, 20.0, 0,
                                ParameterInfo::kCanAutomate, 0);
    p->setPrecision(2);
    EXPECT_EQ(ascii(text(*p, 0.0)), "20.00");
    p->setPrecision(0);
    EXPECT_EQ(ascii(text(*p, 1.0)), "20000");

    ParamValue v = 0.125;
    EXPECT_FALSE(p->fromString(u"abc", v));
    EXPECT_FALSE(p->fromString(u"", v));
    EXPECT_EQ(v, 0.125);
    ASSERT_TRUE(p->fromString(u"20000", v));
    EXPECT_NEAR(v, 1.0, 1e-6);
}

TEST(LogParameter, EmptyRangeGivesNoNaN)
{
    auto p =
        make<LogParameter>(u"Flat", 1u, nullptr, 5.0, 5.0, 5.0, 0, ParameterInfo::kCanAutomate, 0);
    EXPECT_EQ(p->toNormalized(5.0), 0.0);
    EXPECT_DOUBLE_EQ(p->toPlain(0.7), 5.0);
}

TEST(VoltOctaveParameter, EqualStepsMultiplyThePlainValue)
{
    auto p = make<VoltOctaveParameter>(u"SlopeShift", 7u, nullptr, 0.25, 4.0, 1.0, 0,
                                       ParameterInfo::kCanAutomate, 0);
    EXPECT_NEAR(p->toPlain(0.5), 1.0, 5e-4);
    EXPECT_NEAR(p->toNormalized(1.0), 0.5, 5e-4);
    EXPECT_NEAR(p->toNormalized(0.25), 0.0, 5e-4);
    EXPECT_NEAR(p->toNormalized(4.0), 1.0, 5e-4);
    EXPECT_NEAR(p->toPlain(0.0), 0.25, 5e-4);
    EXPECT_NEAR(p->toPlain(1.0), 4.0, 2e-3);
    for (double v = 0.0; v <= 1.0; v += 0.05)
    {
        EXPECT_NEAR(p->toPlain(v), 0.25 * std::pow(16.0, v), 5e-4 * 0.25 * std::pow(16.0, v));
        EXPECT_NEAR(p->toNormalized(p->toPlain(v)), v, 5e-4) << v;
    }
    // Default and current value are the single-precision normalized default.
    const double expected = static_cast<float>(p->toNormalized(1.0));
    EXPECT_EQ(p->getNormalized(), expected);
    EXPECT_EQ(p->getInfo().defaultNormalizedValue, expected);
}

TEST(VoltOctaveParameter, TextsAndTypedValues)
{
    auto p = make<VoltOctaveParameter>(u"SlopeShift", 7u, u"", 0.25, 4.0, 1.0, 0,
                                       ParameterInfo::kCanAutomate, 0);
    p->setPrecision(2);
    EXPECT_EQ(ascii(text(*p, p->toNormalized(1.0))), "1.00");
    EXPECT_EQ(ascii(text(*p, 0.0)), "0.25");

    ParamValue v = 0.3;
    EXPECT_FALSE(p->fromString(u"abc", v));
    EXPECT_EQ(v, 0.3);
    ASSERT_TRUE(p->fromString(u"1.5", v));
    EXPECT_NEAR(v, 0.6462, 5e-4);
    // A plain value the taper cannot reach maps to the bottom, not to garbage.
    ASSERT_TRUE(p->fromString(u"-1", v));
    EXPECT_EQ(v, 0.0);
    ASSERT_TRUE(p->fromString(u"0", v));
    EXPECT_EQ(v, 0.0);
}

TEST(VoltOctaveParameter, ConversionHelpersMatchTheParameter)
{
    auto p = make<VoltOctaveParameter>(u"Gain", 0u, nullptr, 0.002, 1.0, 0.05, 0,
                                       ParameterInfo::kCanAutomate, 0);
    for (double v : {0.0, 0.1, 0.5, 0.93, 1.0})
        EXPECT_EQ(Zeri2VST3::Taper::voltOctavePlain(v, 0.002, 1.0), p->toPlain(v));
    for (double plain : {0.002, 0.05, 0.6, 1.0})
        EXPECT_EQ(Zeri2VST3::Taper::voltOctaveNormalized(plain, 0.002, 1.0),
                  p->toNormalized(plain));
    p->setMin(0.01);
    p->setMax(2.0);
    EXPECT_NEAR(p->toPlain(1.0), 2.0, 2e-3);
    EXPECT_DOUBLE_EQ(Zeri2VST3::Taper::voltOctavePlain(0.4, 3.0, 3.0), 3.0);
}

// Hosts store plain values (some in single precision) and convert them back
// at every load. Whatever value a round trip starts from, after the first
// one further round trips change neither value, bit for bit.
TEST(TaperParameters, PlainValueRoundTripsSettleAfterTheFirst)
{
    const struct
    {
        const char* name;
        IPtr<Parameter> parameter;
    } tapers[] = {
        {"Gain", make<VoltOctaveParameter>(u"Gain", 0u, nullptr, 0.002, 1.0, 0.05, 0,
                                           ParameterInfo::kCanAutomate, 0)},
        {"Volume", make<VoltOctaveParameter>(u"Volume", 5u, nullptr, 0.01, 2.0, 0.25, 0,
                                             ParameterInfo::kCanAutomate, 0)},
        {"Trim", make<VoltOctaveParameter>(u"Trim", 8u, nullptr, 0.25, 4.0, 1.0, 0,
                                           ParameterInfo::kCanAutomate, 0)},
        {"Freq", make<LogParameter>(u"Freq", 3u, nullptr, 20.0, 20000.0, 1000.0, 0,
                                    ParameterInfo::kCanAutomate, 0)},
    };
    for (const auto& taper : tapers)
    {
        const Parameter& p = *taper.parameter;
        for (bool singlePrecision : {false, true})
        {
            auto stored = [singlePrecision](double v)
            { return singlePrecision ? static_cast<double>(static_cast<float>(v)) : v; };
            for (int k = 0; k <= 400; ++k)
            {
                SCOPED_TRACE(testing::Message() << taper.name << " start " << k
                                                << (singlePrecision ? " (float host)" : ""));
                // Half the trips start from a normalised value, half from a plain one.
                const double start = k / 400.0 + 1e-4 * std::sin(k);
                double normalized = std::clamp(start, 0.0, 1.0);
                if (k % 2 == 1)
                    normalized = stored(
                        p.toNormalized(p.toPlain(0.0) + start * (p.toPlain(1.0) - p.toPlain(0.0))));
                double plain = stored(p.toPlain(normalized));
                normalized = stored(p.toNormalized(plain));
                plain = stored(p.toPlain(normalized));
                for (int trip = 0; trip < 10; ++trip)
                {
                    const double again = stored(p.toNormalized(plain));
                    ASSERT_EQ(again, normalized) << "trip " << trip;
                    ASSERT_EQ(stored(p.toPlain(again)), plain) << "trip " << trip;
                }
            }
        }
    }
}

// Typed values beyond the range are held to it.
TEST(TaperParameters, TypedTextStaysInTheRange)
{
    auto trim = make<VoltOctaveParameter>(u"Trim", 8u, nullptr, 0.25, 4.0, 1.0, 0,
                                          ParameterInfo::kCanAutomate, 0);
    auto freq = make<LogParameter>(u"Freq", 3u, nullptr, 20.0, 20000.0, 1000.0, 0,
                                   ParameterInfo::kCanAutomate, 0);
    const struct
    {
        const Parameter& parameter;
        const char16_t* text;
        double normalized;
    } cases[] = {
        {*trim, u"5", 1.0},
        {*trim, u"1e9", 1.0},
        {*trim, u"0.1", 0.0},
        {*freq, u"50000", 1.0},
        {*freq, u"-3", freq->toNormalized(20.0)},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(ascii(c.text));
        ParamValue v = 0.5;
        ASSERT_TRUE(c.parameter.fromString(c.text, v));
        EXPECT_EQ(v, c.normalized);
    }
    ParamValue v = 0.5;
    EXPECT_FALSE(trim->fromString(u"nan", v));
    EXPECT_EQ(v, 0.5);
}

// What a host change sets on the plug-in object is the plain value the host's
// volt/octave parameter shows for it, up to the object's single precision.
TEST(TaperParameters, TheObjectLandsOnTheShownValue)
{
    const struct
    {
        float minValue;
        float maxValue;
    } ranges[] = {{0.002f, 1.0f}, {0.01f, 2.0f}, {0.25f, 4.0f}};
    for (const auto& range : ranges)
    {
        CControlDescriptor control;
        control.minValue = range.minValue;
        control.maxValue = range.maxValue;
        control.voltOctaveTaper = true;
        const auto lo = static_cast<double>(range.minValue);
        auto shown =
            make<VoltOctaveParameter>(u"", 0u, nullptr, lo, static_cast<double>(range.maxValue), lo,
                                      0, ParameterInfo::kCanAutomate, 0);
        for (int k = 0; k <= 1000; ++k)
        {
            const double normalized = k / 1000.0;
            const float set =
                control.plainAt(Zeri2VST3::Taper::controlFraction(control, normalized));
            const auto expected = static_cast<float>(shown->toPlain(normalized));
            ASSERT_NEAR(set, expected, 4e-7f * expected) << range.maxValue << " at " << normalized;
        }
    }
}
