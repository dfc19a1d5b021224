#pragma once
// The keys of the export and clipboard commands, for a window's key handling to call:
// Ctrl+C copies the frame, Ctrl+Shift+C the file, Ctrl+Shift+S exports the frames.
#include <windows.h>

// The command of the key with those modifiers held, or 0 when the key is none of them.
UINT PrikazKlavesyExportu(UINT klavesa, bool ctrl, bool shift, bool alt);
// The same for a key pressed now (WM_KEYDOWN), reading the modifiers as they are held.
UINT PrikazStiskuExportu(UINT klavesa);
