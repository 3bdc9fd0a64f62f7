#pragma once

namespace sorvane::win32 {

// The installer records the folder it put the program in, which is not the person's to write, and its Start
// menu entry starts the program there. Started in that folder, the program works in the Documents of whoever
// started it; started anywhere else (the portable exe, a command prompt), it works in the folder it was started in.
void WorkInDocumentsWhenStartedWhereInstalled();

}  // namespace sorvane::win32
