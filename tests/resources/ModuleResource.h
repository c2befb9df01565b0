// Raw access to the resources of the test program itself, which carries the
// program's resource script, in one chosen language.
#pragma once

#include <windows.h>

namespace gvt::test {

struct CResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;
    explicit operator bool() const noexcept { return data != nullptr; }
};

namespace detail {
struct CLanguageQuery {
    LANGID wanted;
    bool found;
};

inline BOOL CALLBACK MatchLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param)
{
    auto* query = reinterpret_cast<CLanguageQuery*>(param);
    if (language == query->wanted)
        query->found = true;
    return TRUE;
}
}  // namespace detail

// FindResourceExW falls back to another language when the wanted one is
// missing, so whether a resource exists in a language is asked separately.
inline bool HasLanguage(LPCWSTR type, LPCWSTR name, LANGID language)
{
    detail::CLanguageQuery query{language, false};
    ::EnumResourceLanguagesW(::GetModuleHandleW(nullptr), type, name, detail::MatchLanguage,
                             reinterpret_cast<LONG_PTR>(&query));
    return query.found;
}

// The bytes of one resource in exactly that language, or nothing. Resource
// memory belongs to the module: nothing is given back.
inline CResourceBytes ModuleResource(LPCWSTR type, LPCWSTR name, LANGID language)
{
    if (!HasLanguage(type, name, language))
        return {};
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC info = ::FindResourceExW(module, type, name, language);
    if (!info)
        return {};
    return {static_cast<const BYTE*>(::LockResource(::LoadResource(module, info))),
            ::SizeofResource(module, info)};
}

}  // namespace gvt::test
