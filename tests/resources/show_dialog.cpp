// show_dialog.exe TIDO_EXE TEMPLATE_ID: shows one dialog of tido.exe as its template alone
// makes it, for a screenshot. Ends when the dialog is closed, or by itself after 30 seconds.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

namespace {

const int kProgressBar = 1011;

INT_PTR CALLBACK TemplateOnlyProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        // A bar part-way, so the picture shows one.
        SendDlgItemMessageW(dialog, kProgressBar, PBM_SETPOS, 40, 0);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)
            PostQuitMessage(0);
        return TRUE;
    case WM_CLOSE:
        PostQuitMessage(0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc != 3)
        return 2;
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);

    HMODULE tido = LoadLibraryExW(argv[1], nullptr,
        LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!tido)
        return 3;
    HWND dialog = CreateDialogParamW(tido, MAKEINTRESOURCEW(_wtoi(argv[2])), nullptr,
        TemplateOnlyProc, 0);
    if (!dialog)
        return 4;
    ShowWindow(dialog, SW_SHOW);  // the progress dialog and the About box start hidden
    SetTimer(nullptr, 0, 30000, nullptr);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == nullptr)
            break;
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    DestroyWindow(dialog);
    FreeLibrary(tido);
    return 0;
}
