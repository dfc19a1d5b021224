#include "frames/DlgPrehledFrames.h"


#include <algorithm>
#include <optional>

#include "soubory/PrikazUlozeni.h"
#include "image/GifAnimace.h"
#include "soubory/SouboroveDialogy.h"
#include "resources/resource.h"
#include "winlib/Cesta.h"
#include "winlib/Chyby.h"
#include "winlib/Handles.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

std::wstring TitulekSObrazkem(const std::wstring& cesta, int pocetSnimku)
{
    return TextZdroje(IDS_PREHLED_TITULEK, {NazevProgramu(), NazevSouboru(cesta), std::to_wstring(pocetSnimku)});
}

std::wstring TitulekBezObrazku() { return TextZdroje(IDS_PREHLED_BEZ_OBRAZKU, {NazevProgramu()}); }

// The frame's interval as the file gives it, and where the timing rule changes it, both.
std::wstring TextInformace(UINT sirka, UINT vyska, UINT intervalMs, Casovani pravidlo)
{
    const UINT hraje = ZpozdeniPodlePravidla(intervalMs, pravidlo);
    if (hraje == intervalMs)
        return TextZdroje(IDS_PREHLED_INFORMACE,
                          {std::to_wstring(sirka), std::to_wstring(vyska), std::to_wstring(intervalMs)});
    return TextZdroje(IDS_PREHLED_INFORMACE_PRAVIDLO, {std::to_wstring(sirka), std::to_wstring(vyska),
                                                       std::to_wstring(intervalMs), std::to_wstring(hraje)});
}

} // namespace

DlgPrehledFrames::DlgPrehledFrames(std::function<Casovani()> pravidlo)
    : DialogImpl(IDD_PREHLED_FRAMES), pravidlo(std::move(pravidlo))
{
}

DlgPrehledFrames::~DlgPrehledFrames() = default;

HWND DlgPrehledFrames::Vytvorit(HWND hostitel, const wchar_t* cesta)
{
    // Our dialog layer hands the object itself to WM_INITDIALOG, so the path goes beside it.
    parametr = cesta;
    HWND okno = Create(hostitel);
    parametr = nullptr;
    if (!okno) RaiseLastError();
    return okno;
}

BOOL DlgPrehledFrames::OnInitDialog()
{
    if (parametr && JeSoubor(parametr)) path = parametr;
    SetInfo(L"");
    list.Attach(Item(IDC_PREHLED_SEZNAM));
    model = std::make_unique<GifAnimace>();
    list.NastavitModel(model.get());
    if (JeSoubor(path)) {
        model->Load(path, true);
        FillFrameList();
    }
    UpdateTitle();
    return TRUE;
}

bool DlgPrehledFrames::OnCommand(UINT id, UINT kod, HWND)
{
    if (id == IDC_PREHLED_SEZNAM && kod == LBN_SELCHANGE) {
        ShowFrameInfo();
        return true;
    }
    if (id == IDC_PREHLED_OTEVRIT && kod == BN_CLICKED) {
        OnOpenFile();
        return true;
    }
    if (id == IDC_PREHLED_ULOZIT && kod == BN_CLICKED) {
        OnSaveFrame();
        return true;
    }
    return kod == 0 && ObslouzitPrikazExportu(id); // a menu command arrives with code 0
}

bool SeznamSnimkuPrehledu::OnMeasureItem(MEASUREITEMSTRUCT& polozka)
{
    if (!model || !model->HasImage()) return false;
    polozka.itemHeight = ListBox::VyskaPolozky(model->Height());
    return true;
}

bool SeznamSnimkuPrehledu::OnDrawItem(const DRAWITEMSTRUCT& polozka)
{
    if (!model || !model->HasImage()) return false;
    const RECT& r = polozka.rcItem;
    // An empty list still asks for its focus rectangle, and a damaged file may decode as an
    // image without pixels: there is nothing to show in either.
    if (polozka.itemID == static_cast<UINT>(-1) || Width(r) <= 0 || Height(r) <= 0) return true;
    if (model->Width() == 0 || model->Height() == 0) return true;
    // A frame the model lacks leaves whatever it had active, and that is what gets drawn.
    model->SelectFrame(static_cast<UINT>(polozka.itemData));
    HBRUSH pozadi = GetSysColorBrush((polozka.itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    model->DrawFitted(polozka.hDC, r.left, r.top, Width(r), Height(r), pozadi, SpolecnePozadi());
    return true;
}

void DlgPrehledFrames::UpdateTitle()
{
    const bool obrazek = model && model->HasImage();
    const std::wstring titulek = obrazek ? TitulekSObrazkem(path, model->FrameCount()) : TitulekBezObrazku();
    CheckWin32(SetWindowTextW(::GetParent(hwnd_), titulek.c_str()));
}

void DlgPrehledFrames::FillFrameList()
{
    if (!list.IsWindow()) RaiseFatal(E_HANDLE);
    list.Clear();
    if (!model || !model->HasImage()) return;
    const int pocet = model->FrameCount();
    for (int i = 0; i < pocet; ++i) list.AddItem(i);
    if (list.Count() > 0) list.Select(0);
    ShowFrameInfo();
}

void DlgPrehledFrames::ShowFrameInfo()
{
    SetInfo(L"");
    const int snimek = VybranySnimek();
    if (!model || snimek < 0 || snimek >= model->FrameCount()) return;
    const auto index = static_cast<UINT>(snimek);
    model->SelectFrame(index);
    // A single image has no delays for the rule to change.
    const Casovani casovani = pravidlo && model->HasDelayTable() ? pravidlo() : Casovani::PodleSouboru;
    SetInfo(TextInformace(model->Width(), model->Height(), model->FrameDelayMs(index), casovani));
}

void DlgPrehledFrames::OnOpenFile()
{
    // While a dialog of this thread waits, a second one or a new model under it is refused.
    if (ModalniSmycka::Bezi()) return;
    const std::optional<std::wstring> zvoleno = ShowOpenDialog(hwnd_);
    if (!zvoleno || !list.IsWindow()) return;
    NacistSoubor(*zvoleno);
}

void DlgPrehledFrames::NacistSoubor(const std::wstring& cesta)
{
    model->Load(cesta, true);
    path = cesta;
    FillFrameList();
    UpdateTitle();
}

void DlgPrehledFrames::OnSaveFrame()
{
    if (ModalniSmycka::Bezi()) return;
    if (!model || !model->HasImage()) return;
    // Drawing the rows moves the model's active frame about; what the user chose is the
    // selected row, so that frame is the one saved.
    const int snimek = VybranySnimek();
    const VysledekUlozeni vysledek =
        ::OnSaveFrame(hwnd_, model.get(), snimek >= 0 ? std::optional<UINT>(snimek) : std::nullopt);
    if (!list.IsWindow()) return;
    // After a save over the panel's own file the model holds the file as it now is, and the
    // list and title follow it.
    if (vysledek == VysledekUlozeni::UlozenoDoOtevreneho || model->FrameCount() != list.Count()) {
        FillFrameList();
        UpdateTitle();
    }
}

void DlgPrehledFrames::SetInfo(const std::wstring& text)
{
    CheckWin32(SetDlgItemTextW(hwnd_, IDC_PREHLED_INFORMACE, text.c_str()));
}

int DlgPrehledFrames::VybranySnimek() const
{
    const int vybrana = list.Selected();
    return vybrana == LB_ERR ? -1 : static_cast<int>(list.ItemData(vybrana));
}
