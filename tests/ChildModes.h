#pragma once
// Modes in which the test executable runs as a child process of a test, so that paths
// which end the process (the fatal report, start-up failures) can be watched from outside.
#include <windows.h>

#include <string>

// Runs the named child mode; returns its exit code (many modes never return).
int RunChildMode(const wchar_t* name, int argc, wchar_t** argv);

// Starts this test executable as a child in the given mode and returns its process handle.
struct ChildProcess {
    HANDLE process = nullptr;
    DWORD id = 0;
    ~ChildProcess();
    DWORD WaitForExit(DWORD timeoutMs); // STILL_ACTIVE on time-out
};
bool StartChild(const std::wstring& mode, const std::wstring& args, ChildProcess& child);
