#pragma once

namespace VSTGUI
{

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
