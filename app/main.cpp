#include <windows.h>

// Start-up placeholder until the main window exists.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "The main window is not built yet.", "Dozewell", MB_OK | MB_ICONINFORMATION);
  return 0;
}
