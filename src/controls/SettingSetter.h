// The binding between a control and one member of a settings record: read
// the member, and write it only when the value really changes.
#pragma once

#include <type_traits>

namespace gvt {

// S is the settings record; T the value as the control sees it (int, or
// const std::wstring& for texts).
template <class S, class T>
class CSettingSetter {
public:
    using Getter = T (*)(const S&);
    using Setter = void (*)(S&, T);

    CSettingSetter() noexcept = default;
    CSettingSetter(S* setting, Getter getter, Setter setter) noexcept
        : m_setting(setting), m_getter(getter), m_setter(setter)
    {
    }

    void Bind(S* setting, Getter getter, Setter setter) noexcept
    {
        m_setting = setting;
        m_getter = getter;
        m_setter = setter;
    }
    bool IsBound() const noexcept { return m_setting && m_getter && m_setter; }
    S* Setting() const noexcept { return m_setting; }

    T Get() const { return m_getter(*m_setting); }

    // False, with nothing written, when the member already has the value.
    // Texts compare exactly: same length, same UTF-16 units.
    bool Set(T value)
    {
        if (Get() == value)
            return false;
        m_setter(*m_setting, value);
        return true;
    }

private:
    S* m_setting = nullptr;
    Getter m_getter = nullptr;
    Setter m_setter = nullptr;
};

namespace detail {

template <class P>
struct CMemberPointer;

template <class S, class M>
struct CMemberPointer<M S::*> {
    using Setting = S;
    using Member = M;
};

}  // namespace detail

// The getter and setter of a plain data member, for CSettingSetter. Numbers
// and enumerations are seen as int (the combo items carry int values), any
// other member type by const reference.
//
//   CSettingSetter<CFontListDlgSetting, int> weight(&setting,
//       &CSettingMember<&CFontListDlgSetting::Weight>::Get,
//       &CSettingMember<&CFontListDlgSetting::Weight>::Set);
template <auto MemberPointer>
struct CSettingMember {
    using Setting = typename detail::CMemberPointer<decltype(MemberPointer)>::Setting;
    using Member = typename detail::CMemberPointer<decltype(MemberPointer)>::Member;
    using Value = std::conditional_t<std::is_arithmetic_v<Member> || std::is_enum_v<Member>, int, const Member&>;

    static Value Get(const Setting& setting)
    {
        if constexpr (std::is_enum_v<Member>)
            return static_cast<int>(setting.*MemberPointer);
        else
            return setting.*MemberPointer;
    }
    static void Set(Setting& setting, Value value)
    {
        if constexpr (std::is_enum_v<Member>)
            setting.*MemberPointer = static_cast<Member>(value);
        else if constexpr (std::is_reference_v<Value>) {
            if (&(setting.*MemberPointer) != &value)
                setting.*MemberPointer = value;
        } else
            setting.*MemberPointer = value;
    }
};

}  // namespace gvt
