// Links on the disk for tests of saving through them: symbolic links to a
// file, and a network share that leads to a local folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gvt::test {

// A symbolic link to target for one scope: a Unix link under Wine, which
// follows it, a Windows one elsewhere. The target need not exist.
class CSymbolicLink {
public:
    CSymbolicLink(const std::wstring& link, const std::wstring& target);
    ~CSymbolicLink();
    CSymbolicLink(const CSymbolicLink&) = delete;
    CSymbolicLink& operator=(const CSymbolicLink&) = delete;

    // False when the platform does not allow it.
    bool Made() const noexcept { return m_made; }

private:
    std::wstring m_link;
    bool m_made = false;
};

// \\<host>\share for one scope, leading to folder: under Wine a link in
// the prefix's dosdevices\unc, as Wine maps network paths. Empty where it
// cannot be made.
class CNetworkShare {
public:
    explicit CNetworkShare(const std::wstring& folder);
    ~CNetworkShare();
    CNetworkShare(const CNetworkShare&) = delete;
    CNetworkShare& operator=(const CNetworkShare&) = delete;

    const std::wstring& Path() const noexcept { return m_path; }

private:
    std::wstring m_hostFolder;
    std::wstring m_path;
    // Removed before the host folder.
    std::optional<CSymbolicLink> m_link;
};

}  // namespace gvt::test
