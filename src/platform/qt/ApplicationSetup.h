#pragma once

// Names the program to the desktop and keeps it running without a window.
// Called right after the QApplication is made, before anything asks where
// the program's files go.
void SetUpApplication();
