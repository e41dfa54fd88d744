#pragma once
// The real main window with recordings written by the sample card writer, under Wine, and a key
// pressed as the message loop handles it.
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "playback/VideoPlayer.h"
#include "recording/DataType.h"
#include "samplecard/CardWriter.h"
#include "support/TempFolder.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <objbase.h>

class ShellFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }

    ShellFixture()
    {
        set_current_data_type(data_type_event);
        window_ = new MainWindow(6);
        ShowWindow(window_->handle(), SW_SHOWNOACTIVATE);
        handle_ = window_->handle();
    }
    ~ShellFixture() override
    {
        if (IsWindow(handle_)) {
            DestroyWindow(handle_);
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) { // the quit message of WM_DESTROY
            DispatchMessageW(&message);
        }
        set_current_data_type(data_type_event);
    }

    std::wstring event_folder(const wchar_t* name, int frames = 45)
    {
        samplecard::EventOptions options;
        options.frames = frames;
        options.detection_frame = frames / 2;
        options.picture = {160, 120, 50};
        const std::wstring folder = card_.file(name);
        samplecard::write_event_folder(folder, options);
        return folder;
    }

    std::wstring continuous_folder(const wchar_t* name, int chapters, int chapter_frames)
    {
        samplecard::ContinuousOptions options;
        options.chapters = chapters;
        options.chapter_frames = chapter_frames;
        options.picture = {64, 48, 50};
        const std::wstring folder = card_.file(name);
        samplecard::write_continuous_folder(folder, options);
        return folder;
    }

    std::wstring image_folder(const wchar_t* name, int pictures)
    {
        const std::wstring folder = card_.file(name);
        samplecard::write_image_folder(folder, 5, pictures, {160, 120, 50});
        return folder;
    }

    // Opens `folder` as the given kind; for pictures, waits until the first is shown large.
    void open(const std::wstring& folder, int kind)
    {
        set_current_data_type(kind);
        window_->open_recording(folder);
        if (kind == data_type_image) {
            ASSERT_TRUE(pumpUntil([&] { return window_->player().picture() != nullptr; }, 10000));
        }
    }

    // A key going down as the message loop takes it: through the viewer's keys, and to the
    // window with the focus (or `target`) when they leave it. True when the keys took it.
    bool press(WPARAM key, bool control = false, bool repeat = false, HWND target = nullptr)
    {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(state);
        HWND focus = target != nullptr ? target : GetFocus() != nullptr ? GetFocus() : handle_;
        MSG message{focus, WM_KEYDOWN, key, repeat ? 0x40000001 : 1, static_cast<DWORD>(GetMessageTime()), {}};
        const bool taken = route_to_keys(keys_main_ != nullptr ? keys_main_ : handle_, message);
        if (!taken) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
        return taken;
    }

    TempFolder card_;
    MessageRecorder messages_;
    MainWindow* window_ = nullptr;
    HWND handle_ = nullptr;
    HWND keys_main_ = nullptr; // where the keys' commands go instead of the main window
};
