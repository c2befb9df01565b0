#include "settings/SettingsCodecs.h"

#include "settings/FontListDlgSetting.h"
#include "settings/MruStrings.h"
#include "settings/ValueCodecs.h"
#include "settings/WindowLayoutSetting.h"

#include <boost/make_shared.hpp>

#include <cwchar>

bool WriteMainFrame(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool topMost)
{
    CXmlNode node;
    return doc.NewChildForWrite(parent, name, node) && WriteBool(doc, node.get(), L"TopMost", topMost) &&
           doc.AttachChild(parent, node.get());
}

bool ReadMainFrame(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool& topMost)
{
    CXmlNode node;
    return doc.OpenChildForRead(parent, name, node) && ReadBool(doc, node.get(), L"TopMost", topMost);
}

namespace {

// Written only while on, so that a file without it is what the program wrote
// before the filter existed; absent, it reads as off.
bool ReadGlyphFilter(CXmlDocument& doc, IXMLDOMNode* element, bool& on)
{
    if (doc.HasChild(element, L"GlyphFilter"))
        return ReadBool(doc, element, L"GlyphFilter", on);
    on = false;
    return true;
}

}  // namespace

bool WriteFontListDlgSetting(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                             const CFontListDlgSetting& setting)
{
    CXmlNode node;
    if (!doc.NewChildForWrite(parent, name, node))
        return false;
    IXMLDOMNode* const element = node.get();
    return WriteInt(doc, element, L"CharSet", setting.CharSet) && WriteInt(doc, element, L"Tategaki", setting.Tategaki) &&
           WriteEnum(doc, element, L"Type", setting.Type) && WriteInt(doc, element, L"Size", setting.Size) &&
           WriteEnum(doc, element, L"Weight", setting.Weight) && WriteEnum(doc, element, L"Italic", setting.Italic) &&
           (!setting.GlyphFilter || WriteBool(doc, element, L"GlyphFilter", true)) &&
           doc.WriteText(element, L"SampleText", setting.SampleText) &&
           WriteStringList(doc, element, L"SampleTexts", setting.SampleTexts) &&
           WriteWindowLayout(doc, element, L"WindowLayout", setting.WindowLayout) && doc.AttachChild(parent, element);
}

bool ReadFontListDlgSetting(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                            CFontListDlgSetting& setting)
{
    CXmlNode node;
    if (!doc.OpenChildForRead(parent, name, node))
        return false;
    IXMLDOMNode* const element = node.get();
    // Files of earlier versions have no "Type".
    return ReadInt(doc, element, L"CharSet", setting.CharSet) && ReadInt(doc, element, L"Tategaki", setting.Tategaki) &&
           (!doc.HasChild(element, L"Type") || ReadEnum(doc, element, L"Type", setting.Type)) &&
           ReadInt(doc, element, L"Size", setting.Size) && ReadEnum(doc, element, L"Weight", setting.Weight) &&
           ReadEnum(doc, element, L"Italic", setting.Italic) && ReadGlyphFilter(doc, element, setting.GlyphFilter) &&
           doc.ReadText(element, L"SampleText", setting.SampleText) &&
           ReadStringList(doc, element, L"SampleTexts", setting.SampleTexts) &&
           ReadWindowLayout(doc, element, L"WindowLayout", setting.WindowLayout);
}

bool WriteWindowLayout(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                       const CWindowLayoutSetting& layout)
{
    CXmlNode node;
    return doc.NewChildForWrite(parent, name, node) && WriteBool(doc, node.get(), L"Maximized", layout.Maximized) &&
           WriteRect(doc, node.get(), L"Rect", layout.Rect) && doc.AttachChild(parent, node.get());
}

bool ReadWindowLayout(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CWindowLayoutSetting& layout)
{
    CXmlNode node;
    return doc.OpenChildForRead(parent, name, node) && ReadBool(doc, node.get(), L"Maximized", layout.Maximized) &&
           ReadRect(doc, node.get(), L"Rect", layout.Rect);
}

bool WriteRect(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const RECT& rect)
{
    CXmlNode node;
    return doc.NewChildForWrite(parent, name, node) && WriteLong(doc, node.get(), L"left", rect.left) &&
           WriteLong(doc, node.get(), L"top", rect.top) && WriteLong(doc, node.get(), L"right", rect.right) &&
           WriteLong(doc, node.get(), L"bottom", rect.bottom) && doc.AttachChild(parent, node.get());
}

bool ReadRect(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, RECT& rect)
{
    CXmlNode node;
    RECT read{0, 0, 0, 0};
    if (!doc.OpenChildForRead(parent, name, node) || !ReadLong(doc, node.get(), L"left", read.left) ||
        !ReadLong(doc, node.get(), L"top", read.top) || !ReadLong(doc, node.get(), L"right", read.right) ||
        !ReadLong(doc, node.get(), L"bottom", read.bottom))
        return false;
    rect = read;
    return true;
}

bool WriteLogFont(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const LOGFONTW& font)
{
    CXmlNode node;
    if (!doc.NewChildForWrite(parent, name, node))
        return false;
    IXMLDOMNode* const element = node.get();
    return WriteLong(doc, element, L"lfHeight", font.lfHeight) && WriteLong(doc, element, L"lfWidth", font.lfWidth) &&
           WriteLong(doc, element, L"lfEscapement", font.lfEscapement) &&
           WriteLong(doc, element, L"lfOrientation", font.lfOrientation) &&
           WriteLong(doc, element, L"lfWeight", font.lfWeight) && WriteByte(doc, element, L"lfItalic", font.lfItalic) &&
           WriteByte(doc, element, L"lfUnderline", font.lfUnderline) &&
           WriteByte(doc, element, L"lfStrikeOut", font.lfStrikeOut) &&
           WriteByte(doc, element, L"lfCharSet", font.lfCharSet) &&
           WriteByte(doc, element, L"lfOutPrecision", font.lfOutPrecision) &&
           WriteByte(doc, element, L"lfClipPrecision", font.lfClipPrecision) &&
           WriteByte(doc, element, L"lfQuality", font.lfQuality) &&
           WriteByte(doc, element, L"lfPitchAndFamily", font.lfPitchAndFamily) &&
           doc.WriteText(element, L"lfFaceName", std::wstring(font.lfFaceName, ::wcsnlen(font.lfFaceName, LF_FACESIZE))) &&
           doc.AttachChild(parent, element);
}

bool ReadLogFont(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LOGFONTW& font)
{
    CXmlNode node;
    if (!doc.OpenChildForRead(parent, name, node))
        return false;
    IXMLDOMNode* const element = node.get();
    return ReadLong(doc, element, L"lfHeight", font.lfHeight) && ReadLong(doc, element, L"lfWidth", font.lfWidth) &&
           ReadLong(doc, element, L"lfEscapement", font.lfEscapement) &&
           ReadLong(doc, element, L"lfOrientation", font.lfOrientation) &&
           ReadLong(doc, element, L"lfWeight", font.lfWeight) && ReadByte(doc, element, L"lfItalic", font.lfItalic) &&
           ReadByte(doc, element, L"lfUnderline", font.lfUnderline) &&
           ReadByte(doc, element, L"lfStrikeOut", font.lfStrikeOut) &&
           ReadByte(doc, element, L"lfCharSet", font.lfCharSet) &&
           ReadByte(doc, element, L"lfOutPrecision", font.lfOutPrecision) &&
           ReadByte(doc, element, L"lfClipPrecision", font.lfClipPrecision) &&
           ReadByte(doc, element, L"lfQuality", font.lfQuality) &&
           ReadByte(doc, element, L"lfPitchAndFamily", font.lfPitchAndFamily) &&
           ReadFaceName(doc, element, L"lfFaceName", font.lfFaceName);
}

bool WriteStringList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const CMruStrings& list)
{
    CXmlNode node;
    if (!doc.NewChildForWrite(parent, name, node) || !WriteBool(doc, node.get(), L"SaveContents", list.SaveContents))
        return false;
    if (list.SaveContents) {
        CXmlNode items;
        if (!doc.NewChildForWrite(node.get(), L"Items", items))
            return false;
        for (const CMruStrings::Entry& entry : list.Items()) {
            if (!doc.WriteText(items.get(), L"Item", entry->Text()))
                return false;
        }
        if (!doc.AttachChild(node.get(), items.get()))
            return false;
    }
    return WriteSize(doc, node.get(), L"MaxSize", list.MaxSize) && doc.AttachChild(parent, node.get());
}

bool ReadStringList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CMruStrings& list)
{
    CXmlNode node;
    if (!doc.OpenChildForRead(parent, name, node) || !ReadBool(doc, node.get(), L"SaveContents", list.SaveContents))
        return false;
    if (list.SaveContents) {
        CXmlNode items;
        CXmlNodeList nodes;
        long count = 0;
        if (!doc.OpenChildForRead(node.get(), L"Items", items) || !doc.SelectChildren(items.get(), L"Item", nodes) ||
            !doc.GetListLength(nodes.get(), count))
            return false;
        list.Items().clear();
        for (long i = 0; i < count; ++i) {
            CXmlNode item;
            std::wstring text;
            if (!doc.GetListItem(nodes.get(), i, item) || !doc.ReadText(item.get(), std::wstring(), text))
                return false;
            list.Items().push_back(boost::make_shared<const CSameNamedString>(std::move(text)));
        }
    }
    if (!ReadSize(doc, node.get(), L"MaxSize", list.MaxSize))
        return false;
    if (list.Items().size() > list.MaxSize)
        list.Items().resize(list.MaxSize);
    return true;
}
