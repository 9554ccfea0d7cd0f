#include "framework/CControlDescriptor.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(CControlDescriptor, DefaultsAreThoseTheAdapterAndEditorRelyOn)
{
    const CControlDescriptor d;
    EXPECT_EQ(d.meterDetectorMode, 2);
    EXPECT_EQ(d.dataType, kDataTypeNone);
    EXPECT_FLOAT_EQ(d.smoothingTimeMs, 100.0f);
    EXPECT_FALSE(d.smoothingEnabled);
    EXPECT_FLOAT_EQ(d.meterAttackMs, 10.0f);
    EXPECT_FLOAT_EQ(d.meterReleaseMs, 500.0f);
    EXPECT_EQ(d.midiStatus, 176);
    EXPECT_EQ(d.midiController, 3);
    EXPECT_EQ(d.controlIndex, -1);
    EXPECT_EQ(d.precision, 0);
    EXPECT_EQ(d.floatVariable, nullptr);
    EXPECT_EQ(d.updateQueue, nullptr);
    EXPECT_STREQ(d.name, "");
    EXPECT_STREQ(d.enumeration, "");
    for (double v : d.presetValues)
        EXPECT_EQ(v, 0.0);
}

TEST(CControlDescriptor, LongTextsAreCutAt1023Characters)
{
    const std::string longText(2000, 'x');
    CControlDescriptor d;
    d.setName(longText.c_str());
    d.setUnits(std::string(1023, 'u').c_str());
    d.setVariableName(std::string(1024, 'v').c_str());
    d.setEnumeration(longText.c_str());
    d.setAuxText(longText.c_str());

    const CControlDescriptor copy = d;
    EXPECT_EQ(std::strlen(copy.name), 1023u);
    EXPECT_EQ(std::strlen(copy.units), 1023u);
    EXPECT_EQ(std::strlen(copy.variableName), 1023u);
    EXPECT_EQ(std::strlen(copy.enumeration), 1023u);
    EXPECT_EQ(std::strlen(copy.auxText), 1023u);
    EXPECT_EQ(std::string(copy.name), longText.substr(0, 1023));
}

TEST(CControlDescriptor, NullTextClears)
{
    CControlDescriptor d;
    d.setName("Gain");
    d.setName(nullptr);
    EXPECT_STREQ(d.name, "");
}

TEST(CControlDescriptor, CopyOwnsItsTextsAndKeepsEveryFieldButTheSmoothingState)
{
    float variable = 0.0f;
    CControlDescriptor d;
    d.controlType = kControlTypeUser;
    d.controlId = 7;
    d.minValue = -1.0f;
    d.maxValue = 3.0f;
    d.dataType = kDataTypeFloat;
    d.floatVariable = &variable;
    d.smoothTarget = 0.25f;
    d.smoothingEnabled = true;
    d.voltOctaveTaper = true;
    d.precision = 2;
    d.presetValues[15] = 1.028;
    d.setName("Gain");
    d.setEnumeration("GUITAR,BASS");
    d.smoothing.coeffA = 0.9f;
    d.smoothing.coeffB = 0.1f;
    d.smoothing.state = 0.5f;
    d.smoothing.coeffADouble = 0.9;
    d.smoothing.stateDouble = 0.5;

    CControlDescriptor copy = d;
    d.setName("Changed");

    EXPECT_STREQ(copy.name, "Gain");
    EXPECT_STREQ(copy.enumeration, "GUITAR,BASS");
    EXPECT_EQ(copy.controlType, kControlTypeUser);
    EXPECT_EQ(copy.controlId, 7);
    EXPECT_FLOAT_EQ(copy.minValue, -1.0f);
    EXPECT_FLOAT_EQ(copy.maxValue, 3.0f);
    EXPECT_EQ(copy.floatVariable, &variable);
    EXPECT_FLOAT_EQ(copy.smoothTarget, 0.25f);
    EXPECT_TRUE(copy.smoothingEnabled);
    EXPECT_TRUE(copy.voltOctaveTaper);
    EXPECT_EQ(copy.precision, 2);
    EXPECT_DOUBLE_EQ(copy.presetValues[15], 1.028);
    EXPECT_EQ(copy.smoothing.coeffA, 0.0f);
    EXPECT_EQ(copy.smoothing.coeffB, 0.0f);
    EXPECT_EQ(copy.smoothing.state, 0.0f);
    EXPECT_EQ(copy.smoothing.coeffADouble, 0.0);
    EXPECT_EQ(copy.smoothing.stateDouble, 0.0);

    // Assignment behaves like the copy.
    CControlDescriptor assigned;
    assigned.smoothing.state = 2.0f;
    assigned = d;
    EXPECT_STREQ(assigned.name, "Changed");
    EXPECT_EQ(assigned.smoothing.state, 0.0f);
    EXPECT_EQ(assigned.controlId, 7);
}
