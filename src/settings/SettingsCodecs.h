// The composite values of the settings file. A writer creates its element,
// writes the children in their fixed order and only then appends the
// element; a reader opens its element once and reads the children by name.
// Both stop with false at the first failure, the error recorded in the
// document. An empty name makes the composite use the parent itself.
#pragma once

#include "settings/XmlDocument.h"

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

class CFontListDlgSetting;
class CMruStrings;
struct CWindowLayoutSetting;

// "TopMost".
bool WriteMainFrame(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool topMost);
bool ReadMainFrame(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, bool& topMost);

// "CharSet", "Tategaki", "Type", "Size", "Weight", "Italic", "GlyphFilter",
// "SampleText", "SampleTexts", "WindowLayout", "AddedFonts",
// "OnlyAddedFonts"; "Type" is read only when present, "GlyphFilter",
// "AddedFonts" and "OnlyAddedFonts" are written only when on or not empty. Each member is stored as
// soon as it was read.
bool WriteFontListDlgSetting(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                             const CFontListDlgSetting& setting);
bool ReadFontListDlgSetting(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                            CFontListDlgSetting& setting);

// "Maximized", "Rect".
bool WriteWindowLayout(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                       const CWindowLayoutSetting& layout);
bool ReadWindowLayout(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CWindowLayoutSetting& layout);

// "left", "top", "right", "bottom"; the rectangle changes only when all four read.
bool WriteRect(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const RECT& rect);
bool ReadRect(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, RECT& rect);

// The fourteen LOGFONT members in declaration order, each stored as read.
bool WriteLogFont(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const LOGFONTW& font);
bool ReadLogFont(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, LOGFONTW& font);

// "SaveContents", "Items" with one "Item" per entry (front first, only when
// SaveContents is true), "MaxSize". Reading replaces the entries only when
// SaveContents is true, and cuts the list to MaxSize.
bool WriteStringList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, const CMruStrings& list);
bool ReadStringList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, CMruStrings& list);

// The longest path the system takes (in the \\?\ form), in UTF-16 units.
constexpr std::size_t kMaxPathLength = 32767;

// One "Path" per entry, in order. Reading fails, the list as it was, unless
// the element holds one or more "Path" children and nothing else, each a
// path of 1 to kMaxPathLength units.
bool WritePathList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name,
                   const std::vector<std::wstring>& paths);
bool ReadPathList(CXmlDocument& doc, IXMLDOMNode* parent, const std::wstring& name, std::vector<std::wstring>& paths);
