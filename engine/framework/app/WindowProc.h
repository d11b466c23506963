#pragma once
// The window procedure of the program's window and the process-wide state it keeps: the one
// application that receives messages (none until start-up has finished) and the two button
// flags the frame reads every frame.

#include "platform/win32.h"

namespace TarnEngine {

class SApplication;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

SApplication* GetApplication();
void SetApplication(SApplication* application);
// Clears the pointer only while it still designates this application.
void ClearApplication(SApplication* application);

bool IsLeftButtonDown();
bool IsRightButtonDown();

} // namespace TarnEngine
