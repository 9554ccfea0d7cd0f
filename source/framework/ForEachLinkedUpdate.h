#pragma once

#include "framework/CPlugIn.h"

#include <cstdint>
#include <utility>

// The controls the plug-in object moves along when control controlId takes
// value: each update that names a control of `controls` (the object's list,
// or a copy of it) goes, in list order, to apply(position, plainValue). The
// list then goes back to the object, and whatever it left there is freed.
template <typename Apply>
void forEachLinkedUpdate(CPlugIn& plugIn, const CControlList& controls, int32_t controlId,
                         float value, bool fromHost, Apply apply)
{
    LinkedControlUpdate* list = nullptr;
    if (plugIn.queryLinkedControlUpdates(controlId, value, &list, fromHost))
    {
        for (const LinkedControlUpdate* node = list; node; node = node->next)
        {
            const int32_t position = controls.positionOf(node->controlId);
            if (position >= 0)
                apply(static_cast<uint32_t>(position), node->value);
        }
        plugIn.releaseLinkedControlUpdates(&list);
    }
    while (list)
        delete std::exchange(list, list->next);
}
