// One XML document of the platform's DOM with the few operations the
// settings code needs. No operation throws on a DOM failure: each returns
// false and leaves one message in the document's error record, so that the
// caller can stop and show it.
#pragma once

#include "base/SimpleErr.h"
#include "framework/ComPtr.h"
#include "settings/Version.h"

#include <windows.h>
#include <msxml.h>

#include <string>

using CXmlNode = gvt::CComPtr<IXMLDOMNode>;
using CXmlNodeList = gvt::CComPtr<IXMLDOMNodeList>;

class CXmlDocument {
public:
    CXmlDocument() = default;
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // The last recorded error; message id 0 while there was none.
    const CSimpleErr& Error() const noexcept { return m_error; }
    // The version of the settings file read; set only by the settings reader.
    CVersion Version = kSettingsVersion;

    // Parses the file; a file that declares a document type is refused
    // unparsed. A failed load keeps the document held before.
    bool LoadFile(const std::wstring& path);
    bool LoadText(const std::wstring& text);
    // Saves atomically (base/AtomicFile.h), checking that the temporary file
    // reads back as a document. Whatever fails, the file is the old or the
    // new one. A link to a file whose folder is missing is kept and nothing
    // is written, which counts as saved.
    bool SaveFile(const std::wstring& path);

    bool SelectRoot(const std::wstring& name, CXmlNode& node);
    bool SelectChild(IXMLDOMNode* parent, const std::wstring& name, CXmlNode& node);
    // Records nothing.
    bool HasChild(IXMLDOMNode* parent, const std::wstring& name);
    bool SelectChildren(IXMLDOMNode* parent, const std::wstring& name, CXmlNodeList& list);
    bool GetListLength(IXMLDOMNodeList* list, long& length);
    bool GetListItem(IXMLDOMNodeList* list, long index, CXmlNode& node);

    bool CreateElement(const std::wstring& name, CXmlNode& node);
    bool AppendChild(IXMLDOMNode* parent, IXMLDOMNode* child);
    bool SetNodeText(IXMLDOMNode* node, const std::wstring& text);
    bool GetNodeText(IXMLDOMNode* node, std::wstring& text);

    // The names from the document node down to node, joined with "/";
    // "(!null)" for no node.
    static std::wstring NodePath(IXMLDOMNode* node);

    // The text of the child name, or of parent itself when name is empty.
    bool ReadText(IXMLDOMNode* parent, const std::wstring& name, std::wstring& text);
    // Creates the child name with text and appends it to parent.
    bool WriteText(IXMLDOMNode* parent, const std::wstring& name, const std::wstring& text);
    // The element a composite reads from: the child name, or parent itself.
    bool OpenChildForRead(IXMLDOMNode* parent, const std::wstring& name, CXmlNode& node);
    // The element a composite writes into: a new element name, or parent itself.
    bool NewChildForWrite(IXMLDOMNode* parent, const std::wstring& name, CXmlNode& node);
    // Appends the filled composite to parent unless it is parent itself.
    bool AttachChild(IXMLDOMNode* parent, IXMLDOMNode* child);

    // Each form replaces the recorded error and returns false.
    // The system text of code as the one argument.
    bool SetError(UINT id, HRESULT code);
    // The system text of code, then argument.
    bool SetError(UINT id, HRESULT code, const std::wstring& argument);
    // A value that does not convert: code 0, the value's text as the argument.
    bool SetError(UINT id, const std::wstring& value);
    // An error raised as an exception, copied unchanged.
    bool SetError(const CSimpleErr& err);

private:
    bool CreateDom(gvt::CComPtr<IXMLDOMDocument>& dom);
    // The DOM's own serialisation into the file path.
    HRESULT WriteTo(const std::wstring& path);

    CSimpleErr m_error;
    gvt::CComPtr<IXMLDOMDocument> m_dom;
};
