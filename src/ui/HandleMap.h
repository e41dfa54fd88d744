#pragma once
// A process-wide ordered map from window handle to the object bound to it, one for windows and
// one for dialogs. Used from the user-interface thread only.
#include <windows.h>

#include <cstdint>
#include <map>

template <typename Object>
class HandleMap {
public:
    // Binds `object` to `handle` unless the handle is bound already: an entry is never replaced.
    bool insert(HWND handle, Object* object) { return entries_.emplace(handle, object).second; }

    Object* find(HWND handle) const
    {
        const auto entry = entries_.find(handle);
        return entry == entries_.end() ? nullptr : entry->second;
    }

    // Removes the entry of `handle` when it binds `object`; true when one was removed.
    bool erase(HWND handle, const Object* object)
    {
        const auto entry = entries_.find(handle);
        if (entry == entries_.end() || entry->second != object) {
            return false;
        }
        entries_.erase(entry);
        return true;
    }

private:
    // Handles are ordered as signed 32-bit values.
    struct SignedOrder {
        bool operator()(HWND left, HWND right) const { return key(left) < key(right); }
        static int32_t key(HWND handle) { return static_cast<int32_t>(reinterpret_cast<uintptr_t>(handle)); }
    };

    std::map<HWND, Object*, SignedOrder> entries_;
};
