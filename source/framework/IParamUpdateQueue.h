#pragma once

#include <cstdint>

// Sample-accurate values of one control within the current block, supplied
// by the host adapter. Values are the host's normalized values (0...1), which
// the base applies as fractions: sample-accurate automation skips the tapers.
class IParamUpdateQueue
{
public:
    virtual uint32_t parameterId() = 0;
    // true and a value in out when a new value applies at sampleOffset; the
    // queue continues from that offset afterwards.
    virtual bool valueAtOffset(int32_t sampleOffset, double previousValue, double& out) = 0;
    // As valueAtOffset for the queue's current offset, which then advances by one.
    virtual bool nextValue(double& out) = 0;

protected:
    // Owned and deleted by the adapter only.
    ~IParamUpdateQueue() = default;
};
