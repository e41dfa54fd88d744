#include "ui/Resource.h"

#include "platform/WindowsError.h"
#include "image/PngDecoder.h"

#include <windows.h>

ResourceData loadResource(const wchar_t* type, int id)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr) {
        throw format_error(GetLastError());
    }
    const DWORD size = SizeofResource(module, found);
    if (size == 0) {
        throw format_error(GetLastError());
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        throw format_error(GetLastError());
    }
    return {static_cast<const uint8_t*>(data), size};
}

std::unique_ptr<Image> loadImage(int id)
{
    try {
        const ResourceData resource = loadResource(L"IMAGE", id);
        return decodePng(resource.data, resource.size);
    } catch (const WindowException&) {
        return nullptr;
    }
}
