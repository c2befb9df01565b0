// A record's members as the settings file keeps them: one entry per member
// with its element name, the member, the text form and the rule for a
// missing element. The reader, the writer and any other code that goes
// through all the members walk the same table, so each is listed once.
#pragma once

#include <tuple>

// The text forms of the stored values; the settings codecs read and write each.
enum class FieldCodec { Int, Long, Byte, Bool, Enum, Text, FaceName, StringList, WindowLayout, PathList };

enum class FieldRule {
    Required,         // always written; a missing element fails the read
    ReadWhenPresent,  // always written; a missing element leaves the member as it is
    WrittenWhenOn,    // a flag written only while true, a list only while it holds something, so that files
                      // without it stay as they were; missing reads false or empty
};

template <FieldCodec codec, typename Record, typename Member>
struct CField {
    static constexpr FieldCodec Codec = codec;
    const wchar_t* Name;
    Member Record::*Ptr;
    FieldRule Rule;
};

template <FieldCodec codec, typename Record, typename Member>
constexpr CField<codec, Record, Member> Field(const wchar_t* name, Member Record::*member,
                                              FieldRule rule = FieldRule::Required) noexcept
{
    return {name, member, rule};
}

// Calls visit with each field of the table in order, stopping at the first
// that returns false; true when none did.
template <typename... Fields, typename Visit>
bool EachField(const std::tuple<Fields...>& table, Visit&& visit)
{
    return std::apply([&](const Fields&... field) { return (visit(field) && ...); }, table);
}
