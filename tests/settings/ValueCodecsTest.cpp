// The text forms of the scalar settings values: what each reader accepts
// through the DOM, what it rejects and with which message, and what each
// writer produces.
#include "SettingsTestSupport.h"

#include "base/SystemErrorText.h"
#include "resources/resource.h"
#include "settings/ValueCodecs.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

using gvt::test::Formatted;

// A document whose root holds one element "v" with exactly the given text.
class CValueDoc {
public:
    explicit CValueDoc(const std::wstring& text)
    {
        gvt::test::Parse(m_parsed, L"<r/>");
        EXPECT_TRUE(m_parsed.Doc.WriteText(Root(), L"v", text));
    }
    CXmlDocument& Doc() { return m_parsed.Doc; }
    IXMLDOMNode* Root() { return m_parsed.Root.get(); }
    const CSimpleErr& Error() const { return m_parsed.Doc.Error(); }

private:
    gvt::test::CParsed m_parsed;
};

// The text a writer put into the element "w".
template <typename Write>
std::wstring Written(Write write)
{
    gvt::test::CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    EXPECT_TRUE(write(parsed.Doc, parsed.Root.get()));
    std::wstring text;
    EXPECT_TRUE(parsed.Doc.ReadText(parsed.Root.get(), L"w", text));
    return text;
}

struct CIntCase {
    const wchar_t* text;
    int value;
};

TEST(IntCodec, AcceptsTheSignedNumberRule)
{
    const CIntCase cases[] = {{L"22", 22},          {L"+22", 22},         {L"022", 22},
                              {L"22.", 22},         {L"22.9", 22},        {L"22.5", 22},
                              {L"-7.5", -7},        {L"-0", 0},           {L"2147483647", INT_MAX},
                              {L"2147483648", INT_MAX}, {L"-2147483649", INT_MIN}, {L"99999999999999999999", INT_MAX},
                              {L"abc\n22", 22},     {L"22\nabc", 22},     {L"x\n+3.25\n4", 3}};
    for (const CIntCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(c.text)));
        CValueDoc doc(c.text);
        int value = 12345;
        EXPECT_TRUE(ReadInt(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, c.value);
        LONG longValue = 12345;
        EXPECT_TRUE(ReadLong(doc.Doc(), doc.Root(), L"v", longValue));
        EXPECT_EQ(longValue, c.value);
    }
}

TEST(IntCodec, RejectsEverythingElseNamingTheText)
{
    for (const wchar_t* text : {L"", L"abc", L"2e3", L"0x10", L"22px", L"2 2", L"- 7", L"+-1", L"22..", L"1.2.3", L"abc\ndef"}) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        int value = 12345;
        EXPECT_FALSE(ReadInt(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, 12345);
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_INT));
        EXPECT_EQ(doc.Error().Code, 0);
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_INT, {text}));

        LONG longValue = 12345;
        EXPECT_FALSE(ReadLong(doc.Doc(), doc.Root(), L"v", longValue));
        EXPECT_EQ(longValue, 12345);
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_LONG));
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_LONG, {text}));
    }
}

TEST(IntCodec, WritesPlainDecimal)
{
    for (const int value : {0, 22, -5, INT_MAX, INT_MIN}) {
        const std::wstring text = Written([&](CXmlDocument& d, IXMLDOMNode* p) { return WriteInt(d, p, L"w", value); });
        EXPECT_EQ(text, std::to_wstring(value));
        EXPECT_EQ(Written([&](CXmlDocument& d, IXMLDOMNode* p) { return WriteLong(d, p, L"w", value); }), text);
    }
}

TEST(SizeCodec, AcceptsTheUnsignedRuleOnly)
{
    const std::pair<const wchar_t*, std::uint32_t> accepted[] = {
        {L"20", 20}, {L"+5", 5}, {L"0", 0}, {L"7.9", 7}, {L"4294967295", 2147483647u}, {L"x\n3", 3}};
    for (const auto& [text, expected] : accepted) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        std::uint32_t value = 99;
        EXPECT_TRUE(ReadSize(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, expected);
    }
    for (const wchar_t* text : {L"-1", L"-0", L"", L"1e2", L"twenty"}) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        std::uint32_t value = 99;
        EXPECT_FALSE(ReadSize(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, 99u);
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_SIZE));
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_SIZE, {text}));
    }
    EXPECT_EQ(Written([](CXmlDocument& d, IXMLDOMNode* p) { return WriteSize(d, p, L"w", 4294967295u); }),
              L"4294967295");
}

TEST(ByteCodec, TakesTheLastTwoHexadecimalDigits)
{
    const std::pair<const wchar_t*, BYTE> accepted[] = {{L"FF", 255}, {L"ff", 255}, {L"0A", 10}, {L"a", 10},
                                                       {L"00a", 10},  {L"1FF", 255}, {L"", 0},    {L"123456789", 0x89}};
    for (const auto& [text, expected] : accepted) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        BYTE value = 77;
        EXPECT_TRUE(ReadByte(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, expected);
    }
    for (const wchar_t* text : {L"1G", L"G1", L"0x1", L"-1", L"1 2"}) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        BYTE value = 77;
        EXPECT_FALSE(ReadByte(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, 77);
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_BYTE));
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_BYTE, {text}));
    }
    BYTE value = 77;
    EXPECT_FALSE(ByteFromText(L" 1", value));
    EXPECT_EQ(value, 77);
}

TEST(ByteCodec, WritesTwoUpperCaseDigits)
{
    const std::pair<BYTE, const wchar_t*> cases[] = {{0, L"00"}, {10, L"0A"}, {0x80, L"80"}, {0xAB, L"AB"}, {255, L"FF"}};
    for (const auto& c : cases)
        EXPECT_EQ(Written([&](CXmlDocument& d, IXMLDOMNode* p) { return WriteByte(d, p, L"w", c.first); }), c.second);
}

TEST(BoolCodec, AcceptsExactlyTrueAndFalse)
{
    for (const bool expected : {true, false}) {
        const std::wstring text = Written([&](CXmlDocument& d, IXMLDOMNode* p) { return WriteBool(d, p, L"w", expected); });
        EXPECT_EQ(text, expected ? L"true" : L"false");
        CValueDoc doc(text);
        bool value = !expected;
        EXPECT_TRUE(ReadBool(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, expected);
    }
    for (const wchar_t* text : {L"True", L"TRUE", L"1", L"0", L"yes", L"", L"truex"}) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        bool value = true;
        EXPECT_FALSE(ReadBool(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_TRUE(value);
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_BOOL));
        EXPECT_EQ(doc.Error().Code, E_FAIL);
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_BOOL, {SystemErrorText(E_FAIL)}));
    }
    bool value = false;
    EXPECT_FALSE(BoolFromText(L" true", value));
    EXPECT_FALSE(BoolFromText(L"false ", value));
}

TEST(EnumCodec, ReadsTheNamesOfTheTableExactly)
{
    const std::pair<const wchar_t*, FontWeight4> accepted[] = {{L"UNDEF", FontWeight4::UNDEF},
                                                              {L"NORMAL", FontWeight4::NORMAL},
                                                              {L"LIGHTER", FontWeight4::LIGHTER},
                                                              {L"BOLDER", FontWeight4::BOLDER}};
    for (const auto& [text, expected] : accepted) {
        CValueDoc doc(text);
        FontWeight4 value = FontWeight4::UNDEF;
        EXPECT_TRUE(ReadEnum(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, expected);
    }
    // The table's own name closes the table but is no enumerator.
    for (const wchar_t* text : {L"Bolder", L"bolder", L"FontWeight4", L"3", L""}) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        FontWeight4 value = FontWeight4::LIGHTER;
        EXPECT_FALSE(ReadEnum(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, FontWeight4::LIGHTER);
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_ENUM_NAME));
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_ENUM_NAME, {L"FontWeight4", text}));
    }
    CValueDoc italic(L"ON");
    FontItalic3 on = FontItalic3::UNDEF;
    EXPECT_TRUE(ReadEnum(italic.Doc(), italic.Root(), L"v", on));
    EXPECT_EQ(on, FontItalic3::ON);
    CValueDoc type(L"ON");
    FontType3 notAType = FontType3::RASTER;
    EXPECT_FALSE(ReadEnum(type.Doc(), type.Root(), L"v", notAType));
    EXPECT_EQ(type.Error().Message, Formatted(IDS_ERR_ENUM_NAME, {L"FontType3", L"ON"}));
}

TEST(EnumCodec, WritesNamesAndRefusesValuesOutsideTheTable)
{
    EXPECT_EQ(Written([](CXmlDocument& d, IXMLDOMNode* p) { return WriteEnum(d, p, L"w", FontType3::VECTOR); }), L"VECTOR");
    EXPECT_EQ(Written([](CXmlDocument& d, IXMLDOMNode* p) { return WriteEnum(d, p, L"w", FontWeight4::BOLDER); }),
              L"BOLDER");

    const std::pair<int, const wchar_t*> outside[] = {{4, L"4"}, {-1, L"-1"}};
    for (const auto& [raw, text] : outside) {
        gvt::test::CParsed parsed;
        gvt::test::Parse(parsed, L"<r/>");
        EXPECT_FALSE(WriteEnum(parsed.Doc, parsed.Root.get(), L"w", static_cast<FontWeight4>(raw)));
        EXPECT_EQ(parsed.Doc.Error().MessageId, static_cast<UINT>(IDS_ERR_ENUM_VALUE));
        EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_ENUM_VALUE, {L"FontWeight4", text}));
        EXPECT_FALSE(parsed.Doc.HasChild(parsed.Root.get(), L"w"));
    }
    gvt::test::CParsed parsed;
    gvt::test::Parse(parsed, L"<r/>");
    EXPECT_FALSE(WriteEnum(parsed.Doc, parsed.Root.get(), L"w", static_cast<FontItalic3>(3)));
    EXPECT_EQ(parsed.Doc.Error().Message, Formatted(IDS_ERR_ENUM_VALUE, {L"FontItalic3", L"3"}));
}

TEST(FaceNameCodec, TakesAtMostThirtyOneCharacters)
{
    const std::wstring longest(31, L'M');
    CValueDoc fits(longest);
    WCHAR face[LF_FACESIZE];
    std::fill(std::begin(face), std::end(face), L'#');
    EXPECT_TRUE(ReadFaceName(fits.Doc(), fits.Root(), L"v", face));
    EXPECT_EQ(std::wstring(face), longest);

    const std::wstring tooLong(32, L'W');
    CValueDoc overflow(tooLong);
    EXPECT_FALSE(ReadFaceName(overflow.Doc(), overflow.Root(), L"v", face));
    EXPECT_EQ(std::wstring(face), longest);
    EXPECT_EQ(overflow.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_TOO_LONG));
    EXPECT_EQ(overflow.Error().Message, Formatted(IDS_ERR_XML_TOO_LONG, {tooLong}));

    CValueDoc vertical(L"@ＭＳ 明朝");
    EXPECT_TRUE(ReadFaceName(vertical.Doc(), vertical.Root(), L"v", face));
    EXPECT_EQ(std::wstring(face), L"@ＭＳ 明朝");
}

TEST(VersionCodec, ReadsOneToFourNumbersOfAByte)
{
    const std::pair<const wchar_t*, CVersion> accepted[] = {{L"2", CVersion(2, 0, 0, 0)},
                                                           {L"1.2", CVersion(1, 2, 0, 0)},
                                                           {L"1.0.0.1", CVersion(1, 0, 0, 1)},
                                                           {L"0.9.9.9", CVersion(0, 9, 9, 9)},
                                                           {L"255.255.255.255", CVersion(0xFFFFFFFFu)},
                                                           {L"+1.01", CVersion(1, 1, 0, 0)}};
    for (const auto& [text, expected] : accepted) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        CVersion value(7, 7, 7, 7);
        EXPECT_TRUE(ReadVersion(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value.Packed(), expected.Packed());
    }
    for (const wchar_t* text : {L"1.2.3.4.5", L"1..2", L"256", L"-1", L"", L"1.", L".1", L"a", L"1.2x"}) {
        SCOPED_TRACE(testing::Message() << "text " << testing::PrintToString(std::wstring(text)));
        CValueDoc doc(text);
        CVersion value(7, 7, 7, 7);
        EXPECT_FALSE(ReadVersion(doc.Doc(), doc.Root(), L"v", value));
        EXPECT_EQ(value, CVersion(7, 7, 7, 7));
        EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_VERSION));
        EXPECT_EQ(doc.Error().Message, Formatted(IDS_ERR_XML_VERSION, {text}));
    }
}

TEST(VersionCodec, WritesFourNumbersAndPacksTheFirstHighest)
{
    EXPECT_EQ(Written([](CXmlDocument& d, IXMLDOMNode* p) { return WriteVersion(d, p, L"w", kSettingsVersion); }),
              L"1.0.0.0");
    EXPECT_EQ(kSettingsVersion.Packed(), 0x01000000u);
    EXPECT_EQ(VersionText(CVersion(0x0A0B0C0Du)), L"10.11.12.13");
    EXPECT_TRUE(CVersion(1, 0, 0, 1) > kSettingsVersion);
    EXPECT_TRUE(CVersion(0, 255, 255, 255) < kSettingsVersion);
}

TEST(TextCodec, AMissingChildIsTheNodeError)
{
    CValueDoc doc(L"1");
    int value = 5;
    EXPECT_FALSE(ReadInt(doc.Doc(), doc.Root(), L"absent", value));
    EXPECT_EQ(value, 5);
    EXPECT_EQ(doc.Error().MessageId, static_cast<UINT>(IDS_ERR_XML_NODE_NOT_FOUND));
    EXPECT_EQ(doc.Error().Code, E_FAIL);
}

}  // namespace
