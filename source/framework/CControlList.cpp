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
