#include "settings/XmlDocument.h"

#include "base/AtomicFile.h"
#include "base/Exception.h"
#include "base/ResourceString.h"
#include "base/SystemErrorText.h"
#include "framework/UniqueHandle.h"
#include "resources/resource.h"
#include "settings/SafeXmlFile.h"

#include <shlwapi.h>

#include <vector>

// IXMLDOMDocument2 up to setProperty, as MSXML defines it: <msxml2.h>, which
// declares it, cannot be included together with <msxml.h>. Outside the
// anonymous namespace on purpose: an interface of internal linkage has no
// implementation anywhere as far as the compiler knows, and it would turn
// the call into a trap.
struct IXmlDomDocumentProperties : IXMLDOMDocument {
    virtual HRESULT STDMETHODCALLTYPE get_namespaces(IUnknown** collection) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_schemas(VARIANT* schemas) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_schemas(VARIANT schemas) = 0;
    virtual HRESULT STDMETHODCALLTYPE validate(IXMLDOMParseError** error) = 0;
    virtual HRESULT STDMETHODCALLTYPE setProperty(BSTR name, VARIANT value) = 0;
};

namespace {

const IID kIidXmlDomDocument2 = {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

HRESULT MakeBstr(const std::wstring& text, gvt::CUniqueBstr& bstr)
{
    bstr.reset(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    return bstr ? S_OK : E_OUTOFMEMORY;
}

// A path as the VARIANT that load and save take; the BSTR stays owned by bstr.
VARIANT PathVariant(BSTR bstr)
{
    VARIANT v;
    ::VariantInit(&v);
    v.vt = VT_BSTR;
    v.bstrVal = bstr;
    return v;
}

bool ReportsParseError(IXMLDOMDocument* dom)
{
    gvt::CComPtr<IXMLDOMParseError> error;
    long code = 0;
    return SUCCEEDED(dom->get_parseError(error.put())) && error && SUCCEEDED(error->get_errorCode(&code)) &&
           code != 0;
}

// One more counted reference to a node the caller holds.
CXmlNode Share(IXMLDOMNode* node)
{
    node->AddRef();
    return CXmlNode::Attach(node);
}

std::wstring TakeText(gvt::CUniqueBstr& bstr)
{
    return bstr ? std::wstring(bstr.get(), ::SysStringLen(bstr.get())) : std::wstring();
}

// The settings file is input: nothing in it may make the parser fetch other
// files or validate against them.
void RestrictParser(IXMLDOMDocument* dom)
{
    dom->put_resolveExternals(VARIANT_FALSE);
    dom->put_validateOnParse(VARIANT_FALSE);
    gvt::CComPtr<IXmlDomDocumentProperties> properties;
    gvt::CUniqueBstr name;
    if (FAILED(dom->QueryInterface(kIidXmlDomDocument2, properties.put_void())) ||
        FAILED(MakeBstr(L"ProhibitDTD", name)))
        return;
    VARIANT prohibit;
    ::VariantInit(&prohibit);
    prohibit.vt = VT_BOOL;
    prohibit.boolVal = VARIANT_TRUE;
    // Older parsers do not know the property; the scan before loading still
    // refuses such files.
    properties->setProperty(name.get(), prohibit);
}

}  // namespace

bool CXmlDocument::SetError(UINT id, HRESULT code)
{
    m_error.MessageId = id;
    m_error.Code = code;
    FormatMessageText(m_error.Message, id, {SystemErrorText(code)});
    return false;
}

bool CXmlDocument::SetError(UINT id, HRESULT code, const std::wstring& argument)
{
    m_error.MessageId = id;
    m_error.Code = code;
    FormatMessageText(m_error.Message, id, {SystemErrorText(code), argument});
    return false;
}

bool CXmlDocument::SetError(UINT id, const std::wstring& value)
{
    m_error.MessageId = id;
    m_error.Code = 0;
    FormatMessageText(m_error.Message, id, {value});
    return false;
}

bool CXmlDocument::SetError(const CSimpleErr& err)
{
    m_error = err;
    return false;
}

bool CXmlDocument::CreateDom(gvt::CComPtr<IXMLDOMDocument>& dom)
{
    const HRESULT hr =
        ::CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_ALL, IID_IXMLDOMDocument, dom.put_void());
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_CREATE, hr);
    dom->put_async(VARIANT_FALSE);
    RestrictParser(dom.get());
    return true;
}

bool CXmlDocument::LoadFile(const std::wstring& path)
{
    if (!::PathFileExistsW(path.c_str()))
        return SetError(IDS_ERR_XML_LOAD, HResultFromWin32(ERROR_FILE_NOT_FOUND), path);
    bool declaresType = false;
    HRESULT hr = FindDocumentTypeDeclaration(path, declaresType);
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_LOAD, hr, path);
    if (declaresType)
        return SetError(IDS_ERR_XML_LOAD, HResultFromWin32(ERROR_INVALID_DATA), path);

    gvt::CComPtr<IXMLDOMDocument> dom;
    if (!CreateDom(dom))
        return false;
    // From a stream, not the path: a path goes through URL monikers, which
    // take '#' and '%' for parts of a URL, and which under Wine wait a second
    // and more while a background reading enumerates thousands of fonts.
    gvt::CComPtr<IStream> stream;
    hr = ::SHCreateStreamOnFileEx(path.c_str(), STGM_READ | STGM_SHARE_DENY_NONE, FILE_ATTRIBUTE_NORMAL, FALSE, nullptr,
                                  stream.put());
    VARIANT source;
    ::VariantInit(&source);
    source.vt = VT_UNKNOWN;
    source.punkVal = stream.get();
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (SUCCEEDED(hr)) {
        hr = dom->load(source, &loaded);
        // A document that is not well-formed is S_FALSE, as the DOM answers
        // for a path; Wine's DOM fails the call instead for a stream.
        if (FAILED(hr) && ReportsParseError(dom.get()))
            hr = S_FALSE;
    }
    if (hr != S_OK || loaded == VARIANT_FALSE)
        return SetError(IDS_ERR_XML_LOAD, hr, path);
    m_dom = dom;
    return true;
}

bool CXmlDocument::LoadText(const std::wstring& text)
{
    gvt::CComPtr<IXMLDOMDocument> dom;
    if (!CreateDom(dom))
        return false;
    gvt::CUniqueBstr bstr;
    HRESULT hr = MakeBstr(text, bstr);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (SUCCEEDED(hr))
        hr = dom->loadXML(bstr.get(), &loaded);
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_CREATE_ROOT, hr);
    m_dom = dom;
    return true;
}

bool CXmlDocument::SaveFile(const std::wstring& path)
{
    if (!m_dom)
        return SetError(IDS_ERR_XML_SAVE, E_POINTER);
    const HRESULT hr = gvt::SaveAtomically(
        path, [this](const std::wstring& temporary) { return WriteTo(temporary); },
        [](const std::wstring& temporary) {
            CXmlDocument written;
            return written.LoadFile(temporary) ? S_OK : gvt::UnreadableSaveReason(temporary);
        });
    return SUCCEEDED(hr) || SetError(IDS_ERR_XML_SAVE, hr);
}

HRESULT CXmlDocument::WriteTo(const std::wstring& path)
{
    gvt::CUniqueBstr bstr;
    HRESULT hr = MakeBstr(path, bstr);
    if (SUCCEEDED(hr))
        hr = m_dom->save(PathVariant(bstr.get()));
    // Wine's DOM answers S_FALSE when writing the file failed.
    return hr == S_FALSE ? gvt::UnreadableSaveReason(path) : hr;
}

bool CXmlDocument::SelectRoot(const std::wstring& name, CXmlNode& node)
{
    if (!m_dom)
        return SetError(IDS_ERR_XML_SELECT_NODE, E_POINTER, name);
    gvt::CUniqueBstr bstr;
    HRESULT hr = MakeBstr(name, bstr);
    if (SUCCEEDED(hr))
        hr = m_dom->selectSingleNode(bstr.get(), node.put());
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_SELECT_NODE, hr, name);
    if (!node)
        return SetError(IDS_ERR_XML_NODE_NOT_FOUND, E_FAIL, name);
    return true;
}

bool CXmlDocument::SelectChild(IXMLDOMNode* parent, const std::wstring& name, CXmlNode& node)
{
    gvt::CUniqueBstr bstr;
    HRESULT hr = MakeBstr(name, bstr);
    if (SUCCEEDED(hr))
        hr = parent->selectSingleNode(bstr.get(), node.put());
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_SELECT_NODE, hr, NodePath(parent) + L" -> " + name);
    if (!node)
        return SetError(IDS_ERR_XML_NODE_NOT_FOUND, E_FAIL, NodePath(parent) + L" -> " + name);
    return true;
}

bool CXmlDocument::HasChild(IXMLDOMNode* parent, const std::wstring& name)
{
    gvt::CUniqueBstr bstr;
    CXmlNode node;
    return SUCCEEDED(MakeBstr(name, bstr)) && SUCCEEDED(parent->selectSingleNode(bstr.get(), node.put())) && node;
}

bool CXmlDocument::SelectChildren(IXMLDOMNode* parent, const std::wstring& name, CXmlNodeList& list)
{
    gvt::CUniqueBstr bstr;
    HRESULT hr = MakeBstr(name, bstr);
    if (SUCCEEDED(hr))
        hr = parent->selectNodes(bstr.get(), list.put());
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_SELECT_NODES, hr, name);
    if (!list)
        return SetError(IDS_ERR_XML_NODES_NOT_FOUND, E_FAIL, name);
    return true;
}

bool CXmlDocument::GetListLength(IXMLDOMNodeList* list, long& length)
{
    const HRESULT hr = list->get_length(&length);
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_NODES_COUNT, hr);
    return true;
}

bool CXmlDocument::GetListItem(IXMLDOMNodeList* list, long index, CXmlNode& node)
{
    HRESULT hr = list->get_item(index, node.put());
    // An index past the end answers S_FALSE and no node.
    if (SUCCEEDED(hr) && !node)
        hr = E_INVALIDARG;
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_NODES_ITEM, hr);
    return true;
}

bool CXmlDocument::CreateElement(const std::wstring& name, CXmlNode& node)
{
    if (!m_dom)
        return SetError(IDS_ERR_XML_CREATE_NODE, E_POINTER);
    gvt::CUniqueBstr bstrName;
    gvt::CUniqueBstr noNamespace;
    HRESULT hr = MakeBstr(name, bstrName);
    if (SUCCEEDED(hr))
        hr = MakeBstr(std::wstring(), noNamespace);
    if (SUCCEEDED(hr)) {
        VARIANT type;
        ::VariantInit(&type);
        type.vt = VT_I4;
        type.lVal = NODE_ELEMENT;
        hr = m_dom->createNode(type, bstrName.get(), noNamespace.get(), node.put());
    }
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_CREATE_NODE, hr);
    return true;
}

bool CXmlDocument::AppendChild(IXMLDOMNode* parent, IXMLDOMNode* child)
{
    const HRESULT hr = parent->appendChild(child, nullptr);
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_APPEND_NODE, hr);
    return true;
}

bool CXmlDocument::SetNodeText(IXMLDOMNode* node, const std::wstring& text)
{
    gvt::CUniqueBstr bstr;
    HRESULT hr = MakeBstr(text, bstr);
    if (SUCCEEDED(hr))
        hr = node->put_text(bstr.get());
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_SET_TEXT, hr);
    return true;
}

bool CXmlDocument::GetNodeText(IXMLDOMNode* node, std::wstring& text)
{
    gvt::CUniqueBstr bstr;
    const HRESULT hr = node->get_text(bstr.put());
    if (FAILED(hr))
        return SetError(IDS_ERR_XML_GET_TEXT, hr);
    text = TakeText(bstr);
    return true;
}

std::wstring CXmlDocument::NodePath(IXMLDOMNode* node)
{
    if (!node)
        return L"(!null)";
    std::vector<std::wstring> names;
    CXmlNode current = Share(node);
    while (current) {
        gvt::CUniqueBstr name;
        names.push_back(SUCCEEDED(current->get_nodeName(name.put())) ? TakeText(name) : L"(!name)");
        CXmlNode parent;
        current->get_parentNode(parent.put());
        current = parent;
    }
    std::wstring path;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!path.empty())
            path += L'/';
        path += *it;
    }
    return path;
}

bool CXmlDocument::ReadText(IXMLDOMNode* parent, const std::wstring& name, std::wstring& text)
{
    CXmlNode node;
    return OpenChildForRead(parent, name, node) && GetNodeText(node.get(), text);
}

bool CXmlDocument::WriteText(IXMLDOMNode* parent, const std::wstring& name, const std::wstring& text)
{
    CXmlNode node;
    return CreateElement(name, node) && SetNodeText(node.get(), text) && AppendChild(parent, node.get());
}

bool CXmlDocument::OpenChildForRead(IXMLDOMNode* parent, const std::wstring& name, CXmlNode& node)
{
    if (!name.empty())
        return SelectChild(parent, name, node);
    node = Share(parent);
    return true;
}

bool CXmlDocument::NewChildForWrite(IXMLDOMNode* parent, const std::wstring& name, CXmlNode& node)
{
    if (!name.empty())
        return CreateElement(name, node);
    node = Share(parent);
    return true;
}

bool CXmlDocument::AttachChild(IXMLDOMNode* parent, IXMLDOMNode* child)
{
    return child == parent || AppendChild(parent, child);
}
