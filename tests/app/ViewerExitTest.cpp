// The real program, started as a user starts it and closed as a user closes it: by ファイル →
// 終了 and by the window's close button, with nothing open and with a recording playing. The
// process must end, with exit code 0, instead of lingering in its message loop.
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"

#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What the user does to close the window.
enum class Closing { exit_item, close_button };

struct ExitCase {
    const char* name;
    bool playing;
    Closing closing;
};
void PrintTo(const ExitCase& exit_case, std::ostream* out) { *out << exit_case.name; }

// The viewer program beside the test programs.
std::wstring viewer_program()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"Tarvo_Viewer.exe";
}

struct WindowSearch {
    const wchar_t* class_name;
    const wchar_t* caption; // null: any
    HWND found = nullptr;
};

BOOL CALLBACK look_for_window(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    wchar_t name[64] = L"";
    wchar_t caption[256] = L"";
    GetClassNameW(window, name, 64);
    GetWindowTextW(window, caption, 256);
    if (IsWindowVisible(window) && lstrcmpW(name, search->class_name) == 0 &&
        (search->caption == nullptr || lstrcmpW(caption, search->caption) == 0)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// A copy of the viewer in its own folder, which its folder chooser opens at; started, it is
// driven from outside by posted messages, as the user's clicks reach it.
class RunningViewer {
public:
    explicit RunningViewer(const std::wstring& folder) : program_(folder + L"\\Tarvo_Viewer.exe")
    {
        if (!CopyFileW(viewer_program().c_str(), program_.c_str(), FALSE)) {
            return;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring command = L"\"" + program_ + L"\"";
        started_ = CreateProcessW(program_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &process_) != FALSE;
    }
    ~RunningViewer()
    {
        if (started_) {
            if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(process_.hProcess, 99);
                WaitForSingleObject(process_.hProcess, 5000);
            }
            CloseHandle(process_.hThread);
            CloseHandle(process_.hProcess);
        }
    }
    RunningViewer(const RunningViewer&) = delete;
    RunningViewer& operator=(const RunningViewer&) = delete;

    bool started() const { return started_; }

    // A visible window of the viewer's thread; null when none appears within 10 s.
    HWND wait_for(const wchar_t* class_name, const wchar_t* caption = nullptr) const
    {
        for (int attempt = 0; attempt < 1000; ++attempt) {
            WindowSearch search{class_name, caption};
            EnumThreadWindows(process_.dwThreadId, look_for_window, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr) {
                return search.found;
            }
            Sleep(10);
        }
        return nullptr;
    }

    // Presses OK on the viewer's dialog or message box; false when none appeared.
    bool press_ok(const wchar_t* caption = nullptr) const
    {
        const HWND dialog = wait_for(L"#32770", caption);
        return dialog != nullptr && PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0) != FALSE;
    }

    // Whether the process ended within a few seconds; its exit code then.
    bool ended(DWORD& exit_code) const
    {
        return WaitForSingleObject(process_.hProcess, 10000) == WAIT_OBJECT_0 &&
               GetExitCodeProcess(process_.hProcess, &exit_code) != FALSE;
    }

private:
    std::wstring program_;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

std::wstring title_of(HWND window)
{
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    return title;
}

class ViewerExitTest : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ViewerExitTest, TheProcessEndsWithExitCodeZero)
{
    const ExitCase& exit_case = GetParam();
    TempFolder folder;
    if (exit_case.playing) {
        samplecard::EventOptions recording;
        recording.frames = 600; // 20 s: still playing when the window is closed
        recording.picture = {160, 120, 60};
        samplecard::write_event_folder(folder.path(), recording);
    }
    RunningViewer viewer(folder.path());
    ASSERT_TRUE(viewer.started()) << "cannot start " << testing::PrintToString(viewer_program());
    const HWND main = viewer.wait_for(L"MainWindow");
    ASSERT_NE(main, nullptr);

    if (exit_case.playing) {
        // 開く: the folder chooser opens at the viewer's folder, which holds the recording.
        const std::wstring title = title_of(main);
        PostMessageW(main, WM_COMMAND, IDC_CMD_OPEN, 0);
        ASSERT_TRUE(viewer.press_ok()) << "no folder chooser";
        for (int attempt = 0; attempt < 1000 && title_of(main) == title; ++attempt) {
            Sleep(10);
        }
        ASSERT_NE(title_of(main), title) << "the recording did not open";
        Sleep(500); // a moment of playing, with pictures and sound under way
    }

    if (exit_case.closing == Closing::exit_item) {
        PostMessageW(main, WM_COMMAND, IDC_CMD_EXIT, 0);
    } else {
        PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    if (exit_case.playing) {
        ASSERT_TRUE(viewer.press_ok(L"確認")) << "no question before closing";
    }
    DWORD exit_code = 1;
    ASSERT_TRUE(viewer.ended(exit_code)) << "the viewer is still running after its window was closed";
    EXPECT_EQ(exit_code, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Closings, ViewerExitTest,
    ::testing::Values(ExitCase{"IdleByExitItem", false, Closing::exit_item},
                      ExitCase{"IdleByCloseButton", false, Closing::close_button},
                      ExitCase{"PlayingByExitItem", true, Closing::exit_item},
                      ExitCase{"PlayingByCloseButton", true, Closing::close_button}),
    [](const ::testing::TestParamInfo<ExitCase>& info) { return std::string(info.param.name); });

} // namespace
