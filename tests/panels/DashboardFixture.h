#pragma once
// What the dashboard window tests share: a recording set up by the test in place of the
// player, a visible host window for the panel, and the panel's pixels read back.
#include "panels/IDashboardSource.h"
#include "panels/RecordedInfo.h"
#include "recording/DataType.h"
#include "support/UiTestSupport.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

class TestSource : public IDashboardSource {
public:
    std::unique_ptr<RecordedInfo> recording; // null: nothing open
    int current = 0;
    int mode = data_type_event;
    int64_t detection = 0;
    bool flag = false;

    const IVideoInfo* info() const override { return recording.get(); }
    int frame() const override { return current; }
    int data_type() const override { return mode; }
    int64_t detection_time() const override { return detection; }
    bool archive_flag() const override { return flag; }
};

// The client area of a window as it shows on the screen, as COLORREF values.
class WindowPicture {
public:
    explicit WindowPicture(HWND window)
    {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right;
        height = client.bottom;
        HDC source = GetDC(window);
        HDC memory = CreateCompatibleDC(source);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height; // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
        const auto* pixels = static_cast<const uint32_t*>(bits);
        colours.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
        for (size_t i = 0; i < colours.size(); ++i) {
            const uint32_t p = pixels[i]; // 0x00RRGGBB
            colours[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(window, source);
    }

    COLORREF at(int x, int y) const { return colours[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)]; }
    // How many pixels of the rectangle (right and bottom excluded) have the colour.
    int count(COLORREF colour, int left, int top, int right, int bottom) const
    {
        int found = 0;
        for (int y = std::max(top, 0); y < std::min(bottom, height); ++y) {
            for (int x = std::max(left, 0); x < std::min(right, width); ++x) {
                found += at(x, y) == colour ? 1 : 0;
            }
        }
        return found;
    }
    int count(COLORREF colour) const { return count(colour, 0, 0, width, height); }

    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;
};

// Columns in which two pictures of one size differ.
inline std::vector<int> differing_columns(const WindowPicture& a, const WindowPicture& b)
{
    std::vector<int> columns;
    for (int x = 0; x < a.width; ++x) {
        for (int y = 0; y < a.height; ++y) {
            if (a.at(x, y) != b.at(x, y)) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

// A recording of `count` frames whose G vectors point `lateral`, `longitudinal`.
inline std::unique_ptr<RecordedInfo> recording_of(int count, double lateral, double longitudinal, int speed)
{
    auto info = std::make_unique<RecordedInfo>();
    for (int i = 0; i < count; ++i) {
        FrameRecord record;
        record.g2 = lateral;
        record.g1 = longitudinal;
        record.g_magnitude = std::sqrt(lateral * lateral + longitudinal * longitudinal);
        record.speed = speed;
        info->frames.push_back(record);
    }
    return info;
}
