#include "bench/Mereni.h"

#include <algorithm>
#include <cwchar>

#include "bench/GifZapis.h"

namespace Bench {

LONGLONG Now()
{
    LARGE_INTEGER v;
    QueryPerformanceCounter(&v);
    return v.QuadPart;
}

double Ms(LONGLONG ticks)
{
    static const LARGE_INTEGER f = [] {
        LARGE_INTEGER v;
        QueryPerformanceFrequency(&v);
        return v;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(f.QuadPart);
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t i = static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(i, values.size() - 1)];
}

std::wstring NazevProcesoru()
{
    wchar_t nazev[256] = L"";
    DWORD velikost = sizeof nazev;
    RegGetValueW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"ProcessorNameString",
                 RRF_RT_REG_SZ, nullptr, nazev, &velikost);
    return nazev;
}

namespace {

std::wstring SlozkaDat()
{
    std::wstring cesta(MAX_PATH, L'\0');
    cesta.resize(GetModuleFileNameW(nullptr, cesta.data(), MAX_PATH));
    cesta = cesta.substr(0, cesta.find_last_of(L'\\')) + L"\\bench-data";
    CreateDirectoryW(cesta.c_str(), nullptr);
    return cesta;
}

// The file of that name in the data folder, written by `zapsat` unless an earlier run has.
template <typename Zapsat> std::wstring Pripravit(const std::wstring& nazev, Zapsat zapsat)
{
    const std::wstring cesta = SlozkaDat() + L"\\" + nazev;
    if (GetFileAttributesW(cesta.c_str()) == INVALID_FILE_ATTRIBUTES) zapsat(cesta);
    return cesta;
}

std::wstring Rozmer(int width, int height) { return std::to_wstring(width) + L"x" + std::to_wstring(height); }

} // namespace

std::wstring PripravitAnimaci(int width, int height, int count, int delayCs)
{
    return Pripravit(Rozmer(width, height) + L"_" + std::to_wstring(count) + L"_" + std::to_wstring(delayCs) + L".gif",
                     [&](const std::wstring& cesta) { ZapsatAnimaci(cesta, width, height, count, delayCs); });
}

std::wstring PripravitCastecnou(int width, int height, int count, int delayCs)
{
    return Pripravit(
        Rozmer(width, height) + L"_" + std::to_wstring(count) + L"_" + std::to_wstring(delayCs) + L"_castecne.gif",
        [&](const std::wstring& cesta) { ZapsatCastecnou(cesta, width, height, count, delayCs); });
}

std::wstring PripravitJednobarevny(int width, int height)
{
    return Pripravit(Rozmer(width, height) + L"_jednobarevny.gif",
                     [&](const std::wstring& cesta) { ZapsatJednobarevny(cesta, width, height); });
}

std::string VystupDitete(const wchar_t* rezim, const std::wstring& cesta, int cislo)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
    HANDLE cteni = nullptr;
    HANDLE zapis = nullptr;
    if (!CreatePipe(&cteni, &zapis, &sa, 0)) return {};
    SetHandleInformation(cteni, HANDLE_FLAG_INHERIT, 0);
    std::wstring exe(MAX_PATH, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), MAX_PATH));
    std::wstring radek = L"\"" + exe + L"\" " + rezim + L" \"" + cesta + L"\" " + std::to_wstring(cislo);
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = zapis;
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL spusteno =
        CreateProcessW(exe.c_str(), radek.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    CloseHandle(zapis);
    std::string vystup;
    if (spusteno) {
        char buffer[512];
        DWORD precteno = 0;
        while (ReadFile(cteni, buffer, sizeof buffer, &precteno, nullptr) && precteno > 0)
            vystup.append(buffer, precteno);
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    CloseHandle(cteni);
    return vystup;
}


} // namespace Bench
