// Helpers of the settings tests: COM for the DOM, a scratch folder under the
// temporary path, raw file bytes, and a message service that records the
// questions and answers them from a script.
#pragma once

#include "base/AtomicFile.h"
#include "base/Msg.h"
#include "support/FileLinks.h"
#include "settings/XmlDocument.h"

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace gvt::test {

// A fresh folder below GetTempPathW, removed with everything in it.
class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::wstring& Path() const noexcept { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + L"\\" + name; }
    // Names of the entries directly in the folder, sorted.
    std::vector<std::wstring> Names() const;
    // Removes the folder with everything in it.
    static void RemoveTree(const std::wstring& path);

private:
    std::wstring m_path;
};

std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string Utf8(const std::wstring& text);

// A document parsed from text, with its root element selected.
struct CParsed {
    CXmlDocument Doc;
    CXmlNode Root;
};
// Fails the calling test when the text does not parse or has no element root.
void Parse(CParsed& parsed, const std::wstring& text, const std::wstring& rootName = L"r");

// Records what would have been shown and answers with the scripted results
// (IDCANCEL once the script is used up).
class CRecordingMsg : public gvt::CMsg {
public:
    int Show(const std::wstring& text, UINT type) override;
    // Forgets what was shown and scripts the next answers.
    void Script(std::initializer_list<int> answers);

    std::vector<std::wstring> Texts;
    std::vector<UINT> Types;
    std::deque<int> Answers;
};

// Puts a service in place of the process-wide one for one scope.
class CMsgScope {
public:
    explicit CMsgScope(gvt::CMsg& service) { gvt::CMsg::SetInstance(&service); }
    ~CMsgScope() { gvt::CMsg::SetInstance(nullptr); }
    CMsgScope(const CMsgScope&) = delete;
    CMsgScope& operator=(const CMsgScope&) = delete;
};

// Runs a hook before every step of a save for one scope.
class CSaveStepHookScope {
public:
    explicit CSaveStepHookScope(gvt::SaveStepHook hook) : m_previous(gvt::SetSaveStepHook(hook)) {}
    ~CSaveStepHookScope() { gvt::SetSaveStepHook(m_previous); }
    CSaveStepHookScope(const CSaveStepHookScope&) = delete;
    CSaveStepHookScope& operator=(const CSaveStepHookScope&) = delete;

private:
    gvt::SaveStepHook m_previous;
};

// The text of a message as the program formats it.
std::wstring Formatted(UINT id, std::initializer_list<std::wstring> args = {});

}  // namespace gvt::test
