#include "soubory/DlgExportSnimku.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <shobjidl.h>

#include "resources/resource_export.h"
#include "soubory/SouboroveDialogy.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Okno.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

std::wstring SlozkaSouboru(const std::wstring& soubor)
{
    const size_t oddelovac = soubor.find_last_of(L"\\/");
    return oddelovac == std::wstring::npos ? std::wstring() : soubor.substr(0, oddelovac);
}

std::wstring TextPrvku(HWND prvek)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(prvek)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(prvek, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

std::optional<std::wstring> ShowFolderDialog(HWND owner, const std::wstring& zacatek)
{
    ComPtr<IFileOpenDialog> dialog;
    CheckHr(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                             dialog.ReceiveVoid()));
    FILEOPENDIALOGOPTIONS volby = 0;
    if (SUCCEEDED(dialog->GetOptions(&volby)))
        dialog->SetOptions(volby | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM | FOS_PATHMUSTEXIST);
    dialog->SetTitle(TextZdroje(IDS_EXPORT_VYBER_SLOZKY).c_str());
    ComPtr<IShellItem> slozka;
    if (!zacatek.empty() &&
        SUCCEEDED(SHCreateItemFromParsingName(zacatek.c_str(), nullptr, IID_IShellItem, slozka.ReceiveVoid())))
        dialog->SetFolder(slozka.Get());
    HRESULT ukazano = E_FAIL;
    {
        ModalniSmycka smycka;
        ukazano = dialog->Show(owner);
    }
    std::wstring cesta;
    if (ukazano != S_OK || FAILED(GetDialogResultPath(dialog.Get(), cesta))) return std::nullopt;
    return cesta;
}

DlgExportSnimku::DlgExportSnimku(const std::wstring& soubor, UINT pocetSnimku) : DialogImpl(IDD_EXPORT_SNIMKU)
{
    zadani.soubor = soubor;
    zadani.slozka = SlozkaSouboru(soubor);
    zadani.pocetSnimku = pocetSnimku ? pocetSnimku : 1;
    zadani.rozsah = {1, zadani.pocetSnimku};
}

BOOL DlgExportSnimku::OnInitDialog()
{
    NastavitIkonyOkna(hwnd_);
    SetDlgItemTextW(hwnd_, IDC_EXPORT_SLOZKA, zadani.slozka.c_str());
    HWND formaty = Item(IDC_EXPORT_FORMAT);
    for (const PopisFormatu& popis : FormatyExportu())
        SendMessageW(formaty, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TextZdroje(popis.nazev).c_str()));
    SendMessageW(formaty, CB_SETCURSEL, 0, 0);
    const auto pocet = static_cast<int32_t>(zadani.pocetSnimku);
    od.Pripojit(Item(IDC_EXPORT_OD), 1, 1, pocet);
    po.Pripojit(Item(IDC_EXPORT_PO), zadani.pocetSnimku, 1, pocet);
    CheckRadioButton(hwnd_, IDC_EXPORT_VSE, IDC_EXPORT_ROZSAH, IDC_EXPORT_VSE);
    CheckDlgButton(hwnd_, IDC_EXPORT_ZPOZDENI, BST_CHECKED);
    PovolitRozsah();
    Vycentrovat(hwnd_, GetWindow(hwnd_, GW_OWNER));
    return TRUE;
}

bool DlgExportSnimku::OnCommand(UINT id, UINT kod, HWND)
{
    if (kod != BN_CLICKED) return false;
    switch (id) {
    case IDC_EXPORT_PROCHAZET: Prochazet(); return true;
    case IDC_EXPORT_VSE:
    case IDC_EXPORT_ROZSAH: PovolitRozsah(); return true;
    default: return false;
    }
}

void DlgExportSnimku::Prochazet()
{
    const std::optional<std::wstring> slozka = ShowFolderDialog(hwnd_, TextPrvku(Item(IDC_EXPORT_SLOZKA)));
    // The picker's loop may have ended this dialog meanwhile.
    if (slozka && IsWindow()) SetDlgItemTextW(hwnd_, IDC_EXPORT_SLOZKA, slozka->c_str());
}

void DlgExportSnimku::PovolitRozsah()
{
    const bool rozsah = IsDlgButtonChecked(hwnd_, IDC_EXPORT_ROZSAH) == BST_CHECKED;
    EnableWindow(Item(IDC_EXPORT_OD), rozsah);
    EnableWindow(Item(IDC_EXPORT_PO), rozsah);
}

std::optional<RozsahSnimku> DlgExportSnimku::ZvolenyRozsah() const
{
    if (IsDlgButtonChecked(hwnd_, IDC_EXPORT_ROZSAH) != BST_CHECKED) return RozsahSnimku{1, zadani.pocetSnimku};
    uint32_t prvni = 0;
    uint32_t posledni = 0;
    if (od.ZiskatHodnotu(prvni) != S_OK || po.ZiskatHodnotu(posledni) != S_OK) return std::nullopt;
    return PlatnyRozsah(prvni, posledni, zadani.pocetSnimku);
}

void DlgExportSnimku::OnOk()
{
    const std::wstring slozka = TextPrvku(Item(IDC_EXPORT_SLOZKA));
    if (slozka.empty() || !PathIsDirectoryW(slozka.c_str())) {
        Upozornit(TextZdroje(IDS_EXPORT_SLOZKA_CHYBI), IDC_EXPORT_SLOZKA);
        return;
    }
    const std::optional<RozsahSnimku> rozsah = ZvolenyRozsah();
    if (!rozsah) {
        Upozornit(TextZdroje(IDS_EXPORT_ROZSAH_CHYBNY, {std::to_wstring(zadani.pocetSnimku)}), IDC_EXPORT_OD);
        return;
    }
    const auto vybrany = SendDlgItemMessageW(hwnd_, IDC_EXPORT_FORMAT, CB_GETCURSEL, 0, 0);
    const auto& formaty = FormatyExportu();
    zadani.format = vybrany >= 0 && static_cast<size_t>(vybrany) < formaty.size() ? formaty[vybrany].format
                                                                                    : FormatExportu::Png;
    zadani.slozka = slozka;
    zadani.rozsah = *rozsah;
    zadani.zpozdeni = IsDlgButtonChecked(hwnd_, IDC_EXPORT_ZPOZDENI) == BST_CHECKED;
    EndDialog(IDOK);
}

void DlgExportSnimku::Upozornit(const std::wstring& text, int prvek)
{
    {
        ModalniSmycka smycka;
        MessageBoxW(hwnd_, text.c_str(), NazevProgramu().c_str(), MB_OK | MB_ICONWARNING);
    }
    if (IsWindow()) SetFocus(Item(prvek));
}
