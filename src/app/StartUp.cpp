#include "app/StartUp.h"

#include "base/Exception.h"
#include "app/MainWindow.h"
#include "base/Text.h"
#include "recording/DataType.h"
#include "ResourceIds.h"
#include "ui/Dialog.h"

#include <commctrl.h>
#include <objbase.h>

namespace {

// The C runtime's handler for invalid parameters, where the runtime has one: do nothing, so
// that a bad argument fails the call instead of ending the program.
void install_invalid_parameter_handler()
{
    using Handler = void (*)(const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t);
    using Setter = Handler (*)(Handler);
    HMODULE runtime = GetModuleHandleW(L"msvcrt.dll");
    auto setter = runtime != nullptr
                      ? reinterpret_cast<Setter>(reinterpret_cast<void*>(
                            GetProcAddress(runtime, "_set_invalid_parameter_handler")))
                      : nullptr;
    if (setter != nullptr) {
        setter([](const wchar_t*, const wchar_t*, const wchar_t*, unsigned, uintptr_t) {});
    }
}

OSVERSIONINFOEXW check_operating_system()
{
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof version;
    bool known = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    if (!known) {
        version = OSVERSIONINFOEXW{};
        version.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        known = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&version)) != FALSE;
    }
    const int warning = operating_system_warning(known, static_cast<long>(version.dwMajorVersion));
    if (warning != 0) {
        MessageBoxW(nullptr, load_text_narrow(warning).c_str(), load_text_narrow(texts::caption_warning).c_str(),
                    MB_ICONWARNING | MB_SYSTEMMODAL | MB_TOPMOST);
    }
    return version;
}

} // namespace

int operating_system_warning(bool version_known, long major_version)
{
    if (!version_known || major_version < 0) {
        return texts::os_version_unknown;
    }
    return major_version < 5 ? texts::os_too_old : 0; // older than Windows XP
}

bool route_to_modeless_dialog(MSG& message)
{
    // The lap list stays open beside the main window; its keys (Esc closes it) work only
    // through the dialog manager.
    HWND active = GetActiveWindow();
    return active != nullptr && Dialog::fromHandle(active) != nullptr && IsDialogMessageW(active, &message);
}

bool route_to_keys(HWND main, MSG& message)
{
    static const HACCEL keys = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_MAIN));
    if (message.message == WM_KEYDOWN) {
        if (current_data_type() == data_type_image && (message.wParam == VK_LEFT || message.wParam == VK_RIGHT)) {
            return false;
        }
        constexpr LPARAM was_down = 1 << 30; // a repeat of the key held down
        if (message.wParam == VK_SPACE && (message.lParam & was_down) != 0) {
            return true;
        }
    }
    return keys != nullptr && TranslateAcceleratorW(main, keys, &message) != 0;
}

int run_viewer(int show_command)
{
    SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    SetCurrentDirectoryW(L"C:\\");
    install_invalid_parameter_handler();
    const OSVERSIONINFOEXW version = check_operating_system();

    if (CoInitialize(nullptr) != S_OK) {
        throw SystemException(load_text(texts::com_failed)); // "COMを初期化できません。"
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, 0x3FFF};
    if (!InitCommonControlsEx(&controls)) {
        throw SystemException(load_text(texts::common_controls_failed)); // "コモンコントロールを初期化できません。"
    }

    auto* window = new MainWindow(static_cast<int>(version.dwMajorVersion)); // belongs to its window
    ShowWindow(window->handle(), show_command);
    UpdateWindow(window->handle());
    window->show_animation();
    const HWND window_handle = window->handle(); // the window deletes its object when it goes

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (route_to_modeless_dialog(message) || route_to_keys(window_handle, message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
