#pragma once

#include <cstddef>
#include <cstdint>

class IParamUpdateQueue;

// Control types.
constexpr int32_t kControlTypeUser = 100;
constexpr int32_t kControlTypeMeter = 103;

// A control the host sees as a parameter: a user control, or one of the older
// variants (102, 104, 106) that behave exactly like it.
constexpr bool isUserControlType(int32_t type)
{
    return type == kControlTypeUser || type == 102 || type == 104 || type == 106;
}

// Data types of the bound variable.
constexpr int32_t kDataTypeInt = 0;
constexpr int32_t kDataTypeFloat = 1;
constexpr int32_t kDataTypeDouble = 2;
constexpr int32_t kDataTypeIndex = 3; // unsigned index into the enumeration
constexpr int32_t kDataTypeNone = 4;

constexpr int kNumPresets = 16;

// One control (or meter), described once for the DSP object, the host
// adapter and the editor. A plain record, copied by value: every copy owns
// its texts. The run-time smoothing state belongs to the live record and is
// not carried over by a copy.
class CControlDescriptor
{
public:
    static constexpr size_t kMaxTextLength = 1023;
    using Text = char[kMaxTextLength + 1];

    // Coefficients and state of the one-pole smoother, for float and for
    // double bindings. Copies start from zero.
    struct SmoothingState
    {
        float coeffA = 0.0f;
        float coeffB = 0.0f;
        float state = 0.0f;
        double coeffADouble = 0.0;
        double coeffBDouble = 0.0;
        double stateDouble = 0.0;

        SmoothingState() = default;
        SmoothingState(const SmoothingState&) {}
        SmoothingState& operator=(const SmoothingState&)
        {
            *this = SmoothingState{};
            return *this;
        }
        SmoothingState& operator=(SmoothingState&&) = default;
    };

    CControlDescriptor() = default;

    int32_t controlType = 0;
    int32_t controlId = 0;
    int32_t meterDetectorMode = 2; // 0 peak, 1 mean square, 2 RMS
    float minValue = 0.0f;
    float maxValue = 0.0f;
    int32_t dataType = kDataTypeNone;
    int32_t initialInt = 0;
    float initialFloat = 0.0f;
    double initialDouble = 0.0;
    float smoothTarget = 0.0f;
    SmoothingState smoothing;
    float smoothingTimeMs = 100.0f;
    bool smoothingEnabled = false;
    float joystickValue = 0.0f;
    bool joystickOrientation = false;
    int32_t* intVariable = nullptr;
    float* floatVariable = nullptr;
    double* doubleVariable = nullptr;
    uint32_t* indexVariable = nullptr;
    float* meterVariable = nullptr;
    Text name = {};
    Text units = {};
    Text variableName = {};
    Text enumeration = {}; // comma-separated items, e.g. "GUITAR,BASS"
    Text auxText = {};
    bool meterFlag = false; // meter view reads in dB
    bool logTaper = false;
    bool voltOctaveTaper = false;
    float meterAttackMs = 10.0f;
    float meterReleaseMs = 500.0f;
    bool midiControlEnabled = false;
    int32_t midiStatus = 0xB0;
    int32_t midiController = 3;
    int32_t controlIndex = -1;
    int32_t precision = 0; // decimals shown by the host; ignored for int controls
    double presetValues[kNumPresets] = {};
    IParamUpdateQueue* updateQueue = nullptr;

    // The plain value at a fraction (the linear 0..1 position in the range),
    // and the fraction of a plain value (0 for an empty range).
    float plainAt(float fraction) const { return minValue + (maxValue - minValue) * fraction; }
    float fractionOf(float plain) const
    {
        const float span = maxValue - minValue;
        return span != 0.0f ? (plain - minValue) / span : 0.0f;
    }

    // Texts longer than kMaxTextLength are cut; null clears the text.
    void setName(const char* text) { copyText(name, text); }
    void setUnits(const char* text) { copyText(units, text); }
    void setVariableName(const char* text) { copyText(variableName, text); }
    void setEnumeration(const char* text) { copyText(enumeration, text); }
    void setAuxText(const char* text) { copyText(auxText, text); }

    static void copyText(Text& destination, const char* source);
};
