#include "tests/DpiTest.h"

#include <gtest/gtest.h>

#include <optional>
#include <thread>

#include "tests/TestSupport.h"

namespace {

const wchar_t kPromennaDpi[] = L"ANIMORA_DPI_DITETE";
constexpr DWORD kLimitDiteteMs = 90000;

// Where the system reads the DPI from: the user's and the machine's setting.
struct MistoDpi {
    HKEY koren;
    const wchar_t* klic;
};
const MistoDpi kMistaDpi[] = {
    {HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
    {HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts"},
};

std::optional<DWORD> Precist(const MistoDpi& misto)
{
    DWORD hodnota = 0;
    DWORD velikost = sizeof hodnota;
    if (RegGetValueW(misto.koren, misto.klic, L"LogPixels", RRF_RT_REG_DWORD, nullptr, &hodnota, &velikost) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return hodnota;
}

bool Zapsat(const MistoDpi& misto, std::optional<DWORD> hodnota)
{
    if (!hodnota) {
        const LSTATUS chyba = RegDeleteKeyValueW(misto.koren, misto.klic, L"LogPixels");
        return chyba == ERROR_SUCCESS || chyba == ERROR_FILE_NOT_FOUND;
    }
    return RegSetKeyValueW(misto.koren, misto.klic, L"LogPixels", REG_DWORD, &*hodnota, sizeof *hodnota) ==
           ERROR_SUCCESS;
}

// LogPixels set for the object's life; the values found before come back in every case.
class NastaveniDpi {
public:
    explicit NastaveniDpi(UINT dpi)
    {
        for (size_t i = 0; i < 2; ++i) {
            puvodni_[i] = Precist(kMistaDpi[i]);
            EXPECT_TRUE(Zapsat(kMistaDpi[i], dpi)) << "LogPixels cannot be set";
        }
    }
    ~NastaveniDpi()
    {
        for (size_t i = 0; i < 2; ++i) EXPECT_TRUE(Zapsat(kMistaDpi[i], puvodni_[i])) << "LogPixels not put back";
    }
    NastaveniDpi(const NastaveniDpi&) = delete;
    NastaveniDpi& operator=(const NastaveniDpi&) = delete;

private:
    std::optional<DWORD> puvodni_[2];
};

// The child's output, read on a thread of its own so that a full pipe never stalls it.
class Vystup {
public:
    explicit Vystup(HANDLE cteni) : cteni_(cteni), ctenar_([this] { Cist(); }) {}
    ~Vystup()
    {
        if (ctenar_.joinable()) ctenar_.join();
        CloseHandle(cteni_);
    }
    // All of it, once the child has ended and with it the pipe.
    const std::string& Cele()
    {
        if (ctenar_.joinable()) ctenar_.join();
        return text_;
    }

private:
    void Cist()
    {
        char buffer[4096];
        DWORD precteno = 0;
        while (ReadFile(cteni_, buffer, sizeof buffer, &precteno, nullptr) && precteno) text_.append(buffer, precteno);
    }
    HANDLE cteni_;
    std::string text_;
    std::thread ctenar_;
};

} // namespace

UINT DpiDitete()
{
    wchar_t hodnota[16] = L"";
    if (!GetEnvironmentVariableW(kPromennaDpi, hodnota, 16)) return 0;
    return static_cast<UINT>(wcstoul(hodnota, nullptr, 10));
}

void SpustitPriDpi(UINT dpi, const char* filtr)
{
    SCOPED_TRACE(testing::Message() << "child at " << dpi << " DPI: " << filtr);
    NastaveniDpi nastaveni(dpi);

    SECURITY_ATTRIBUTES dedit{sizeof dedit, nullptr, TRUE};
    HANDLE cteni = nullptr;
    HANDLE zapis = nullptr;
    ASSERT_TRUE(CreatePipe(&cteni, &zapis, &dedit, 0));
    SetHandleInformation(cteni, HANDLE_FLAG_INHERIT, 0);
    std::wstring prikaz = L"\"" + TestSupport::ExecutablePath() + L"\" --gtest_filter=" +
                          std::wstring(filtr, filtr + strlen(filtr));
    STARTUPINFOW si{sizeof si};
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = zapis;
    si.hStdError = zapis;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi{};
    SetEnvironmentVariableW(kPromennaDpi, std::to_wstring(dpi).c_str());
    const BOOL spusteno = CreateProcessW(nullptr, prikaz.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    SetEnvironmentVariableW(kPromennaDpi, nullptr);
    CloseHandle(zapis);
    if (!spusteno) {
        CloseHandle(cteni);
        FAIL() << "CreateProcess failed with " << GetLastError();
    }
    DWORD kod = STILL_ACTIVE;
    {
        Vystup vystup(cteni);
        if (WaitForSingleObject(pi.hProcess, kLimitDiteteMs) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 3);
        WaitForSingleObject(pi.hProcess, INFINITE);
        GetExitCodeProcess(pi.hProcess, &kod);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        const std::string& text = vystup.Cele();
        EXPECT_EQ(0u, kod) << text;
        // A filter that names no test would pass without checking anything.
        if (kod == 0) {
            EXPECT_NE(std::string::npos, text.find("[  PASSED  ] 1 test.")) << text;
        }
    }
}
