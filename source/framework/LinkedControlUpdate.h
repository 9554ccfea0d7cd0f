#pragma once

#include <cstdint>

// One node of the list CPlugIn::queryLinkedControlUpdates hands out; nodes are
// allocated with new and freed by CPlugIn::releaseLinkedControlUpdates.
struct LinkedControlUpdate
{
    int32_t controlId = 0;
    float value = 0.0f;
    LinkedControlUpdate* next = nullptr;
};
