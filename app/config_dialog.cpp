#include <cstdio>

#include "app.h"
#include "count_text.h"
#include "scene.h"

static const int kCountField = 1005;

BOOL RegisterConfigClasses(HINSTANCE) { return TRUE; }

static void ShowStoredCount(HWND dialog) {
  LoadSettings();
  char text[64];
  std::snprintf(text, sizeof(text), "%d", static_cast<int>(numSatellites));
  SetDlgItemTextA(dialog, kCountField, text);
}

static void StoreTypedCount(HWND dialog) {
  char text[32];  // at most 31 characters of the field are read
  GetDlgItemTextA(dialog, kCountField, text, sizeof(text));
  numSatellites = ParseCountText(text);
  SaveSettings();
}

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowStoredCount(dialog);
      return TRUE;  // the focus goes to the first tab stop, OK
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          StoreTypedCount(dialog);
          EndDialog(dialog, 1);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, 0);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}
