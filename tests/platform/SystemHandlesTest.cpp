// The owners of kernel handles, searches, menus and COM references give back what they hold,
// once, and pass it on when moved.
#include "platform/SystemHandles.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

bool handle_open(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

// A COM object that counts its references.
class Counted : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override
    {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }

    int references = 1;
};

TEST(SystemHandles, KernelHandleClosesOnceAndMovesItsHandle)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(handle_open(event));
    {
        KernelHandle first(event);
        KernelHandle second(std::move(first));
        EXPECT_FALSE(first);
        EXPECT_EQ(second.get(), event);
        KernelHandle third;
        third = std::move(second);
        EXPECT_TRUE(handle_open(event));
    }
    EXPECT_FALSE(handle_open(event));

    // reset closes what was held; release hands it over untouched.
    KernelHandle owner(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const HANDLE released = owner.release();
    EXPECT_FALSE(owner);
    EXPECT_TRUE(handle_open(released));
    owner.reset(released);
    owner.reset();
    EXPECT_FALSE(handle_open(released));
}

TEST(SystemHandles, FailedCreationsHoldNothing)
{
    // CreateFileW answers INVALID_HANDLE_VALUE, CreateEventW null: neither is closed.
    const KernelHandle missing_file(CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr,
                                                OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing_file);
    WIN32_FIND_DATAW found;
    const FindHandle search(FindFirstFileW(L"C:\\no such folder\\*", &found));
    EXPECT_FALSE(search);
    EXPECT_FALSE(FindHandle());
}

TEST(SystemHandles, MenuHandleDestroysTheMenu)
{
    HMENU menu = CreatePopupMenu();
    ASSERT_TRUE(IsMenu(menu));
    {
        const MenuHandle owner(menu);
    }
    EXPECT_FALSE(IsMenu(menu));
}

TEST(SystemHandles, ComRefReleasesItsReferenceOnce)
{
    Counted object;
    {
        ComRef<IUnknown> first;
        *first.out() = &object;
        object.AddRef(); // the reference a creating call would hand over
        ComRef<IUnknown> second(std::move(first));
        EXPECT_EQ(first.get(), nullptr);
        EXPECT_EQ(object.references, 2);
    }
    EXPECT_EQ(object.references, 1);

    // Writing a new reference through out() gives the old one back first.
    ComRef<IUnknown> reused;
    *reused.out() = &object;
    object.AddRef();
    *reused.out() = &object;
    object.AddRef();
    EXPECT_EQ(object.references, 2);
    reused.reset();
    EXPECT_EQ(object.references, 1);
}

} // namespace
