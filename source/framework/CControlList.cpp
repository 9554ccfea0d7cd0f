#include "framework/CControlList.h"

CControlDescriptor* CControlList::append(const CControlDescriptor& descriptor)
{
    m_entries.push_back(std::make_unique<CControlDescriptor>(descriptor));
    return m_entries.back().get();
}

CControlDescriptor* CControlList::get(uint32_t position) const
{
    return position < m_entries.size() ? m_entries[position].get() : nullptr;
}

int32_t CControlList::positionOf(int32_t controlId) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i]->controlId == controlId)
            return static_cast<int32_t>(i);
    return -1;
}
