#pragma once
// The program's own memory: the main window playing a file, and after a burst of steps back,
// each in a process of its own, less what the same program takes showing a 2 x 2 GIF (the
// platform's own share).

namespace Bench {

void VlastniPamet();
// The child: plays the file in the main window for a few seconds, steps back `kroku` times,
// and prints "working-set-KB-playing working-set-KB-after-steps".
int VlastniPametDite(const wchar_t* cesta, int kroku);

} // namespace Bench
