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

// Holds one reference; enough for the few places that share objects.
template <class T>
class SharedPointer
{
public:
    SharedPointer() = default;
    SharedPointer(T* p, bool remember = true) : ptr(p)
    {
        if (ptr && remember)
            ptr->remember();
    }
    SharedPointer(const SharedPointer& o) : SharedPointer(o.ptr) {}
    SharedPointer& operator=(const SharedPointer& o)
    {
        reset(o.ptr);
        return *this;
    }
    ~SharedPointer()
    {
        if (ptr)
            ptr->forget();
    }
    void reset(T* p = nullptr, bool remember = true)
    {
        if (p && remember)
            p->remember();
        if (ptr)
            ptr->forget();
        ptr = p;
    }
    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    explicit operator bool() const { return ptr != nullptr; }

private:
    T* ptr{nullptr};
};

} // namespace VSTGUI
