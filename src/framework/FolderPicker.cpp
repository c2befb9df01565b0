#include "framework/FolderPicker.h"

#include "framework/ComPtr.h"
#include "framework/DebugLog.h"
#include "framework/UniqueHandle.h"

#include <shobjidl.h>

namespace gvt {

namespace {

struct CTaskMemTraits {
    using type = wchar_t*;
    static wchar_t* invalid() noexcept { return nullptr; }
    static void close(wchar_t* text) noexcept { ::CoTaskMemFree(text); }
};

}  // namespace

std::wstring PickFolder(HWND owner)
{
    CComPtr<IFileOpenDialog> dialog;
    HRESULT hr = ::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                    dialog.put_void());
    FILEOPENDIALOGOPTIONS options = 0;
    if (SUCCEEDED(hr))
        hr = dialog->GetOptions(&options);
    if (SUCCEEDED(hr))
        hr = dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    if (SUCCEEDED(hr))
        hr = dialog->Show(owner);
    if (hr == HRESULT_FROM_WIN32(ERROR_CANCELLED))
        return std::wstring();
    CComPtr<IShellItem> item;
    if (SUCCEEDED(hr))
        hr = dialog->GetResult(item.put());
    CUniqueHandle<CTaskMemTraits> path;
    if (SUCCEEDED(hr)) {
        wchar_t* text = nullptr;
        hr = item->GetDisplayName(SIGDN_FILESYSPATH, &text);
        path.reset(text);
    }
    if (FAILED(hr) || !path) {
        LogLine(L"the folder picker failed: " + std::to_wstring(static_cast<unsigned long>(hr)));
        return std::wstring();
    }
    return path.get();
}

}  // namespace gvt
