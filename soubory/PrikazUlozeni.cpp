#include "soubory/PrikazUlozeni.h"

#include <shlwapi.h>

#include "image/ExportSnimku.h"
#include "image/GifAnimace.h"
#include "resources/resource.h"
#include "soubory/SouboroveDialogy.h"
#include "winlib/Identita.h"
#include "winlib/ModalniSmycka.h"
#include "winlib/Retezce.h"

using namespace Tarnel::WinApi;

namespace {

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

void Report(HWND owner, const std::wstring& target, HRESULT result)
{
    const std::wstring text = TextNeulozeni(target, result);
    ModalniSmycka smycka;
    MessageBoxW(owner, text.c_str(), NazevProgramu().c_str(), MB_OK | MB_ICONERROR);
}

} // namespace

std::wstring TextNeulozeni(const std::wstring& cil, HRESULT vysledek)
{
    CLSID encoder{};
    const wchar_t* ext = PathFindExtensionW(cil.c_str());
    std::wstring duvod;
    if (!*ext || (*ext == L'.' && !ext[1]))
        duvod = NacistRetezec(IDS_ULOZENI_BEZ_PRIPONY).value_or(L"");
    else if (FindEncoder(ext, &encoder) < 0)
        duvod = VyplnitVzor(NacistRetezec(IDS_ULOZENI_NEZNAMY_FORMAT).value_or(L"%1"), {ext});
    else
        duvod = ErrorInfo(vysledek).ErrorText();
    return VyplnitVzor(NacistRetezec(IDS_ULOZENI_SELHALO).value_or(L"%1%n%n%2"), {cil, duvod});
}

VysledekUlozeni OnSaveFrame(HWND owner, GifAnimace* model, const KterySnimek& snimek)
{
    if (!model || !model->HasImage()) return VysledekUlozeni::Nic;
    const std::optional<std::wstring> target = ShowSaveDialog(owner);
    if (!target || !model->HasImage()) return VysledekUlozeni::Nic;
    // A frame the model no longer has (its file was replaced meanwhile) is not replaced by another.
    const std::optional<UINT> ktery = snimek ? snimek() : std::nullopt;
    if (ktery && FAILED(model->SelectFrame(*ktery))) return VysledekUlozeni::Nic;
    const bool overOpen = SamePath(model->Path(), *target);
    const HRESULT result = model->SaveFrame(target->c_str());
    if (SUCCEEDED(result)) return overOpen ? VysledekUlozeni::UlozenoDoOtevreneho : VysledekUlozeni::Ulozeno;
    Report(owner, *target, result);
    return VysledekUlozeni::Selhalo;
}
