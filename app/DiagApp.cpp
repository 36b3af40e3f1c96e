// The application: initialises the common controls and runs the main dialog; when it closes, the
// program ends.
#include <windows.h>

#include <commctrl.h>

#include "app/DiagDlg.h"

class CDiagApp {
public:
  void InitInstance();
};

void CDiagApp::InitInstance() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  CDiagDlg dialog;
  dialog.DoModal();
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CDiagApp app;
  app.InitInstance();
  return 0;
}
