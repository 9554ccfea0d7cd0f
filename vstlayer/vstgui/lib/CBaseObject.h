#pragma once

#include "vstgui/lib/VSTGUIFwd.h"

namespace VSTGUI
{

// Intrusive reference count; objects start owned once by their creator.
class CBaseObject
{
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;
    virtual ~CBaseObject() = default;

    virtual void remember() { ++refCount; }
    virtual void forget()
    {
        if (--refCount == 0)
            delete this;
    }
    int32_t getNbReference() const { return refCount; }

    virtual CMessageResult notify(CBaseObject* /*sender*/, IdStringPtr /*message*/)
    {
        return kMessageUnknown;
    }

private:
    int32_t refCount{1};
};

} // namespace VSTGUI
