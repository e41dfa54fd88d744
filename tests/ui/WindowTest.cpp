// Window objects bound to real windows: the shared procedure, the map, the object's lifetime.
#include "ui/Window.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/WindowsError.h"
#include "support/UiTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr UINT throwException = WM_USER + 10;
constexpr UINT throwDataMissing = WM_USER + 11;
constexpr UINT throwOther = WM_USER + 12;

struct Trace {
    std::vector<UINT> seen;
    std::wstring nameAtDestroy;
    bool boundAtDestroy = false;
    int deletions = 0;
    std::wstring nameAtDeletion;
    bool deletedInsideClose = true;
};

class TracedWindow : public Window {
public:
    TracedWindow(Trace& trace, std::wstring name, bool destroyOnClose = false)
        : trace_(trace), name_(std::move(name)), destroyOnClose_(destroyOnClose)
    {
    }
    ~TracedWindow() override
    {
        ++trace_.deletions;
        trace_.nameAtDeletion = name_;
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        trace_.seen.push_back(message);
        switch (message) {
        case WM_DESTROY:
            trace_.nameAtDestroy = name_;
            trace_.boundAtDestroy = Window::fromHandle(handle()) == this;
            break;
        case WM_CLOSE:
            if (destroyOnClose_) {
                return onCloseDestroying();
            }
            break;
        case throwException:
            throw Exception(L"描画できません。");
        case throwDataMissing:
            throw DataMissingException();
        case throwOther:
            throw 42;
        default:
            break;
        }
        return Window::windowProc(message, wParam, lParam);
    }

    using Window::attach;

private:
    LRESULT onCloseDestroying()
    {
        DestroyWindow(handle());
        // Still inside this object's own handler: it must be alive for this.
        name_ = L"after DestroyWindow";
        trace_.deletedInsideClose = trace_.deletions != 0;
        return 0;
    }

    Trace& trace_;
    std::wstring name_;
    bool destroyOnClose_;
};

CreationRecord popupRecord(const wchar_t* className = Window::defaultClassName)
{
    CreationRecord record;
    record.className = className;
    record.windowName = L"traced";
    record.style = WS_POPUP;
    record.x = 10;
    record.y = 10;
    record.width = 120;
    record.height = 80;
    return record;
}

TracedWindow* makeTraced(Trace& trace, const std::wstring& name, bool destroyOnClose = false)
{
    auto* window = new TracedWindow(trace, name, destroyOnClose);
    window->create(popupRecord());
    return window;
}

bool saw(const Trace& trace, UINT message)
{
    return std::find(trace.seen.begin(), trace.seen.end(), message) != trace.seen.end();
}

TEST(Window, MessagesForHandlesWithoutAnObjectGoToDefWindowProc)
{
    Trace trace;
    TracedWindow* bound = makeTraced(trace, L"bound");
    HWND plain = CreateWindowExW(0, Window::defaultClassName, L"plain", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(Window::fromHandle(plain), nullptr);

    wchar_t text[32] = {};
    EXPECT_EQ(sharedWindowProc(plain, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text)), 5);
    EXPECT_STREQ(text, L"plain");
    // Installed on a window no object holds, the shared procedure still lets it work.
    SetWindowLongPtrW(plain, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(sharedWindowProc));
    SetWindowTextW(plain, L"renamed");
    GetWindowTextW(plain, text, 32);
    EXPECT_STREQ(text, L"renamed");
    EXPECT_FALSE(saw(trace, WM_SETTEXT)) << "another window's messages reached the object";

    DestroyWindow(plain);
    DestroyWindow(bound->handle());
}

TEST(Window, DerivedProcedureSeesItsFieldsDuringDestroyAndTheObjectGoesAfterIt)
{
    Trace trace;
    TracedWindow* window = makeTraced(trace, L"panel");
    HWND handle = window->handle();
    ASSERT_EQ(Window::fromHandle(handle), window);

    DestroyWindow(handle);
    EXPECT_EQ(trace.nameAtDestroy, L"panel");
    EXPECT_TRUE(trace.boundAtDestroy);
    EXPECT_EQ(trace.deletions, 1);
    EXPECT_EQ(Window::fromHandle(handle), nullptr);
    EXPECT_FALSE(IsWindow(handle));
}

TEST(Window, WindowDestroyedFromItsOwnHandlerIsDeletedOnlyWhenTheHandlerHasReturned)
{
    Trace trace;
    TracedWindow* window = makeTraced(trace, L"closing", true);
    HWND handle = window->handle();
    SendMessageW(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(trace.deletedInsideClose);
    EXPECT_EQ(trace.deletions, 1);
    EXPECT_EQ(trace.nameAtDeletion, L"after DestroyWindow");
    EXPECT_FALSE(IsWindow(handle));
}

// A window class of its own whose procedure notes what reaches it.
std::vector<UINT> classProcedureSaw;

LRESULT CALLBACK recordingClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    classProcedureSaw.push_back(message);
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* recordingClass()
{
    return testWindowClass(L"TarvoRecordingClass", recordingClassProcedure);
}

TEST(Window, TakenOverClassKeepsItsProcedureForCreationPassedOnMessagesAndItsLastMessage)
{
    classProcedureSaw.clear();
    Trace trace;
    auto* window = new TracedWindow(trace, L"list");
    window->create(popupRecord(recordingClass()));
    HWND handle = window->handle();
    // Messages of CreateWindowExW itself reach only the class procedure.
    EXPECT_NE(std::count(classProcedureSaw.begin(), classProcedureSaw.end(), WM_CREATE), 0);
    EXPECT_FALSE(saw(trace, WM_CREATE));
    EXPECT_FALSE(saw(trace, WM_NCCREATE));

    classProcedureSaw.clear();
    SendMessageW(handle, WM_USER + 5, 0, 0);
    EXPECT_TRUE(saw(trace, WM_USER + 5));
    EXPECT_EQ(classProcedureSaw, std::vector<UINT>{WM_USER + 5}) << "the base passes messages on";

    classProcedureSaw.clear();
    DestroyWindow(handle);
    EXPECT_EQ(trace.deletions, 1);
    const auto at = [](UINT message) {
        return std::find(classProcedureSaw.begin(), classProcedureSaw.end(), message);
    };
    EXPECT_NE(at(WM_DESTROY), classProcedureSaw.end());
    // The control's own procedure gets its last message and can free what it keeps.
    EXPECT_NE(at(WM_NCDESTROY), classProcedureSaw.end());
    EXPECT_FALSE(saw(trace, WM_NCDESTROY));
}

TEST(Window, SecondWindowUsesTheClassRegisteredByTheFirst)
{
    Trace first;
    Trace second;
    TracedWindow* one = makeTraced(first, L"one");
    TracedWindow* two = makeTraced(second, L"two"); // its constructor would throw on a second registration
    WNDCLASSEXW info{};
    info.cbSize = sizeof(info);
    const ATOM atom = static_cast<ATOM>(GetClassInfoExW(GetModuleHandleW(nullptr), Window::defaultClassName, &info));
    ASSERT_NE(atom, 0);
    EXPECT_EQ(GetClassWord(one->handle(), GCW_ATOM), atom);
    EXPECT_EQ(GetClassWord(two->handle(), GCW_ATOM), atom);
    EXPECT_EQ(info.style, UINT(CS_VREDRAW | CS_HREDRAW));
    EXPECT_EQ(info.hbrBackground, nullptr);
    DestroyWindow(one->handle());
    DestroyWindow(two->handle());
}

TEST(Window, FailedCreationThrowsTheSystemsTextAndLeavesTheObjectUnbound)
{
    Trace trace;
    TracedWindow window(trace, L"nothing");
    try {
        window.create(popupRecord(L"TarvoNoSuchClass"));
        FAIL() << "no exception";
    } catch (const WindowException& failure) {
        // Windows reports a missing window class, Wine a missing class.
        EXPECT_THAT(failure.message(), ::testing::AnyOf(format_error(ERROR_CANNOT_FIND_WND_CLASS).message(),
                                                        format_error(ERROR_CLASS_DOES_NOT_EXIST).message()));
    }
    EXPECT_EQ(window.handle(), nullptr);
}

TEST(Window, FailureInAHandlerIsShownAsAtTheOutermostLevelAndGoesNoFurther)
{
    MessageRecorder recorder;
    Trace trace;
    TracedWindow* window = makeTraced(trace, L"failing");
    HWND handle = window->handle();

    EXPECT_EQ(SendMessageW(handle, throwException, 0, 0), 0);
    ASSERT_EQ(recorder.shown().size(), 1u);
    EXPECT_EQ(recorder.shown()[0].text, L"描画できません。");
    EXPECT_EQ(recorder.shown()[0].captionId, texts::caption_error);
    EXPECT_EQ(recorder.shown()[0].style, UINT(MB_ICONERROR));
    EXPECT_EQ(recorder.shown()[0].owner, nullptr);

    SendMessageW(handle, throwDataMissing, 0, 0);
    EXPECT_EQ(recorder.shown().size(), 1u) << "the user was told already";

    SendMessageW(handle, throwOther, 0, 0);
    ASSERT_EQ(recorder.shown().size(), 2u);
    EXPECT_EQ(recorder.shown()[1].text, load_text(texts::application_error));

    EXPECT_EQ(Window::fromHandle(handle), window);
    DestroyWindow(handle);
    EXPECT_EQ(trace.deletions, 1);
}

TEST(Window, ObjectDeletedBeforeItsWindowLeavesAWorkingWindowAndNoDoubleDelete)
{
    Trace trace;
    TracedWindow* window = makeTraced(trace, L"owned elsewhere");
    HWND handle = window->handle();
    delete window;
    EXPECT_EQ(trace.deletions, 1);
    EXPECT_EQ(Window::fromHandle(handle), nullptr);
    SetWindowTextW(handle, L"still here");
    wchar_t text[32] = {};
    GetWindowTextW(handle, text, 32);
    EXPECT_STREQ(text, L"still here");
    DestroyWindow(handle);
    EXPECT_EQ(trace.deletions, 1);
}

TEST(Window, AttachTakesOverAnExistingWindowOnceAndIgnoresNull)
{
    HostWindow host(0, 0, 200, 100);
    HWND control = CreateWindowExW(0, L"STATIC", L"label", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, host.get(), nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    Trace trace;
    auto* first = new TracedWindow(trace, L"first");
    first->attach(control);
    EXPECT_EQ(first->handle(), control);
    EXPECT_EQ(Window::fromHandle(control), first);

    Trace otherTrace;
    TracedWindow second(otherTrace, L"second");
    second.attach(control);
    EXPECT_EQ(second.handle(), nullptr) << "an entry is never replaced";
    second.attach(nullptr);
    EXPECT_EQ(second.handle(), nullptr);

    // The static control keeps working through the base procedure.
    SetWindowTextW(control, L"changed");
    wchar_t text[32] = {};
    GetWindowTextW(control, text, 32);
    EXPECT_STREQ(text, L"changed");
    EXPECT_TRUE(saw(trace, WM_SETTEXT));
    DestroyWindow(control);
    EXPECT_EQ(trace.deletions, 1);
}

} // namespace
