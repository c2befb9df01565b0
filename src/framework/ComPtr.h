// Counted reference to a COM interface: AddRef on copy, Release on reset.
#pragma once

#include <unknwn.h>

#include <utility>

namespace gvt {

template <typename T>
class CComPtr {
public:
    CComPtr() noexcept = default;
    CComPtr(const CComPtr& other) noexcept : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    CComPtr(CComPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    CComPtr& operator=(CComPtr other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }
    ~CComPtr() { reset(); }

    // Takes over a reference the caller already owns (no AddRef).
    static CComPtr Attach(T* p) noexcept
    {
        CComPtr ptr;
        ptr.m_p = p;
        return ptr;
    }

    T* get() const noexcept { return m_p; }
    T* operator->() const noexcept { return m_p; }
    explicit operator bool() const noexcept { return m_p != nullptr; }

    void reset() noexcept
    {
        if (T* p = std::exchange(m_p, nullptr))
            p->Release();
    }

    // For out-parameters of COM calls.
    T** put() noexcept
    {
        reset();
        return &m_p;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

private:
    T* m_p = nullptr;
};

}  // namespace gvt
