#pragma once
// The program's message loop: shortcuts first, the update rules whenever the
// queue runs empty.
#include "app/win32/main.h"

// Runs until the main window is gone; the exit code of the program.
int RunMessageLoop(TMainForm& form);
// Handles every message waiting now, then runs the idle step once.
void PumpMessages(TMainForm& form);
