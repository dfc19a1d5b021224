#pragma once
// Checks at another DPI. Wine gives every process the DPI that the prefix's LogPixels value
// says when the process starts, and the prefix is shared by all tests: a test sets the value,
// runs its checks in a child process of the test executable (a test of the PriDpi suites,
// which the suite's own list leaves out), and puts the old value back whatever happens.
#include <windows.h>

#include <string>

// The DPI a child started by SpustitPriDpi was started for; 0 in any other process.
UINT DpiDitete();

// Runs the test of the test executable named by the filter in a child process under the given
// DPI; the child's failures become the calling test's, with the child's output.
void SpustitPriDpi(UINT dpi, const char* filtr);
