#include "adapter/ControlHandover.h"

#include "framework/CPlugIn.h"

#include <bit>
#include <limits>

namespace Zeri2VST3
{

namespace
{
constexpr uint64_t kPendingBit = uint64_t{1} << 63;
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

float valueOf(uint64_t word)
{
    return std::bit_cast<float>(static_cast<uint32_t>(word & 0xFFFFFFFFu));
}

uint8_t tagOf(uint64_t word)
{
    return static_cast<uint8_t>((word >> 32) & 0xFFu);
}
} // namespace

static_assert(std::atomic<uint64_t>::is_always_lock_free);
static_assert(std::atomic<float>::is_always_lock_free);

uint64_t ControlHandover::pack(float value, uint8_t tag)
{
    return kPendingBit | (uint64_t{tag} << 32) | std::bit_cast<uint32_t>(value);
}

void ControlHandover::attach(CPlugIn* object)
{
    plugIn = object;
    count = object ? object->m_controlList.count() : 0;
    pending = std::make_unique<std::atomic<uint64_t>[]>(count);
    pendingHostValue = std::make_unique<std::atomic<double>[]>(count);
    edits = std::make_unique<std::atomic<uint64_t>[]>(count);
    hostValues = std::make_unique<double[]>(count);
    snapshot = std::make_unique<std::atomic<float>[]>(count);
    for (uint32_t i = 0; i < count; ++i)
    {
        pending[i].store(0, std::memory_order_relaxed);
        edits[i].store(0, std::memory_order_relaxed);
        pendingHostValue[i].store(kUnknown, std::memory_order_relaxed);
        hostValues[i] = kUnknown;
        snapshot[i].store(object->getControlValue(i), std::memory_order_relaxed);
    }
    if (object)
    {
        float x = 0.0f;
        float y = 0.0f;
        object->getJoystick(x, y);
        snapshotJoystickX.store(x);
        snapshotJoystickY.store(y);
    }
}

void ControlHandover::setProcessingActive(bool isActive)
{
    // Deactivation: the audio thread has stopped, so what it left pending is
    // applied here and nothing waits for a block that never comes.
    active.store(isActive, std::memory_order_release);
    if (!isActive)
        applyPending();
}

void ControlHandover::setControl(uint32_t index, float value, Kind kind, double hostValue)
{
    if (!plugIn || index >= count)
        return;
    snapshot[index].store(plugIn->resolveControlValue(index, value, kind == Kind::Fraction),
                          std::memory_order_relaxed);
    edits[index].store(0, std::memory_order_relaxed);
    if (!isProcessingActive())
    {
        applyControl(index, value, kind, hostValue);
        return;
    }
    pendingHostValue[index].store(hostValue, std::memory_order_relaxed);
    pending[index].store(pack(value, static_cast<uint8_t>(kind)), std::memory_order_release);
}

void ControlHandover::setJoystick(float x, float y, bool orientation)
{
    if (!plugIn)
        return;
    joystickEditX.store(0, std::memory_order_relaxed);
    joystickEditY.store(0, std::memory_order_relaxed);
    snapshotJoystickX.store(x, std::memory_order_relaxed);
    snapshotJoystickY.store(y, std::memory_order_relaxed);
    if (!isProcessingActive())
    {
        applyJoystick(x, y, orientation);
        return;
    }
    const uint8_t tag = orientation ? 1 : 0;
    pendingJoystickY.store(pack(y, tag), std::memory_order_release);
    pendingJoystickX.store(pack(x, tag), std::memory_order_release);
}

bool ControlHandover::applyPending()
{
    if (!plugIn)
        return false;
    bool applied = false;
    for (uint32_t i = 0; i < count; ++i)
    {
        if ((pending[i].load(std::memory_order_relaxed) & kPendingBit) == 0)
            continue;
        const uint64_t word = pending[i].exchange(0, std::memory_order_acquire);
        if ((word & kPendingBit) == 0)
            continue;
        applyControl(i, valueOf(word), static_cast<Kind>(tagOf(word)),
                     pendingHostValue[i].load(std::memory_order_relaxed));
        controlChangedOnAudioThread(i);
        applied = true;
    }
    const uint64_t x = pendingJoystickX.exchange(0, std::memory_order_acquire);
    const uint64_t y = pendingJoystickY.exchange(0, std::memory_order_acquire);
    if ((x & kPendingBit) != 0 || (y & kPendingBit) != 0)
    {
        float currentX = 0.0f;
        float currentY = 0.0f;
        plugIn->getJoystick(currentX, currentY);
        const uint64_t tagSource = (x & kPendingBit) != 0 ? x : y;
        applyJoystick((x & kPendingBit) != 0 ? valueOf(x) : currentX,
                      (y & kPendingBit) != 0 ? valueOf(y) : currentY, tagOf(tagSource) != 0);
        joystickChangedOnAudioThread();
        applied = true;
    }
    return applied;
}

void ControlHandover::applyControl(uint32_t index, float value, Kind kind, double hostValue)
{
    hostValues[index] = hostValue;
    if (kind == Kind::Fraction)
        plugIn->setNormalizedControlValue(index, value, false);
    else
        plugIn->setPlainControlValue(index, value);
}

void ControlHandover::applyJoystick(float x, float y, bool orientation)
{
    plugIn->setJoystickX(x, orientation);
    plugIn->setJoystickY(y, orientation);
}

void ControlHandover::controlChangedOnAudioThread(uint32_t index)
{
    if (plugIn && index < count)
        snapshot[index].store(plugIn->getControlValue(index), std::memory_order_relaxed);
}

void ControlHandover::joystickChangedOnAudioThread()
{
    if (!plugIn)
        return;
    float x = 0.0f;
    float y = 0.0f;
    plugIn->getJoystick(x, y);
    snapshotJoystickX.store(x, std::memory_order_relaxed);
    snapshotJoystickY.store(y, std::memory_order_relaxed);
}

double ControlHandover::hostValue(uint32_t index) const
{
    return index < count ? hostValues[index] : kUnknown;
}

void ControlHandover::setHostValue(uint32_t index, double value)
{
    if (index < count)
        hostValues[index] = value;
}

void ControlHandover::hostEdited(uint32_t index, float fraction)
{
    if (!plugIn || index >= count)
        return;
    edits[index].store(pack(plugIn->resolveControlValue(index, fraction, true), 0),
                       std::memory_order_relaxed);
}

void ControlHandover::hostChangeArrived(uint32_t index)
{
    if (index < count)
        edits[index].store(0, std::memory_order_relaxed);
}

float ControlHandover::savedValue(uint32_t index) const
{
    if (index >= count)
        return 0.0f;
    const uint64_t edit = edits[index].load(std::memory_order_relaxed);
    return (edit & kPendingBit) != 0 ? valueOf(edit) : controlValue(index);
}

void ControlHandover::hostEditedJoystick(bool xAxis, float value)
{
    (xAxis ? joystickEditX : joystickEditY).store(pack(value, 0), std::memory_order_relaxed);
}

void ControlHandover::hostJoystickArrived(bool xAxis)
{
    (xAxis ? joystickEditX : joystickEditY).store(0, std::memory_order_relaxed);
}

void ControlHandover::savedJoystick(float& x, float& y) const
{
    joystick(x, y);
    const uint64_t editX = joystickEditX.load(std::memory_order_relaxed);
    const uint64_t editY = joystickEditY.load(std::memory_order_relaxed);
    if ((editX & kPendingBit) != 0)
        x = valueOf(editX);
    if ((editY & kPendingBit) != 0)
        y = valueOf(editY);
}

float ControlHandover::controlValue(uint32_t index) const
{
    return index < count ? snapshot[index].load(std::memory_order_relaxed) : 0.0f;
}

void ControlHandover::joystick(float& x, float& y) const
{
    x = snapshotJoystickX.load(std::memory_order_relaxed);
    y = snapshotJoystickY.load(std::memory_order_relaxed);
}

} // namespace Zeri2VST3
