#pragma once
// The open and save dialogs: the platform's common item dialogs, created afresh for every
// run and shown modally over the owner. Nothing of a previous run is remembered.
#include <windows.h>
#include <shobjidl.h>

#include <optional>
#include <string>

// The chosen full path, or nothing when the user cancels or the path cannot be read.
std::optional<std::wstring> ShowOpenDialog(HWND owner);
// Offers the image formats with "PNG" preselected and "png" as the default extension.
std::optional<std::wstring> ShowSaveDialog(HWND owner);

// S_OK with path set to the shown dialog's file-system path; otherwise the failing call's
// code (E_FAIL when that code is not itself a failure).
HRESULT GetDialogResultPath(IFileDialog* dialog, std::wstring& path);
