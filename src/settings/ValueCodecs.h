// The text forms of the scalar values of the settings file, and their
// readers and writers: each works on the child name of a parent element (an
// empty name reads the parent's own text), returns false after recording one
// error in the document, and stores a read value only when it converted.
#pragma once

#include "settings/FontEnums.h"
#include "settings/Version.h"
#include "settings/XmlDocument.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Two upper-case hexadecimal digits.
std::wstring ByteText(BYTE value);
// Hexadecimal digits only; the last two make the value, the empty text is 0.
bool ByteFromText(const std::wstring& text, BYTE& value);
const wchar_t* BoolText(bool value);
// Exactly "true" or "false".
bool BoolFromText(const std::wstring& text, bool& value);
// Always four numbers joined by ".".
std::wstring VersionText(CVersion version);
// One to four numbers of 0 to 255 joined by "."; missing ones are 0.
bool VersionFromText(const std::wstring& text, CVersion& version);

namespace detail {
// Raise my::CException 58887 (unknown name) and 58886 (value outside the table).
int EnumValueOfName(const wchar_t* const* names, unsigned count, const wchar_t* enumName, const std::wstring& text);
const wchar_t* EnumNameOfValue(const wchar_t* const* names, unsigned count, const wchar_t* enumName, int value);
}  // namespace detail

template <typename E>
E EnumFromName(const std::wstring& text)
{
    return static_cast<E>(detail::EnumValueOfName(CEnumTable<E>::Names.data(), EnumCount<E>(), EnumName<E>(), text));
}

template <typename E>
const wchar_t* EnumToName(E value)
{
    return detail::EnumNameOfValue(CEnumTable<E>::Names.data(), EnumCount<E>(), EnumName<E>(), static_cast<int>(value));
}

bool WriteInt(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, int value);
bool WriteLong(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LONG value);
bool WriteSize(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, std::uint32_t value);
bool WriteByte(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, BYTE value);
bool WriteBool(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool value);
bool WriteVersion(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CVersion value);

bool ReadInt(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, int& value);
bool ReadLong(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LONG& value);
bool ReadSize(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, std::uint32_t& value);
bool ReadByte(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, BYTE& value);
bool ReadBool(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool& value);
bool ReadVersion(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CVersion& value);
// At most LF_FACESIZE - 1 characters, stored with the terminator.
bool ReadFaceName(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, WCHAR (&face)[LF_FACESIZE]);

namespace detail {
bool WriteEnumName(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                   const wchar_t* (*toName)(int value), int value);
bool ReadEnumValue(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                   int (*fromName)(const std::wstring& text), int& value);
}  // namespace detail

// An enumerator by its name in the table; a conversion error is recorded
// with the exception's message unchanged.
template <typename E>
bool WriteEnum(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, E value)
{
    return detail::WriteEnumName(
        doc, parent, name, [](int v) { return EnumToName(static_cast<E>(v)); }, static_cast<int>(value));
}

template <typename E>
bool ReadEnum(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, E& value)
{
    int read = 0;
    if (!detail::ReadEnumValue(
            doc, parent, name, [](const std::wstring& text) { return static_cast<int>(EnumFromName<E>(text)); }, read))
        return false;
    value = static_cast<E>(read);
    return true;
}
