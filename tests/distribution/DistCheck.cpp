// Checks of an installed, an uninstalled and a portable Animora, run by the distribution test
// scripts inside a Wine prefix of their own:   animora_dist_check.exe COMMAND [ARGUMENTS]
// Every command reports each fault it finds on stderr and exits with the number of faults.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "winlib/Handles.h"

using Tarnel::WinApi::ComApartment;
using Tarnel::WinApi::ComPtr;
using Tarnel::WinApi::CoTaskMem;
using Tarnel::WinApi::KernelHandle;
using Tarnel::WinApi::RegKey;

namespace {

const std::wstring kClasses = L"Software\\Classes\\";
const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Animora";
const std::wstring kProgId = L"Animora.gif";
const std::wstring kApplication = L"Applications\\Animora.exe";
const std::wstring kGifKey = kClasses + L".gif";
const std::wstring kOpenWithProgids = kGifKey + L"\\OpenWithProgids";
// Stands for the program the user had chosen for GIF files before installing Animora.
const std::wstring kOtherViewer = L"JinyProhlizec.gif";
const std::wstring kSettingsKey = L"Software\\Tarnel\\Animora\\1";
const wchar_t kSettingsValue[] = L"rychlostAnimace";
const DWORD kSettingsData = 250;
const DWORD kWindowTimeoutMs = 15000;

int faults = 0;

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void Fault(const std::wstring& what)
{
    ++faults;
    fprintf(stderr, "FAULT: %s\n", Utf8(what).c_str());
}

void Expect(bool ok, const std::wstring& what)
{
    if (!ok) Fault(what);
}

void ExpectEqual(const std::wstring& actual, const std::wstring& expected, const std::wstring& what)
{
    if (actual != expected) Fault(what + L" is \"" + actual + L"\", expected \"" + expected + L"\"");
}

bool SameText(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// File and snapshot functions fail with INVALID_HANDLE_VALUE, which the holder must not close.
HANDLE Platny(HANDLE handle) { return handle == INVALID_HANDLE_VALUE ? nullptr : handle; }

// ---- registry ----------------------------------------------------------------------------

struct RegValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    std::wstring Text() const
    {
        if (type != REG_SZ && type != REG_EXPAND_SZ) return L"<not a string>";
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
        while (!text.empty() && text.back() == L'\0') text.pop_back();
        return text;
    }
};

std::optional<RegValue> ReadValue(HKEY root, const std::wstring& key, const wchar_t* name)
{
    RegValue value;
    DWORD size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    if (RegGetValueW(root, key.c_str(), name, flags, &value.type, nullptr, &size) != ERROR_SUCCESS) return {};
    value.data.resize(size);
    if (RegGetValueW(root, key.c_str(), name, flags, &value.type, value.data.data(), &size) != ERROR_SUCCESS)
        return {};
    value.data.resize(size);
    return value;
}

bool KeyExists(HKEY root, const std::wstring& key)
{
    RegKey opened;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Receive()) == ERROR_SUCCESS;
}

std::wstring ValueName(const std::wstring& key, const wchar_t* name)
{
    return L"HKCU\\" + key + L" [" + (name ? name : L"(default)") + L"]";
}

void ExpectString(const std::wstring& key, const wchar_t* name, const std::wstring& expected)
{
    const auto value = ReadValue(HKEY_CURRENT_USER, key, name);
    if (!value) return Fault(ValueName(key, name) + L" is missing");
    ExpectEqual(value->Text(), expected, ValueName(key, name));
}

void ExpectDword(const std::wstring& key, const wchar_t* name, DWORD expected)
{
    const auto value = ReadValue(HKEY_CURRENT_USER, key, name);
    if (!value) return Fault(ValueName(key, name) + L" is missing");
    if (value->type != REG_DWORD) return Fault(ValueName(key, name) + L" is not a DWORD");
    const DWORD actual = *reinterpret_cast<const DWORD*>(value->data.data());
    Expect(actual == expected, ValueName(key, name) + L" is " + std::to_wstring(actual) + L", expected " +
                                   std::to_wstring(expected));
}

void ExpectValueOfType(const std::wstring& key, const wchar_t* name, DWORD type)
{
    const auto value = ReadValue(HKEY_CURRENT_USER, key, name);
    if (!value) return Fault(ValueName(key, name) + L" is missing");
    Expect(value->type == type, ValueName(key, name) + L" has type " + std::to_wstring(value->type) +
                                    L", expected " + std::to_wstring(type));
}

void ExpectNoValue(const std::wstring& key, const wchar_t* name)
{
    Expect(!ReadValue(HKEY_CURRENT_USER, key, name), ValueName(key, name) + L" is still there");
}

void ExpectNoKey(HKEY root, const std::wstring& key, const wchar_t* rootName)
{
    Expect(!KeyExists(root, key), std::wstring(rootName) + L"\\" + key + L" exists");
}

// ---- files ---------------------------------------------------------------------------------

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    CoTaskMem<wchar_t> path;
    if (FAILED(SHGetKnownFolderPath(id, 0, nullptr, path.Receive()))) return L"<no known folder>";
    return path.Get();
}

std::wstring InstallDir() { return KnownFolder(FOLDERID_LocalAppData) + L"\\Programs\\Animora"; }
std::wstring InstalledExe() { return InstallDir() + L"\\Animora.exe"; }
std::wstring Uninstaller() { return InstallDir() + L"\\Odinstalovat.exe"; }
std::wstring ShortcutPath() { return KnownFolder(FOLDERID_Programs) + L"\\Animora.lnk"; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

struct FolderEntry {
    std::wstring name;
    ULONGLONG bytes;
};

std::vector<FolderEntry> FolderEntries(const std::wstring& folder)
{
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        entries.push_back({name, (ULONGLONG{found.nFileSizeHigh} << 32) | found.nFileSizeLow});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

std::string ReadBytes(const std::wstring& path)
{
    KernelHandle file(
        Platny(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr)));
    std::string data;
    if (!file) return data;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got) data.append(buffer, got);
    return data;
}

// The four numbers of the file's version resource, as "1.2.3.4".
std::wstring FileVersion(const std::wstring& path)
{
    DWORD ignored = 0;
    std::vector<BYTE> info(GetFileVersionInfoSizeW(path.c_str(), &ignored));
    if (info.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()))
        return L"<no version resource>";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) || size < sizeof *fixed)
        return L"<no fixed version>";
    return std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." + std::to_wstring(LOWORD(fixed->dwFileVersionMS)) +
           L"." + std::to_wstring(HIWORD(fixed->dwFileVersionLS)) + L"." +
           std::to_wstring(LOWORD(fixed->dwFileVersionLS));
}

// ---- the program's window, in another process ----------------------------------------------

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner != search->processId || wcscmp(className, L"Animora") != 0 || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND WaitForMainWindow(HANDLE process)
{
    WindowSearch search{GetProcessId(process), nullptr};
    const ULONGLONG end = GetTickCount64() + kWindowTimeoutMs;
    while (!search.found && GetTickCount64() < end && WaitForSingleObject(process, 50) == WAIT_TIMEOUT)
        EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A status bar part's text: the bar lives in the other process, so the text is fetched
// through a buffer allocated there.
std::wstring StatusText(HWND bar, HANDLE process, int part)
{
    const size_t length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0));
    const SIZE_T bytes = (length + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote) return L"<no memory in the program's process>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR ignored = 0;
    SIZE_T read = 0;
    const bool ok = SendMessageTimeoutW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                        5000, &ignored) &&
                    ReadProcessMemory(process, remote, text.data(), bytes, &read);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (!ok) return L"<status bar did not answer>";
    text.resize(wcsnlen(text.c_str(), length));
    return text;
}

bool WaitForStatusText(HWND bar, HANDLE process, const std::wstring& wanted, std::wstring& last)
{
    const ULONGLONG end = GetTickCount64() + kWindowTimeoutMs;
    do {
        last = StatusText(bar, process, 0);
        if (last.find(wanted) != std::wstring::npos) return true;
        Sleep(50);
    } while (GetTickCount64() < end);
    return false;
}

// Closes the program as a user closes it; it must end with exit code 0.
void CloseProgram(HWND window, HANDLE process)
{
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process, kWindowTimeoutMs) != WAIT_OBJECT_0) {
        TerminateProcess(process, 3);
        return Fault(L"Animora did not end after WM_CLOSE");
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    Expect(code == 0, L"Animora ended with exit code " + std::to_wstring(code));
}

// The program has come up showing the file (when one is given); then it is closed.
void WatchProgram(HANDLE process, const std::wstring& file)
{
    HWND window = WaitForMainWindow(process);
    if (!window) return Fault(L"no Animora main window appeared");
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    ExpectEqual(title, L"Animora", L"the window title");
    if (!file.empty()) {
        HWND bar = FindWindowExW(window, nullptr, STATUSCLASSNAMEW, nullptr);
        std::wstring text;
        if (!bar) {
            Fault(L"the main window has no status bar");
        } else if (!WaitForStatusText(bar, process, file, text)) {
            Fault(L"the status bar shows \"" + text + L"\", not " + file);
        }
    }
    CloseProgram(window, process);
}

bool StartProcess(std::wstring command, const wchar_t* folder, PROCESS_INFORMATION& pi)
{
    STARTUPINFOW si{sizeof si};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi)) return false;
    CloseHandle(pi.hThread);
    return true;
}

// ---- the state after installing -------------------------------------------------------------

void CheckInstalledFiles(const std::wstring& version, const std::wstring& sourceExe)
{
    std::vector<std::wstring> names;
    for (const auto& entry : FolderEntries(InstallDir())) names.push_back(entry.name);
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
    const std::vector<std::wstring> expected = {L"Animora.exe", L"Odinstalovat.exe"};
    std::wstring listed;
    for (const auto& name : names) listed += L" " + name;
    Expect(names.size() == expected.size() && SameText(names[0], expected[0]) && SameText(names[1], expected[1]),
           L"the installation folder " + InstallDir() + L" holds:" + listed);
    const std::string installed = ReadBytes(InstalledExe());
    Expect(!installed.empty() && installed == ReadBytes(sourceExe), L"the installed Animora.exe differs from " + sourceExe);
    ExpectEqual(FileVersion(InstalledExe()), version, L"the version resource of the installed Animora.exe");
}

void CheckShortcut()
{
    if (!Exists(ShortcutPath())) return Fault(L"no Start menu shortcut " + ShortcutPath());
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())) ||
        FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())) ||
        FAILED(file->Load(ShortcutPath().c_str(), STGM_READ)))
        return Fault(L"the shortcut cannot be read");
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {}, icon[MAX_PATH] = {};
    int iconIndex = -1;
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    link->GetIconLocation(icon, MAX_PATH, &iconIndex);
    Expect(SameText(target, InstalledExe()), L"the shortcut points to " + std::wstring(target));
    Expect(SameText(folder, InstallDir()), L"the shortcut starts in " + std::wstring(folder));
    Expect(SameText(icon, InstalledExe()) && iconIndex == 0, L"the shortcut's icon is " + std::wstring(icon));
}

void CheckUninstallEntry(const std::wstring& version)
{
    const std::wstring uninstaller = L"\"" + Uninstaller() + L"\"";
    ExpectString(kUninstallKey, L"DisplayName", L"Animora");
    ExpectString(kUninstallKey, L"DisplayVersion", version);
    ExpectString(kUninstallKey, L"Publisher", L"Tarnel");
    ExpectString(kUninstallKey, L"DisplayIcon", InstalledExe() + L",0");
    ExpectString(kUninstallKey, L"InstallLocation", InstallDir());
    ExpectString(kUninstallKey, L"UninstallString", uninstaller);
    ExpectString(kUninstallKey, L"QuietUninstallString", uninstaller + L" /S");
    ExpectDword(kUninstallKey, L"NoModify", 1);
    ExpectDword(kUninstallKey, L"NoRepair", 1);
    ULONGLONG bytes = 0;
    for (const auto& entry : FolderEntries(InstallDir())) bytes += entry.bytes;
    const auto size = ReadValue(HKEY_CURRENT_USER, kUninstallKey, L"EstimatedSize");
    const DWORD kb = size && size->type == REG_DWORD ? *reinterpret_cast<const DWORD*>(size->data.data()) : 0;
    // In KB; the setup rounds each file down, so it may fall short by a little.
    Expect(kb <= bytes / 1024 + 1 && kb + 4 >= bytes / 1024,
           L"EstimatedSize is " + std::to_wstring(kb) + L" KB for " + std::to_wstring(bytes) + L" bytes");
}

void CheckOpenWith(bool otherViewer)
{
    const std::wstring command = L"\"" + InstalledExe() + L"\" \"%1\"";
    const std::wstring icon = InstalledExe() + L",0";
    const std::wstring application = kClasses + kApplication;
    ExpectString(application + L"\\shell\\open\\command", nullptr, command);
    ExpectString(application, L"FriendlyAppName", L"Animora");
    ExpectString(application + L"\\DefaultIcon", nullptr, icon);
    ExpectValueOfType(application + L"\\SupportedTypes", L".gif", REG_SZ);
    const std::wstring progId = kClasses + kProgId;
    ExpectString(progId + L"\\shell\\open\\command", nullptr, command);
    ExpectString(progId + L"\\DefaultIcon", nullptr, icon);
    ExpectString(progId, nullptr, L"Animovaný obrázek GIF");
    ExpectValueOfType(kOpenWithProgids, kProgId.c_str(), REG_NONE);
    // Listed among the alternatives, never made the default.
    if (otherViewer) {
        ExpectString(kGifKey, nullptr, kOtherViewer);
        ExpectValueOfType(kOpenWithProgids, kOtherViewer.c_str(), REG_NONE);
    } else {
        ExpectNoValue(kGifKey, nullptr);
    }
}

void CheckNothingMachineWide()
{
    ExpectNoKey(HKEY_LOCAL_MACHINE, kUninstallKey, L"HKLM");
    ExpectNoKey(HKEY_LOCAL_MACHINE, kClasses + kProgId, L"HKLM");
    ExpectNoKey(HKEY_LOCAL_MACHINE, kClasses + kApplication, L"HKLM");
}

// ---- setup and uninstaller runs --------------------------------------------------------------

DWORD WaitForExit(HANDLE process, const std::wstring& what)
{
    DWORD code = STILL_ACTIVE;
    Expect(WaitForSingleObject(process, 60000) == WAIT_OBJECT_0, what + L" did not end");
    GetExitCodeProcess(process, &code);
    return code;
}

// Runs a command to its end. The uninstaller copies itself to the temporary folder, starts
// the copy and ends at once, and the copy does the work: so the children the command left
// behind are waited for as well. Returns the exit code of the one that did the work.
std::optional<DWORD> RunToEnd(const std::wstring& command)
{
    PROCESS_INFORMATION pi{};
    if (!StartProcess(command, nullptr, pi)) return Fault(L"cannot start " + command), std::nullopt;
    KernelHandle process(pi.hProcess);
    DWORD code = WaitForExit(pi.hProcess, command);
    KernelHandle snapshot(Platny(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)));
    PROCESSENTRY32W entry{sizeof entry};
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID != pi.dwProcessId) continue;
        KernelHandle child(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        if (child.Get()) code = WaitForExit(child.Get(), L"the process " + std::wstring(entry.szExeFile));
    }
    return code;
}

std::optional<std::wstring> QuietUninstallCommand()
{
    const auto quiet = ReadValue(HKEY_CURRENT_USER, kUninstallKey, L"QuietUninstallString");
    if (!quiet) return Fault(L"no QuietUninstallString"), std::nullopt;
    return quiet->Text();
}

int RunQuietUninstall()
{
    const auto command = QuietUninstallCommand();
    if (!command) return faults;
    const auto code = RunToEnd(*command);
    Expect(code == 0u, L"the uninstaller ended with exit code " + std::to_wstring(code.value_or(0)));
    return faults;
}

// Runs the command while the installed program is open, and prints the command's exit code.
int WhileRunning(const std::wstring& command)
{
    PROCESS_INFORMATION pi{};
    if (!StartProcess(L"\"" + InstalledExe() + L"\"", nullptr, pi)) return Fault(L"cannot start Animora"), faults;
    KernelHandle process(pi.hProcess);
    HWND window = WaitForMainWindow(pi.hProcess);
    if (!window) return Fault(L"no Animora main window appeared"), faults;
    if (const auto code = RunToEnd(command)) printf("%lu\n", static_cast<unsigned long>(*code));
    CloseProgram(window, pi.hProcess);
    return faults;
}

// ---- commands ---------------------------------------------------------------------------

bool OtherViewerArgument(const wchar_t* argument)
{
    if (wcscmp(argument, L"with-other-viewer") == 0) return true;
    if (wcscmp(argument, L"alone") != 0) Fault(L"expected with-other-viewer or alone, not " + std::wstring(argument));
    return false;
}

int SeedOtherViewer()
{
    const std::wstring name = kOtherViewer;
    const auto bytes = static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t));
    Expect(RegSetKeyValueW(HKEY_CURRENT_USER, kGifKey.c_str(), nullptr, REG_SZ, name.c_str(), bytes) == ERROR_SUCCESS &&
               RegSetKeyValueW(HKEY_CURRENT_USER, kOpenWithProgids.c_str(), name.c_str(), REG_NONE, nullptr, 0) ==
                   ERROR_SUCCESS,
           L"cannot register the other viewer");
    return faults;
}

int ForgetOtherViewer()
{
    const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, kGifKey.c_str());
    Expect(status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND, L"cannot delete HKCU\\" + kGifKey);
    return faults;
}

int KeepSettings()
{
    Expect(RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey.c_str(), kSettingsValue, REG_DWORD, &kSettingsData,
                           sizeof kSettingsData) == ERROR_SUCCESS,
           L"cannot write the settings value");
    return faults;
}

int PrintDisplayVersion()
{
    const auto version = ReadValue(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion");
    if (!version) return Fault(L"no DisplayVersion"), faults;
    printf("%s\n", Utf8(version->Text()).c_str());
    return faults;
}

int Installed(const std::wstring& version, const std::wstring& sourceExe, bool otherViewer)
{
    CheckInstalledFiles(version, sourceExe);
    CheckShortcut();
    CheckUninstallEntry(version);
    CheckOpenWith(otherViewer);
    CheckNothingMachineWide();
    return faults;
}

int Uninstalled(bool otherViewer)
{
    Expect(!Exists(InstallDir()), L"the installation folder is still there");
    Expect(!Exists(ShortcutPath()), L"the Start menu shortcut is still there");
    ExpectNoKey(HKEY_CURRENT_USER, kUninstallKey, L"HKCU");
    ExpectNoKey(HKEY_CURRENT_USER, kClasses + kApplication, L"HKCU");
    ExpectNoKey(HKEY_CURRENT_USER, kClasses + kProgId, L"HKCU");
    if (otherViewer) {
        ExpectNoValue(kOpenWithProgids, kProgId.c_str());
        ExpectString(kGifKey, nullptr, kOtherViewer);
        ExpectValueOfType(kOpenWithProgids, kOtherViewer.c_str(), REG_NONE);
    } else {
        // The setup made these keys, so they go.
        ExpectNoKey(HKEY_CURRENT_USER, kGifKey, L"HKCU");
        ExpectNoKey(HKEY_CURRENT_USER, kClasses + L"Applications", L"HKCU");
    }
    ExpectDword(kSettingsKey, kSettingsValue, kSettingsData);
    return faults;
}

// Opens the file the way Explorer does for a file type's "open" verb. The class is given by
// its per-user key: Wine's HKEY_CLASSES_ROOT does not include the per-user classes, so a
// class name would not be found there, while Windows merges both into the same view.
int OpenThroughClass(const std::wstring& className, const std::wstring& file)
{
    RegKey classKey;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, (kClasses + className).c_str(), 0, KEY_READ, classKey.Receive()) !=
        ERROR_SUCCESS)
        return Fault(L"no class HKCU\\" + kClasses + className), faults;
    SHELLEXECUTEINFOW sei{sizeof sei};
    sei.fMask = SEE_MASK_CLASSKEY | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    sei.lpVerb = L"open";
    sei.lpFile = file.c_str();
    sei.hkeyClass = classKey.Get();
    sei.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&sei) || !sei.hProcess)
        return Fault(L"the shell did not open " + file + L" with " + className), faults;
    KernelHandle process(sei.hProcess);
    WatchProgram(process.Get(), file);
    return faults;
}

// Starts the program from a folder of its own, away from the current directory.
int Start(const std::wstring& exe, const std::wstring& file)
{
    const std::wstring command = L"\"" + exe + L"\"" + (file.empty() ? L"" : L" \"" + file + L"\"");
    PROCESS_INFORMATION pi{};
    if (!StartProcess(command, KnownFolder(FOLDERID_Windows).c_str(), pi)) return Fault(L"cannot start " + exe), faults;
    KernelHandle process(pi.hProcess);
    WatchProgram(pi.hProcess, file);
    return faults;
}

int Usage()
{
    fprintf(stderr, "usage: animora_dist_check COMMAND [ARGUMENTS]\n"
                    "  seed-other-viewer | forget-other-viewer | keep-settings | display-version\n"
                    "  installed VERSION SOURCE_EXE with-other-viewer|alone\n"
                    "  open CLASS FILE          (CLASS below HKCU\\Software\\Classes)\n"
                    "  uninstall | uninstalled with-other-viewer|alone\n"
                    "  while-running setup SETUP | while-running uninstall   (prints the exit code)\n"
                    "  start EXE [FILE]\n");
    return 100;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    ComApartment com;
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    const int extra = argc - 2;
    wchar_t** args = argv + 2;
    if (command == L"seed-other-viewer") return SeedOtherViewer();
    if (command == L"forget-other-viewer") return ForgetOtherViewer();
    if (command == L"keep-settings") return KeepSettings();
    if (command == L"display-version") return PrintDisplayVersion();
    if (command == L"uninstall") return RunQuietUninstall();
    if (command == L"installed" && extra == 3) return Installed(args[0], args[1], OtherViewerArgument(args[2]));
    if (command == L"uninstalled" && extra == 1) return Uninstalled(OtherViewerArgument(args[0]));
    if (command == L"open" && extra == 2) return OpenThroughClass(args[0], args[1]);
    if (command == L"while-running" && extra == 2 && wcscmp(args[0], L"setup") == 0)
        return WhileRunning(L"\"" + std::wstring(args[1]) + L"\" /S");
    if (command == L"while-running" && extra == 1 && wcscmp(args[0], L"uninstall") == 0) {
        const auto uninstall = QuietUninstallCommand();
        return uninstall ? WhileRunning(*uninstall) : faults;
    }
    if (command == L"start" && (extra == 1 || extra == 2)) return Start(args[0], extra == 2 ? args[1] : L"");
    return Usage();
}
