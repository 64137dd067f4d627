// The About dialog and the enabling dialog.
#include "app/Application_win32.h"
#include "editor/DialogControls_win32.h"
#include "resources/resource.h"

namespace {

// The boxes mirror the choice: absent joysticks' boxes are disabled and unticked.
void ShowChoice(HWND dialog, const EnableChoice& choice) {
    for (int id = 0; id < MaxJoysticks; ++id) {
        CheckDlgButton(dialog, IDC_ENABLE_FIRST + id,
                       choice.IsTicked(id) ? BST_CHECKED : BST_UNCHECKED);
        EnableWindow(GetDlgItem(dialog, IDC_ENABLE_FIRST + id), choice.IsAvailable(id));
    }
}

// Every box listed at opening, also of a joystick that has left since; the choice ignores the
// others.
void ReadChoice(HWND dialog, EnableChoice& choice) {
    for (int id = 0; id < MaxJoysticks; ++id) {
        choice.SetTicked(id, IsDlgButtonChecked(dialog, IDC_ENABLE_FIRST + id) == BST_CHECKED);
    }
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ShellDialogContext* context = DialogContextOf<ShellDialogContext>(dialog, message, lParam);
    if (!context) return FALSE;
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return HandleDragMessage(dialog, message, context->drag);
}

INT_PTR CALLBACK EnableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    EnableDialogContext* context = DialogContextOf<EnableDialogContext>(dialog, message, lParam);
    if (!context) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            ShowChoice(dialog, context->choice);
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                ReadChoice(dialog, context->choice);
                context->choice.WriteBack(context->app.state);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, IDCANCEL);
            return LOWORD(wParam) == IDCANCEL;
        default:
            return HandleDragMessage(dialog, message, context->drag);
    }
}
