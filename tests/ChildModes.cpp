#include "tests/ChildModes.h"

#include <map>

#include "app/Aplikace.h"
#include "app/OknoHlavni.h"
#include "frames/ModulPrehledFrames.h"
#include "resources/resource.h"
#include "tests/SelhavajiciAlokace.h"
#include "tests/TestSupport.h"
#include "winlib/Chyby.h"
#include "winlib/StaticNadpis.h"

using ChildFn = int (*)(int argc, wchar_t** argv);

namespace {

// Redirects HKEY_CURRENT_USER of this process to the key the parent named, so that the parent
// can read what the child stored after the child is gone.
bool RegistrNaKlici(const wchar_t* cesta)
{
    HKEY klic = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, cesta, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &klic, nullptr) != ERROR_SUCCESS)
        return false;
    return RegOverridePredefKey(HKEY_CURRENT_USER, klic) == ERROR_SUCCESS;
}

// Start-up as the program runs it, with no file, and the main window closed by the user.
int ZavritHlavniOkno()
{
    PostMessageW(oknoHlavni.Handle(), WM_CLOSE, 0, 0);
    const int kod = SpustitSmyckuZprav();
    const HRESULT hr = aplikace.Shutdown();
    return hr != S_OK ? static_cast<int>(hr) : kod;
}

HRESULT HresultArgument(int argc, wchar_t** argv)
{
    return argc > 0 ? static_cast<HRESULT>(wcstoul(argv[0], nullptr, 16)) : E_FAIL;
}

// Declines every failure, as the program's own application object does.
class DecliningHook : public Tarnel::WinApi::FatalErrorHook {
public:
    HRESULT OnFatalError(const wchar_t*) override { return E_NOTIMPL; }
};

// Every child mode the tests use; a mode ends the process itself or returns its exit code.
const std::map<std::wstring, ChildFn>& Modes()
{
    static const std::map<std::wstring, ChildFn> modes = {
        {L"raise-fatal",
         [](int argc, wchar_t** argv) -> int {
             Tarnel::WinApi::RaiseFatal(HresultArgument(argc, argv));
         }},
        {L"raise-last-error",
         [](int argc, wchar_t** argv) -> int {
             SetLastError(argc > 0 ? wcstoul(argv[0], nullptr, 10) : 0);
             Tarnel::WinApi::RaiseLastError();
         }},
        // A visible top-level window of the reporting thread: the task-modal box disables it.
        {L"raise-fatal-over-window",
         [](int argc, wchar_t** argv) -> int {
             CreateWindowExW(0, L"STATIC", L"fatal-over-window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
             Tarnel::WinApi::RaiseFatal(HresultArgument(argc, argv));
         }},
        // The heap is exhausted: the report must still reach its box without allocating.
        {L"raise-fatal-out-of-memory",
         [](int argc, wchar_t** argv) -> int {
             const HRESULT hr = HresultArgument(argc, argv);
             SelhavajiciAlokace::Zapnout();
             Tarnel::WinApi::RaiseFatal(hr);
         }},
        // Start-up with no memory left: the quiet start-up failure, not a terminate.
        {L"startup-out-of-memory",
         [](int, wchar_t**) -> int {
             static Aplikace app;
             SelhavajiciAlokace::Zapnout();
             // The test framework's own teardown would allocate; the result is all that counts.
             ExitProcess(static_cast<UINT>(app.Startup()));
             return 0;
         }},
        // The main window closed while the overview thread does not end (its file dialog waits
        // on a drive that does not answer): the thread stands still here.
        {L"close-with-stuck-overview",
         [](int argc, wchar_t** argv) -> int {
             if (argc < 1 || !RegistrNaKlici(argv[0])) return 10;
             if (aplikace.Startup() != S_OK) return 11;
             SendMessageW(oknoHlavni.Handle(), WM_COMMAND, MAKEWPARAM(ID_NASTROJE_PREHLEDOBRAZKU, 0), 0);
             HWND okno = nullptr;
             TestSupport::PumpUntil([&] { return (okno = modulPrehledFrames.OknoPrehledu()) != nullptr; }, 15000);
             if (!okno) return 12;
             Sleep(300); // let it settle in its message loop, where it holds no lock
             HANDLE vlakno = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(okno, nullptr));
             if (!vlakno || SuspendThread(vlakno) == static_cast<DWORD>(-1)) return 13;
             ZavritHlavniOkno();
             return 14; // the program must not wait for ever, nor get here with the thread alive
         }},
        // The placement key may not be written (a volatile parent key): closing is still normal.
        {L"close-with-refused-placement",
         [](int argc, wchar_t** argv) -> int {
             if (argc < 1 || !RegistrNaKlici(argv[0])) return 10;
             HKEY volatilni = nullptr;
             if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Tarnel\\Animora\\1", 0, nullptr, REG_OPTION_VOLATILE,
                                 KEY_ALL_ACCESS, nullptr, &volatilni, nullptr) != ERROR_SUCCESS)
                 return 11;
             RegCloseKey(volatilni);
             if (aplikace.Startup() != S_OK) return 12;
             return ZavritHlavniOkno();
         }},
        // A failure that repeats on every tick of a timer while the first report is up.
        {L"raise-fatal-twice",
         [](int argc, wchar_t** argv) -> int {
             static HRESULT hr = HresultArgument(argc, argv);
             SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) { Tarnel::WinApi::RaiseFatal(hr); });
             Tarnel::WinApi::RaiseFatal(hr);
         }},
        {L"raise-fatal-hook-declines",
         [](int argc, wchar_t** argv) -> int {
             static DecliningHook hook;
             Tarnel::WinApi::SetFatalErrorHook(&hook);
             Tarnel::WinApi::RaiseFatal(HresultArgument(argc, argv));
         }},
        // A heading given a face name of the length asked for ("detached": a heading never
        // attached); exits 0 when the font carries the name, unless the report ends it first.
        {L"heading-face",
         [](int argc, wchar_t** argv) -> int {
             static Knihovna::StaticNadpis heading;
             const bool detached = argc > 0 && wcscmp(argv[0], L"detached") == 0;
             const std::wstring face(argc > 0 && !detached ? wcstoul(argv[0], nullptr, 10) : 2, L'f');
             HWND label = CreateWindowExW(0, L"STATIC", L"heading", WS_POPUP, 0, 0, 200, 40, nullptr, nullptr,
                                          GetModuleHandleW(nullptr), nullptr);
             if (!detached) heading.Pripojit(label);
             heading.NastavitPismo(face.c_str());
             LOGFONTW font{};
             GetObjectW(heading.Pismo(), sizeof font, &font);
             return face == font.lfFaceName ? 0 : 1;
         }},
        // Stands in for the program a link opens: writes the show state it was started with
        // and its last argument into the file named by its first argument.
        {L"record-start",
         [](int argc, wchar_t** argv) -> int {
             if (argc < 2) return 2;
             STARTUPINFOW start{sizeof start};
             GetStartupInfoW(&start);
             const unsigned shown = (start.dwFlags & STARTF_USESHOWWINDOW) ? start.wShowWindow : 0xFFFFu;
             const std::wstring record = std::to_wstring(shown) + L" " + argv[argc - 1];
             // Written aside and renamed, so that the waiting test never reads half of it.
             const std::wstring aside = std::wstring(argv[0]) + L".part";
             if (!TestSupport::WriteBytes(aside, record.data(), record.size() * sizeof(wchar_t))) return 3;
             return MoveFileExW(aside.c_str(), argv[0], MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
         }},
    };
    return modes;
}
} // namespace

int RunChildMode(const wchar_t* name, int argc, wchar_t** argv)
{
    auto it = Modes().find(name);
    return it == Modes().end() ? 2 : it->second(argc, argv);
}

ChildProcess::~ChildProcess()
{
    if (process) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 3);
        CloseHandle(process);
    }
}

DWORD ChildProcess::WaitForExit(DWORD timeoutMs)
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
}

bool StartChild(const std::wstring& mode, const std::wstring& args, ChildProcess& child)
{
    std::wstring command = L"\"" + TestSupport::ExecutablePath() + L"\" --child=" + mode + L" " + args;
    STARTUPINFOW si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    child.process = pi.hProcess;
    child.id = pi.dwProcessId;
    return true;
}
