// The button configuration dialog: its procedure turns each notification into one call of the
// working state and copies into the controls the parts of the state that the call changed.
#include "editor/ButtonConfigDialog_win32.h"

#include <string>

#include "editor/DialogControls_win32.h"
#include "resources/resource.h"

namespace {

// The length edit takes two digits.
constexpr WPARAM LengthDigits = 2;

// The controls of one column: modifier list, key list, the "+" after each and the text edit.
struct ColumnControls {
    int modifier, key, firstPlus, secondPlus, text;
};
constexpr ColumnControls NormalControls = {IDC_BC_MODIFIER, IDC_BC_KEY, IDC_BC_PLUS_1,
                                           IDC_BC_PLUS_2, IDC_BC_TEXT};
constexpr ColumnControls ShiftedControls = {IDC_BC_SHIFTED_MODIFIER, IDC_BC_SHIFTED_KEY,
                                            IDC_BC_PLUS_3, IDC_BC_PLUS_4, IDC_BC_SHIFTED_TEXT};

void Check(HWND dialog, int id, bool checked) {
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void ShowColumn(HWND dialog, const ColumnControls& controls, const ColumnView& column,
                Redraw redraw) {
    if (Includes(redraw, Redraw::Selections)) {
        SelectEntry(dialog, controls.modifier, column.modifierSelection);
        SelectEntry(dialog, controls.key, column.keySelection);
    }
    // Setting the text notifies EN_CHANGE, which writes the same text back into its slot.
    if (Includes(redraw, Redraw::Texts))
        SetDlgItemTextA(dialog, controls.text, column.text.c_str());
    if (Includes(redraw, Redraw::Visibility)) {
        const int show = column.keyShown ? SW_SHOWNORMAL : SW_HIDE;
        for (int id : {controls.key, controls.firstPlus, controls.text, controls.secondPlus}) {
            ShowWindow(GetDlgItem(dialog, id), show);
        }
    }
}

// Copies the parts `redraw` names from the state into the controls; the others keep what the
// user is doing in them.
void Render(HWND dialog, const ButtonEditorState& editor, Redraw redraw) {
    if (redraw == Redraw::Nothing) return;
    const ButtonEditorView view = editor.View();
    if (redraw == Redraw::Everything) {
        SetDlgItemTextA(dialog, IDC_BC_PROFILE_NAME, view.profileName.c_str());
        FillList(dialog, IDC_BC_SHIFT_BUTTON, view.shiftButtons);
        SelectEntry(dialog, IDC_BC_SHIFT_BUTTON, view.shiftSelection);
        FillList(dialog, IDC_BC_KEY, view.keys);
        FillList(dialog, IDC_BC_SHIFTED_KEY, view.keys);
        Check(dialog, IDC_BC_SWAP_Y, view.swapY);
        Check(dialog, IDC_BC_SWAP_X, view.swapX);
        Check(dialog, IDC_BC_PROGRESSIVE, view.progressive);
        SendDlgItemMessageA(dialog, IDC_BC_MAX_CHARS, EM_LIMITTEXT, LengthDigits, 0);
        FillList(dialog, IDC_BC_STICK2_AXES, view.stick2AxesChoices);
        SelectEntry(dialog, IDC_BC_STICK2_AXES, view.stick2AxesSelection);
    }
    if (Includes(redraw, Redraw::Events)) {
        FillList(dialog, IDC_BC_EVENT, view.events);
        SelectEntry(dialog, IDC_BC_EVENT, view.selectedEvent);
    } else if (Includes(redraw, Redraw::EventChoice)) {
        SelectEntry(dialog, IDC_BC_EVENT, view.selectedEvent);
    }
    if (Includes(redraw, Redraw::ModifierLists)) {
        FillList(dialog, IDC_BC_MODIFIER, view.modifiers);
        FillList(dialog, IDC_BC_SHIFTED_MODIFIER, view.modifiers);
    }
    if (Includes(redraw, Redraw::Texts)) {
        for (int id : {IDC_BC_TEXT, IDC_BC_SHIFTED_TEXT}) {
            SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(view.textLimit), 0);
        }
    }
    ShowColumn(dialog, NormalControls, view.normal, redraw);
    ShowColumn(dialog, ShiftedControls, view.shifted, redraw);
    if (Includes(redraw, Redraw::Length)) {
        SetDlgItemInt(dialog, IDC_BC_MAX_CHARS, view.length, FALSE);
    }
}

// On opening and after the profile menu: working copies of the joystick's profile. Without them
// the dialog cannot work and ends as Cancel does.
void Open(HWND dialog, ButtonDialogContext& context) {
    const JoystickProfile* profile = context.profile();
    if (profile && context.editor.Initialise(*profile)) {
        Render(dialog, context.editor, Redraw::Everything);
        return;
    }
    if (profile) ShowDialogMessage(dialog, EditorNoMemoryMessage());
    EndDialog(dialog, IDCANCEL);
}

Redraw OnListChoice(HWND dialog, ButtonEditorState& editor, int id) {
    const int index = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
    switch (id) {
        case IDC_BC_EVENT:
            return editor.SelectEvent(index);
        case IDC_BC_MODIFIER:
            return editor.PickModifier(Column::Normal, index);
        case IDC_BC_SHIFTED_MODIFIER:
            return editor.PickModifier(Column::Shifted, index);
        case IDC_BC_KEY:
            return editor.PickKey(Column::Normal, index);
        case IDC_BC_SHIFTED_KEY:
            return editor.PickKey(Column::Shifted, index);
        case IDC_BC_STICK2_AXES:
            return editor.PickStick2Axes(index);
        default:
            return editor.PickShiftButton(index);
    }
}

Redraw OnOption(ButtonEditorState& editor, WORD notification, Option option) {
    return notification == BN_CLICKED ? editor.Toggle(option) : Redraw::Nothing;
}

Redraw OnText(HWND dialog, ButtonEditorState& editor, int id, WORD notification, Column column) {
    return notification == EN_CHANGE ? editor.SetText(column, ControlText(dialog, id))
                                     : Redraw::Nothing;
}

void ShowMenuButton(HWND dialog, ButtonDialogContext& context) {
    EnableWindow(GetDlgItem(dialog, IDC_BC_PROFILE_MANAGER), context.menuApplies());
}

void WriteBack(HWND dialog, ButtonDialogContext& context) {
    JoystickProfile* profile = context.profile();
    if (profile && context.editor.IsOpen() && !context.editor.IsFor(*profile)) {
        // Its pad came back with another profile: the edits are not written into that one. The
        // user is told, and the dialog starts over from the profile the pad has now.
        const MessageText message =
            EditsNotSavedMessage(context.editor.View().profileName, profile->profileName);
        ShowDialogMessage(dialog, message);
        Open(dialog, context);
        return;
    }
    EndDialog(dialog, profile && context.editor.WriteBack(*profile) ? IDOK : IDCANCEL);
}

Redraw OnControl(HWND dialog, ButtonDialogContext& context, int id, WORD notification) {
    ButtonEditorState& editor = context.editor;
    switch (id) {
        case IDC_BC_EVENT:
        case IDC_BC_MODIFIER:
        case IDC_BC_SHIFTED_MODIFIER:
        case IDC_BC_KEY:
        case IDC_BC_SHIFTED_KEY:
        case IDC_BC_SHIFT_BUTTON:
        case IDC_BC_STICK2_AXES:
            return notification == CBN_SELCHANGE ? OnListChoice(dialog, editor, id)
                                                 : Redraw::Nothing;
        case IDC_BC_TEXT:
            return OnText(dialog, editor, id, notification, Column::Normal);
        case IDC_BC_SHIFTED_TEXT:
            return OnText(dialog, editor, id, notification, Column::Shifted);
        case IDC_BC_SWAP_Y:
            return OnOption(editor, notification, Option::SwapY);
        case IDC_BC_SWAP_X:
            return OnOption(editor, notification, Option::SwapX);
        case IDC_BC_PROGRESSIVE:
            return OnOption(editor, notification, Option::Progressive);
        case IDC_BC_PROFILE_MANAGER:
            // Greyed then; a click posted anyway would act on another joystick.
            if (!context.menuApplies()) return Redraw::Nothing;
            context.showProfileMenu();
            // Every change so far is dropped, also when the menu was dismissed.
            Open(dialog, context);
            return Redraw::Nothing;
        case IDOK:
            WriteBack(dialog, context);
            return Redraw::Nothing;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return Redraw::Nothing;
        default:
            return Redraw::Nothing;
    }
}

// Whether a press may pick its event now: not while the user is choosing in the event list, nor
// in the shift button list (the press may be the shift button being chosen), nor while a message
// box over the dialog waits for an answer or a typed length for its check.
bool Listening(HWND dialog, const ButtonEditorState& editor) {
    return IsWindowEnabled(dialog) &&
           !SendDlgItemMessageA(dialog, IDC_BC_EVENT, CB_GETDROPPEDSTATE, 0, 0) &&
           GetFocus() != GetDlgItem(dialog, IDC_BC_SHIFT_BUTTON) &&
           !editor.LengthUnchecked(GetDlgItemInt(dialog, IDC_BC_MAX_CHARS, nullptr, FALSE));
}

// A press picks its event as a choice in the event list would.
void OnJoystickPolled(HWND dialog, ButtonEditorState& editor, const LiveJoystick& joystick) {
    const int event = editor.PressedEvent(joystick.PreviousReading(), joystick.Reading());
    if (event != 0 && Listening(dialog, editor))
        Render(dialog, editor, editor.SelectEventNumber(event));
}

// Every command first passes the combination-length check, which may ask, tell, redraw the
// length or the texts, and drop the command.
void OnCommand(HWND dialog, ButtonDialogContext& context, int id, WORD notification) {
    ButtonEditorState& editor = context.editor;
    const UINT typed = GetDlgItemInt(dialog, IDC_BC_MAX_CHARS, nullptr, FALSE);
    CommandGate gate = editor.BeforeCommand(id, typed);
    if (gate.ask) {
        gate = editor.AnswerLargeLength(
            ShowDialogMessage(dialog, LargeLengthQuestion(), MB_YESNO) == IDYES);
    }
    if (gate.message) ShowDialogMessage(dialog, *gate.message);
    Render(dialog, editor, gate.redraw);
    if (gate.proceed) Render(dialog, editor, OnControl(dialog, context, id, notification));
}

}  // namespace

INT_PTR CALLBACK ButtonConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    ButtonDialogContext* context = DialogContextOf<ButtonDialogContext>(dialog, message, lParam);
    if (!context) return FALSE;
    switch (message) {
        case WM_INITDIALOG:
            *context->openDialog = dialog;
            Open(dialog, *context);
            ShowMenuButton(dialog, *context);
            // FALSE: no control takes the keyboard focus at opening.
            return FALSE;
        case ProfileChangedMessage:
            Open(dialog, *context);
            return TRUE;
        case CurrentJoystickMessage:
            ShowMenuButton(dialog, *context);
            return TRUE;
        case JoystickPolledMessage:
            OnJoystickPolled(dialog, context->editor,
                             *reinterpret_cast<const LiveJoystick*>(lParam));
            return TRUE;
        case WM_DESTROY:
            if (*context->openDialog == dialog) *context->openDialog = nullptr;
            context->editor.Close();
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, *context, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return HandleDragMessage(dialog, message, context->drag);
    }
}
