#pragma once
// Resources of the viewer's own module.
#include "image/Image.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct ResourceData {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// The bytes of resource `id` of `type` (for example L"IMAGE"); they stay valid while the
// program runs. Throws WindowException with the system's text when the resource cannot be
// found, sized or loaded.
ResourceData loadResource(const wchar_t* type, int id);

// The "IMAGE" resource `id` decoded from PNG. Null when there is no such resource or it is
// not a PNG picture: controls draw nothing for a missing picture and go on working.
std::unique_ptr<Image> loadImage(int id);
