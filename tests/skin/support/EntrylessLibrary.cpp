// A library that loads but has no SkinH_AttachEx: what the program must stop on
// when it finds it beside itself.
#include <windows.h>

extern "C" __declspec(dllexport) int WINAPI SkinH_Unrelated() { return 0; }
