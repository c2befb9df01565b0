#include "settings/ValueCodecs.h"

#include "base/Exception.h"
#include "base/IntConverter.h"
#include "resources/resource.h"

#include <cwchar>

namespace {

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

// Reads the child's text and converts it; a text that does not convert is
// recorded as the value error id with the text as its argument.
template <typename T, typename Convert>
bool ReadConverted(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, UINT id, T& value,
                   Convert convert)
{
    std::wstring text;
    if (!doc.ReadText(parent, name, text))
        return false;
    T converted{};
    if (!convert(text, converted))
        return doc.SetError(id, text);
    value = converted;
    return true;
}

}  // namespace

std::wstring ByteText(BYTE value)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    return {digits[value >> 4], digits[value & 0x0F]};
}

bool ByteFromText(const std::wstring& text, BYTE& value)
{
    unsigned result = 0;
    for (const wchar_t c : text) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        result = (result << 4 | static_cast<unsigned>(digit)) & 0xFF;
    }
    value = static_cast<BYTE>(result);
    return true;
}

const wchar_t* BoolText(bool value)
{
    return value ? L"true" : L"false";
}

bool BoolFromText(const std::wstring& text, bool& value)
{
    if (text == L"true")
        value = true;
    else if (text == L"false")
        value = false;
    else
        return false;
    return true;
}

std::wstring VersionText(CVersion version)
{
    std::wstring text;
    for (unsigned i = 0; i < 4; ++i) {
        if (i != 0)
            text += L'.';
        text += std::to_wstring(version.Part(i));
    }
    return text;
}

bool VersionFromText(const std::wstring& text, CVersion& version)
{
    std::uint8_t parts[4] = {0, 0, 0, 0};
    std::size_t begin = 0;
    for (unsigned count = 0;; ++count) {
        const std::size_t end = text.find(L'.', begin);
        int number = 0;
        if (count == 4 || !ParseSignedNumber(text.substr(begin, end - begin), number) || number < 0 || number > 255)
            return false;
        parts[count] = static_cast<std::uint8_t>(number);
        if (end == std::wstring::npos)
            break;
        begin = end + 1;
    }
    version = CVersion(parts[0], parts[1], parts[2], parts[3]);
    return true;
}

namespace detail {

int EnumValueOfName(const wchar_t* const* names, unsigned count, const wchar_t* enumName, const std::wstring& text)
{
    for (unsigned i = 0; i < count; ++i) {
        if (text == names[i])
            return static_cast<int>(i);
    }
    throw my::CException(IDS_ERR_ENUM_NAME, enumName, text);
}

const wchar_t* EnumNameOfValue(const wchar_t* const* names, unsigned count, const wchar_t* enumName, int value)
{
    if (static_cast<unsigned>(value) >= count)
        throw my::CException(IDS_ERR_ENUM_VALUE, enumName, std::to_wstring(value));
    return names[value];
}

bool WriteEnumName(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                   const wchar_t* (*toName)(int value), int value)
{
    const wchar_t* text = nullptr;
    try {
        text = toName(value);
    } catch (const my::CException& e) {
        return doc.SetError(e);
    }
    return doc.WriteText(parent, name, text);
}

bool ReadEnumValue(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                   int (*fromName)(const std::wstring& text), int& value)
{
    std::wstring text;
    if (!doc.ReadText(parent, name, text))
        return false;
    try {
        value = fromName(text);
    } catch (const my::CException& e) {
        return doc.SetError(e);
    }
    return true;
}

}  // namespace detail

bool WriteInt(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, int value)
{
    return doc.WriteText(parent, name, std::to_wstring(value));
}

bool WriteLong(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LONG value)
{
    return doc.WriteText(parent, name, std::to_wstring(value));
}

bool WriteSize(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, std::uint32_t value)
{
    return doc.WriteText(parent, name, std::to_wstring(value));
}

bool WriteByte(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, BYTE value)
{
    return doc.WriteText(parent, name, ByteText(value));
}

bool WriteBool(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool value)
{
    return doc.WriteText(parent, name, BoolText(value));
}

bool WriteVersion(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CVersion value)
{
    return doc.WriteText(parent, name, VersionText(value));
}

bool ReadInt(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, int& value)
{
    return ReadConverted(doc, parent, name, IDS_ERR_XML_INT, value, ParseSignedNumber);
}

bool ReadLong(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LONG& value)
{
    return ReadConverted(doc, parent, name, IDS_ERR_XML_LONG, value, [](const std::wstring& text, LONG& v) {
        int number = 0;
        if (!ParseSignedNumber(text, number))
            return false;
        v = number;
        return true;
    });
}

bool ReadSize(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, std::uint32_t& value)
{
    return ReadConverted(doc, parent, name, IDS_ERR_XML_SIZE, value, [](const std::wstring& text, std::uint32_t& v) {
        int number = 0;
        if (!ParseUnsignedNumber(text, number))
            return false;
        v = static_cast<std::uint32_t>(number);
        return true;
    });
}

bool ReadByte(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, BYTE& value)
{
    return ReadConverted(doc, parent, name, IDS_ERR_XML_BYTE, value, ByteFromText);
}

bool ReadBool(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool& value)
{
    std::wstring text;
    if (!doc.ReadText(parent, name, text))
        return false;
    // The text itself is not shown: the message carries the system text of E_FAIL.
    if (!BoolFromText(text, value))
        return doc.SetError(IDS_ERR_XML_BOOL, E_FAIL);
    return true;
}

bool ReadVersion(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CVersion& value)
{
    return ReadConverted(doc, parent, name, IDS_ERR_XML_VERSION, value, VersionFromText);
}

bool ReadFaceName(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, WCHAR (&face)[LF_FACESIZE])
{
    std::wstring text;
    if (!doc.ReadText(parent, name, text))
        return false;
    if (text.size() >= LF_FACESIZE)
        return doc.SetError(IDS_ERR_XML_TOO_LONG, text);
    std::wmemcpy(face, text.c_str(), text.size() + 1);
    return true;
}
