#include "image/SouboroveDialogy.h"

#include <iterator>

#include "winlib/Handles.h"
#include "winlib/ModalniSmycka.h"

using namespace Tarnel::WinApi;

namespace {

const COMDLG_FILTERSPEC kOpenTypes[] = {
    {L"Obrázky GIF", L"*.gif"},
    {L"Všechny soubory", L"*.*"},
};

const COMDLG_FILTERSPEC kSaveTypes[] = {
    {L"Grafické soubory", L"*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.tiff"},
    {L"JPEG", L"*.jpg;*.jpeg"},
    {L"PNG", L"*.png"},
    {L"Bitmapy", L"*.bmp"},
    {L"GIF", L"*.gif"},
    {L"TIFF", L"*.tiff"},
    {L"Všechny soubory", L"*.*"},
};

constexpr UINT kSavePngIndex = 3; // one-based: "PNG"

template <typename Dialog>
void CreateDialogObject(const CLSID& clsid, ComPtr<Dialog>& dialog)
{
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(Dialog), dialog.ReceiveVoid());
    if (FAILED(hr)) RaiseFatal(hr);
}

std::optional<std::wstring> ShowAndReadPath(IFileDialog* dialog, HWND owner)
{
    HRESULT shown = E_FAIL;
    {
        ModalniSmycka smycka;
        shown = dialog->Show(owner);
    }
    if (shown != S_OK) return std::nullopt;
    std::wstring path;
    if (FAILED(GetDialogResultPath(dialog, path))) return std::nullopt;
    return path;
}

HRESULT AsFailure(HRESULT hr) { return FAILED(hr) ? hr : E_FAIL; }

} // namespace

std::optional<std::wstring> ShowOpenDialog(HWND owner)
{
    ComPtr<IFileOpenDialog> dialog;
    CreateDialogObject(CLSID_FileOpenDialog, dialog);
    // Without the filter the dialog still works, only less conveniently.
    dialog->SetFileTypes(static_cast<UINT>(std::size(kOpenTypes)), kOpenTypes);
    return ShowAndReadPath(dialog.Get(), owner);
}

std::optional<std::wstring> ShowSaveDialog(HWND owner)
{
    ComPtr<IFileSaveDialog> dialog;
    CreateDialogObject(CLSID_FileSaveDialog, dialog);
    if (SUCCEEDED(dialog->SetFileTypes(static_cast<UINT>(std::size(kSaveTypes)), kSaveTypes)) &&
        SUCCEEDED(dialog->SetFileTypeIndex(kSavePngIndex))) {
        // A plain name typed by the user then becomes a PNG file.
        dialog->SetDefaultExtension(L"png");
    }
    return ShowAndReadPath(dialog.Get(), owner);
}

HRESULT GetDialogResultPath(IFileDialog* dialog, std::wstring& path)
{
    ComPtr<IShellItem> item;
    HRESULT hr = dialog->GetResult(item.Receive());
    if (FAILED(hr) || !item) return AsFailure(hr);
    CoTaskMem<wchar_t> name;
    hr = item->GetDisplayName(SIGDN_FILESYSPATH, name.Receive());
    if (FAILED(hr) || !name.Get()) return AsFailure(hr);
    path = name.Get();
    return S_OK;
}
