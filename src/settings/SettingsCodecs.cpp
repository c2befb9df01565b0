#include "settings/SettingsCodecs.h"

#include "fontdata/FaceName.h"
#include "resources/resource.h"
#include "settings/FontListDlgSetting.h"
#include "settings/LogFontFields.h"
#include "settings/MruStrings.h"
#include "settings/ValueCodecs.h"
#include "settings/WindowLayoutSetting.h"

#include <boost/make_shared.hpp>


namespace {

template <FieldCodec codec, typename Record, typename Member>
bool WriteField(CXmlDocument& doc, IXMLDOMNode* parent, const CField<codec, Record, Member>& field,
                const Record& record)
{
    const std::wstring name = field.Name;
    const Member& value = record.*field.Ptr;
    if constexpr (codec == FieldCodec::Bool) {
        if (field.Rule == FieldRule::WrittenWhenOn && !value)
            return true;
    } else if constexpr (codec == FieldCodec::PathList) {
        if (field.Rule == FieldRule::WrittenWhenOn && value.empty())
            return true;
    }
    if constexpr (codec == FieldCodec::Int)
        return WriteInt(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Long)
        return WriteLong(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Byte)
        return WriteByte(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Bool)
        return WriteBool(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Enum)
        return WriteEnum(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Text)
        return doc.WriteText(parent, name, value);
    else if constexpr (codec == FieldCodec::FaceName)
        return doc.WriteText(parent, name, std::wstring(gvt::FaceName(value)));
    else if constexpr (codec == FieldCodec::StringList)
        return WriteStringList(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::PathList)
        return WritePathList(doc, parent, name, value);
    else {
        static_assert(codec == FieldCodec::WindowLayout, "a codec without a writer");
        return WriteWindowLayout(doc, parent, name, value);
    }
}

template <FieldCodec codec, typename Record, typename Member>
bool ReadField(CXmlDocument& doc, IXMLDOMNode* parent, const CField<codec, Record, Member>& field, Record& record)
{
    const std::wstring name = field.Name;
    if (field.Rule == FieldRule::ReadWhenPresent && !doc.HasChild(parent, name))
        return true;
    Member& value = record.*field.Ptr;
    if constexpr (codec == FieldCodec::Bool || codec == FieldCodec::PathList) {
        if (field.Rule == FieldRule::WrittenWhenOn && !doc.HasChild(parent, name)) {
            value = Member{};
            return true;
        }
    }
    if constexpr (codec == FieldCodec::Int)
        return ReadInt(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Long)
        return ReadLong(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Byte)
        return ReadByte(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Bool)
        return ReadBool(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Enum)
        return ReadEnum(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::Text)
        return doc.ReadText(parent, name, value);
    else if constexpr (codec == FieldCodec::FaceName)
        return ReadFaceName(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::StringList)
        return ReadStringList(doc, parent, name, value);
    else if constexpr (codec == FieldCodec::PathList)
        return ReadPathList(doc, parent, name, value);
    else {
        static_assert(codec == FieldCodec::WindowLayout, "a codec without a reader");
        return ReadWindowLayout(doc, parent, name, value);
    }
}

template <typename Table, typename Record>
bool WriteFields(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const Table& table,
                 const Record& record)
{
    CXmlNode node;
    if (!doc.NewChildForWrite(parent, name, node))
        return false;
    IXMLDOMNode* const element = node.get();
    return EachField(table, [&](const auto& field) { return WriteField(doc, element, field, record); }) &&
           doc.AttachChild(parent, element);
}

// Each member is stored as soon as it was read, so a failure leaves the
// members before it read and the rest as they were.
template <typename Table, typename Record>
bool ReadFields(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const Table& table, Record& record)
{
    CXmlNode node;
    return doc.OpenChildForRead(parent, name, node) &&
           EachField(table, [&](const auto& field) { return ReadField(doc, node.get(), field, record); });
}

}  // namespace

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

bool WriteFontListDlgSetting(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                             const CFontListDlgSetting& setting)
{
    return WriteFields(doc, parent, name, kFontListDlgFields, setting);
}

bool ReadFontListDlgSetting(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                            CFontListDlgSetting& setting)
{
    return ReadFields(doc, parent, name, kFontListDlgFields, setting);
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
    return WriteFields(doc, parent, name, kLogFontFields, font);
}

bool ReadLogFont(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LOGFONTW& font)
{
    return ReadFields(doc, parent, name, kLogFontFields, font);
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

bool WritePathList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                   const std::vector<std::wstring>& paths)
{
    CXmlNode node;
    if (!doc.NewChildForWrite(parent, name, node))
        return false;
    for (const std::wstring& path : paths)
        if (!doc.WriteText(node.get(), L"Path", path))
            return false;
    return doc.AttachChild(parent, node.get());
}

bool ReadPathList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, std::vector<std::wstring>& paths)
{
    CXmlNode node;
    CXmlNodeList elements;
    CXmlNodeList nodes;
    long count = 0;
    long all = 0;
    if (!doc.OpenChildForRead(parent, name, node) || !doc.SelectChildren(node.get(), L"*", elements) ||
        !doc.GetListLength(elements.get(), all) || !doc.SelectChildren(node.get(), L"Path", nodes) ||
        !doc.GetListLength(nodes.get(), count))
        return false;
    // Written only while it holds a path, and holding nothing else.
    if (count == 0 || count != all)
        return doc.SetError(IDS_ERR_XML_NODES_NOT_FOUND, E_FAIL, doc.NodePath(node.get()) + L"/Path");
    std::vector<std::wstring> read;
    for (long i = 0; i < count; ++i) {
        CXmlNode item;
        std::wstring path;
        if (!doc.GetListItem(nodes.get(), i, item) || !doc.ReadText(item.get(), std::wstring(), path))
            return false;
        if (path.empty())
            return doc.SetError(IDS_ERR_XML_EMPTY_PATH, doc.NodePath(item.get()));
        if (path.size() > kMaxPathLength)
            return doc.SetError(IDS_ERR_XML_TOO_LONG, path.substr(0, 260) + L"...");
        read.push_back(std::move(path));
    }
    paths = std::move(read);
    return true;
}
