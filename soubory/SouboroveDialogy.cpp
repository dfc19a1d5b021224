#include "soubory/SouboroveDialogy.h"

#include <array>

#include "resources/resource.h"
#include "winlib/Handles.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

struct TypSouboru {
    UINT nazev; // in the string table
    const wchar_t* masky;
};

const TypSouboru kOpenTypes[] = {
    {IDS_TYP_OBRAZKY_GIF, L"*.gif"},
    {IDS_TYP_VSECHNY_SOUBORY, L"*.*"},
};

const TypSouboru kSaveTypes[] = {
    {IDS_TYP_GRAFICKE_SOUBORY, L"*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.tiff"},
    {IDS_TYP_JPEG, L"*.jpg;*.jpeg"},
    {IDS_TYP_PNG, L"*.png"},
    {IDS_TYP_BITMAPY, L"*.bmp"},
    {IDS_TYP_GIF, L"*.gif"},
    {IDS_TYP_TIFF, L"*.tiff"},
    {IDS_TYP_VSECHNY_SOUBORY, L"*.*"},
};

// Gives the dialog the types with their names from the string table.
template <size_t N>
HRESULT NastavitTypy(IFileDialog* dialog, const TypSouboru (&typy)[N])
{
    std::array<std::wstring, N> nazvy;
    std::array<COMDLG_FILTERSPEC, N> filtr;
    for (size_t i = 0; i < N; ++i) {
        nazvy[i] = TextZdroje(typy[i].nazev);
        filtr[i] = COMDLG_FILTERSPEC{nazvy[i].c_str(), typy[i].masky};
    }
    return dialog->SetFileTypes(static_cast<UINT>(N), filtr.data());
}

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
    NastavitTypy(dialog.Get(), kOpenTypes);
    return ShowAndReadPath(dialog.Get(), owner);
}

std::optional<std::wstring> ShowSaveDialog(HWND owner)
{
    ComPtr<IFileSaveDialog> dialog;
    CreateDialogObject(CLSID_FileSaveDialog, dialog);
    if (SUCCEEDED(NastavitTypy(dialog.Get(), kSaveTypes)) &&
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
