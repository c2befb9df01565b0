// One owning guard for every kind of handle that is taken and must be given
// back: the traits name the handle type, its empty value and how to close it.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>

#include <utility>

namespace gvt {

template <typename Traits>
class CUniqueHandle {
public:
    using handle_type = typename Traits::type;

    CUniqueHandle() noexcept = default;
    explicit CUniqueHandle(handle_type h) noexcept : m_h(h) {}
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    ~CUniqueHandle() { reset(); }

    handle_type get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Traits::invalid(); }

    // Gives up ownership without closing, for handles another party now owns.
    handle_type release() noexcept { return std::exchange(m_h, Traits::invalid()); }

    void reset(handle_type h = Traits::invalid()) noexcept
    {
        handle_type old = std::exchange(m_h, h);
        if (old != Traits::invalid())
            Traits::close(old);
    }

    // For out-parameters: closes what is held and hands out the slot.
    handle_type* put() noexcept
    {
        reset();
        return &m_h;
    }

private:
    handle_type m_h = Traits::invalid();
};

template <typename T, typename Close, Close close_fn>
struct CHandleTraits {
    using type = T;
    static constexpr T invalid() noexcept { return nullptr; }
    static void close(T h) noexcept { close_fn(h); }
};

// For the handles whose failure value is INVALID_HANDLE_VALUE, not null:
// CreateFileW and FindFirstFileW.
template <void (*close_fn)(HANDLE)>
struct CInvalidValueHandleTraits {
    using type = HANDLE;
    static HANDLE invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) noexcept { close_fn(h); }
};

namespace detail {
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void CloseMenu(HMENU h) noexcept { ::DestroyMenu(h); }
inline void CloseAccel(HACCEL h) noexcept { ::DestroyAcceleratorTable(h); }
inline void CloseIcon(HICON h) noexcept { ::DestroyIcon(h); }
inline void CloseLocal(HLOCAL h) noexcept { ::LocalFree(h); }
inline void CloseBstr(BSTR s) noexcept { ::SysFreeString(s); }
inline void CloseKernelObject(HANDLE h) noexcept { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) noexcept { ::FindClose(h); }
inline void CloseKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void CloseDrop(HDROP drop) noexcept { ::DragFinish(drop); }
}  // namespace detail

using CUniqueFont = CUniqueHandle<CHandleTraits<HFONT, void (*)(HGDIOBJ), detail::DeleteGdiObject>>;
using CUniqueRegion = CUniqueHandle<CHandleTraits<HRGN, void (*)(HGDIOBJ), detail::DeleteGdiObject>>;
using CUniqueBrush = CUniqueHandle<CHandleTraits<HBRUSH, void (*)(HGDIOBJ), detail::DeleteGdiObject>>;
using CUniqueBitmap = CUniqueHandle<CHandleTraits<HBITMAP, void (*)(HGDIOBJ), detail::DeleteGdiObject>>;
using CUniqueMenu = CUniqueHandle<CHandleTraits<HMENU, void (*)(HMENU), detail::CloseMenu>>;
using CUniqueAccel = CUniqueHandle<CHandleTraits<HACCEL, void (*)(HACCEL), detail::CloseAccel>>;
using CUniqueIcon = CUniqueHandle<CHandleTraits<HICON, void (*)(HICON), detail::CloseIcon>>;
using CUniqueHLocal = CUniqueHandle<CHandleTraits<HLOCAL, void (*)(HLOCAL), detail::CloseLocal>>;
using CUniqueBstr = CUniqueHandle<CHandleTraits<BSTR, void (*)(BSTR), detail::CloseBstr>>;
// A file or directory from CreateFileW.
using CUniqueFile = CUniqueHandle<CInvalidValueHandleTraits<detail::CloseKernelObject>>;
// A search from FindFirstFileW or FindFirstFileExW.
using CUniqueFind = CUniqueHandle<CInvalidValueHandleTraits<detail::CloseFind>>;
// A mutex, event or process: null when it could not be had.
using CUniqueKernelObject = CUniqueHandle<CHandleTraits<HANDLE, void (*)(HANDLE), detail::CloseKernelObject>>;
using CUniqueDrop = CUniqueHandle<CHandleTraits<HDROP, void (*)(HDROP), detail::CloseDrop>>;
using CUniqueKey = CUniqueHandle<CHandleTraits<HKEY, void (*)(HKEY), detail::CloseKey>>;

// A device context from GetDC, released to the window it came from.
class CClientDC {
public:
    explicit CClientDC(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(::GetDC(hwnd)) {}
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    ~CClientDC()
    {
        if (m_hdc)
            ::ReleaseDC(m_hwnd, m_hdc);
    }
    HDC get() const noexcept { return m_hdc; }
    HWND window() const noexcept { return m_hwnd; }
    explicit operator bool() const noexcept { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// Selects an object into a DC for one scope and selects the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC hdc, HGDIOBJ obj) noexcept
        : m_hdc(hdc), m_old(obj ? ::SelectObject(hdc, obj) : nullptr)
    {
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject()
    {
        if (m_old && m_old != HGDI_ERROR)
            ::SelectObject(m_hdc, m_old);
    }

private:
    HDC m_hdc;
    HGDIOBJ m_old;
};

}  // namespace gvt
