// The client's files that only need to be there with a version: the locale DLL and the uninstaller.
// The DLL exports nothing, so a class registered to it cannot be created.
#ifdef DOUBLE_EXECUTABLE
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
#endif
