#pragma once
// Owners of the system's handles beside the GDI ones (ui/GdiHandles.h): kernel objects, file
// searches, menus, item lists and dropped files from the shell, COM references and a thread's
// use of COM. Each releases what it holds on every path; none is copied, each can be moved.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shtypes.h>

#include <utility>

// A handle and the one call that gives it back; `Traits` says which (see below).
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::valid(handle_); }
    // Gives back what is held and takes `handle` instead.
    void reset(Handle handle = Traits::none())
    {
        if (Traits::valid(handle_)) {
            Traits::close(handle_);
        }
        handle_ = handle;
    }
    // Hands the handle over without giving it back.
    Handle release() { return std::exchange(handle_, Traits::none()); }

private:
    Handle handle_ = Traits::none();
};

// Kernel objects (files, threads, processes, events, mutexes): CloseHandle. Both null and
// INVALID_HANDLE_VALUE mean none, since the creating calls differ in which they answer.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { CloseHandle(handle); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// A wildcard search from FindFirstFileW: FindClose.
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle none() { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void close(Handle handle) { FindClose(handle); }
};
using FindHandle = UniqueHandle<FindHandleTraits>;

// A menu that no window carries (a loaded context menu): DestroyMenu.
struct MenuHandleTraits {
    using Handle = HMENU;
    static Handle none() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { DestroyMenu(handle); }
};
using MenuHandle = UniqueHandle<MenuHandleTraits>;

// An item list the shell handed out: its allocator is COM's task allocator.
struct ShellItemTraits {
    using Handle = ITEMIDLIST*;
    static Handle none() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { CoTaskMemFree(handle); }
};
using ShellItemList = UniqueHandle<ShellItemTraits>;

// The files dropped on a window (WM_DROPFILES): DragFinish.
struct DropHandleTraits {
    using Handle = HDROP;
    static Handle none() { return nullptr; }
    static bool valid(Handle handle) { return handle != nullptr; }
    static void close(Handle handle) { DragFinish(handle); }
};
using DropHandle = UniqueHandle<DropHandleTraits>;

// One reference to a COM object, released with its owner.
template <class Interface>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(ComRef&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept
    {
        if (this != &other) {
            reset();
            object_ = std::exchange(other.object_, nullptr);
        }
        return *this;
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    // Where a creating call writes its new reference; what was held before is released first.
    Interface** out()
    {
        reset();
        return &object_;
    }
    Interface* operator->() const { return object_; }
    Interface* get() const { return object_; }
    void reset()
    {
        if (object_ != nullptr) {
            std::exchange(object_, nullptr)->Release();
        }
    }

private:
    Interface* object_ = nullptr;
};

// COM for the calls in a scope, balanced on the way out; a thread that has it already keeps it.
class ComUse {
public:
    ComUse() : result_(CoInitialize(nullptr)) {}
    ~ComUse()
    {
        if (SUCCEEDED(result_)) {
            CoUninitialize();
        }
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;

    HRESULT result() const { return result_; }

private:
    HRESULT result_;
};
