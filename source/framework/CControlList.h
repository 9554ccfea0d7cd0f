#pragma once

#include "framework/CControlDescriptor.h"

#include <cstdint>
#include <memory>
#include <vector>

// Ordered owner of descriptor copies. Positions run from 0 in insertion
// order; entries keep their address until clear(), so pointers to them stay
// valid while the list grows.
class CControlList
{
public:
    CControlList() = default;
    CControlList(const CControlList&) = delete;
    CControlList& operator=(const CControlList&) = delete;

    // Appends a copy of descriptor and returns it.
    CControlDescriptor* append(const CControlDescriptor& descriptor);
    uint32_t count() const { return static_cast<uint32_t>(m_entries.size()); }
    bool empty() const { return m_entries.empty(); }
    // null when position is past the end
    CControlDescriptor* get(uint32_t position) const;
    // Position of the first entry with that controlId; -1 when there is none.
    int32_t positionOf(int32_t controlId) const;
    void clear() { m_entries.clear(); }

private:
    std::vector<std::unique_ptr<CControlDescriptor>> m_entries;
};
