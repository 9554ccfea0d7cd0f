#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

class CPlugIn;

namespace Zeri2VST3
{

// Hands control values set on the host's main thread (state restore, preset
// load) to the audio thread while processing runs, so that filter redesigns
// never race with the signal chain. Each control has one slot holding its
// latest value: posting is wait-free and never fails, and the audio thread
// applies all pending slots, in control order, at the start of its next block.
//
// The class also keeps a snapshot of every control's value, readable from
// any thread, so that a state can be saved while the audio thread writes the
// plug-in object.
class ControlHandover
{
public:
    enum class Kind : uint8_t
    {
        Fraction, // setNormalizedControlValue
        Plain,    // setPlainControlValue
    };

    ControlHandover() = default;
    ControlHandover(const ControlHandover&) = delete;
    ControlHandover& operator=(const ControlHandover&) = delete;

    // Main thread, before processing: one slot per control of plugIn.
    void attach(CPlugIn* plugIn);

    // Processing active: posts go to the audio thread; inactive: applied at once.
    void setProcessingActive(bool active);
    bool isProcessingActive() const { return active.load(std::memory_order_acquire); }

    // Main thread. hostValue: the host's normalized value that stands for the
    // control's new value (NaN when there is none).
    void setControl(uint32_t index, float value, Kind kind, double hostValue);
    void setJoystick(float x, float y, bool orientation);

    // Audio thread, at the start of a block; true when anything was applied.
    bool applyPending();
    // Audio thread, after it changed a control or the joystick itself.
    void controlChangedOnAudioThread(uint32_t index);
    void joystickChangedOnAudioThread();

    // Audio thread (or main thread while inactive): the host value the
    // control's current value stands for; a host re-sending it changes nothing.
    double hostValue(uint32_t index) const;
    void setHostValue(uint32_t index, double value);

    // Main thread: the host set a control's value on the controller; until
    // the value arrives through processing, a save keeps it (hosts may save
    // before their next block). fraction: the linear fraction of that value.
    void hostEdited(uint32_t index, float fraction);
    // Audio thread: a host change of the control arrived.
    void hostChangeArrived(uint32_t index);
    // Any thread: the value a save writes.
    float savedValue(uint32_t index) const;
    // The same for a joystick coordinate (bipolar) of the x or the y axis.
    void hostEditedJoystick(bool xAxis, float value);
    void hostJoystickArrived(bool xAxis);
    void savedJoystick(float& x, float& y) const;

    // Any thread.
    float controlValue(uint32_t index) const;
    void joystick(float& x, float& y) const;
    uint32_t controlCount() const { return count; }

private:
    static uint64_t pack(float value, uint8_t tag);
    void applyControl(uint32_t index, float value, Kind kind, double hostValue);
    void applyJoystick(float x, float y, bool orientation);

    CPlugIn* plugIn = nullptr;
    uint32_t count = 0;
    std::atomic<bool> active{false};
    // Slot word: bit 63 set when pending, bits 32..39 the tag, low bits the float.
    std::unique_ptr<std::atomic<uint64_t>[]> pending;
    std::unique_ptr<std::atomic<double>[]> pendingHostValue;
    std::unique_ptr<double[]> hostValues;
    // Slot word as in pending: host edits not yet arrived through processing.
    std::unique_ptr<std::atomic<uint64_t>[]> edits;
    std::atomic<uint64_t> joystickEditX{0};
    std::atomic<uint64_t> joystickEditY{0};
    std::atomic<uint64_t> pendingJoystickX{0};
    std::atomic<uint64_t> pendingJoystickY{0};
    std::unique_ptr<std::atomic<float>[]> snapshot;
    std::atomic<float> snapshotJoystickX{0.0f};
    std::atomic<float> snapshotJoystickY{0.0f};
};

} // namespace Zeri2VST3
