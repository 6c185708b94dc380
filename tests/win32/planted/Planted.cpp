// A library that lies beside the test programs the way a planted DLL lies
// beside a downloaded program: it must never be loaded in place of a system
// library. It does nothing.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedLibrary() { return 1; }
