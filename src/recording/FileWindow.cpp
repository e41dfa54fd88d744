#include "recording/FileWindow.h"

#include <algorithm>
#include <cstring>

#include "platform/File.h"

namespace {

// Searching for a signature across damage needs more than a header's worth at a time.
constexpr size_t search_window = 65536;

} // namespace

FileWindow::FileWindow(File& file, size_t window_size) : file_(file), buffer_(window_size) {}

bool FileWindow::holds(int64_t position) const
{
    return position >= base_ && position < window_end();
}

int64_t FileWindow::window_end() const
{
    return base_ + static_cast<int64_t>(length_);
}

bool FileWindow::refill(int64_t position)
{
    base_ = position;
    length_ = 0;
    if (position < 0 || !file_.seek(position)) {
        return false;
    }
    length_ = file_.read(buffer_.data(), buffer_.size());
    return length_ > 0;
}

bool FileWindow::read_exact(int64_t position, uint8_t* out, size_t size)
{
    if (size > buffer_.size()) {
        return file_.seek(position) && file_.read(out, size) == size;
    }
    if (!holds(position) || position + static_cast<int64_t>(size) > window_end()) {
        refill(position);
    }
    if (position < base_ || position + static_cast<int64_t>(size) > window_end()) {
        return false;
    }
    if (size > 0) { // an empty read may come with no buffer at all
        std::memcpy(out, buffer_.data() + (position - base_), size);
    }
    return true;
}

int64_t FileWindow::find(int64_t position, int64_t span, const uint8_t* pattern, size_t length)
{
    if (buffer_.size() < search_window) {
        buffer_.resize(search_window);
        length_ = 0; // what it held is read again
    }
    const int64_t end = position + span;
    const auto pattern_length = static_cast<int64_t>(length);
    int64_t from = position;
    while (from + pattern_length <= end) {
        if (!holds(from) && !refill(from)) {
            return -1;
        }
        const int64_t stop = std::min(end, window_end());
        const uint8_t* first = buffer_.data() + (from - base_);
        const uint8_t* last = buffer_.data() + (stop - base_);
        const uint8_t* hit = std::search(first, last, pattern, pattern + length);
        if (hit != last) {
            return base_ + (hit - buffer_.data());
        }
        if (length_ < buffer_.size() || stop == end) {
            return -1; // the window reached the end of the file, or the span is searched
        }
        // A match may straddle the window's end: go on from where it could begin.
        from = std::max(from + 1, stop - pattern_length + 1);
        refill(from);
    }
    return -1;
}
