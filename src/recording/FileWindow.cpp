#include "recording/FileWindow.h"

#include <algorithm>
#include <cstring>

#include "base/BufferStore.h"
#include "platform/File.h"

namespace {

// Searching for a signature across damage needs more than a header's worth at a time.
constexpr size_t search_window = 65536;

// Every load reads through a fresh window; the last ones' buffers are kept for the next (the
// player's loader and the thumbnail strip's may load at the same time). The header-sized
// windows of frame counting cost nothing to make and are not kept: they would push the large
// ones out.
constexpr size_t kept_windows = 4;
constexpr size_t kept_window_bytes = 2 * FileWindow::whole_pass + 2 * search_window;
constexpr size_t smallest_kept_window = search_window;

BufferStore& window_store()
{
    static BufferStore* const store = new BufferStore(kept_windows, kept_window_bytes);
    return *store;
}

std::unique_ptr<uint8_t[]> take_window(size_t size)
{
    return size >= smallest_kept_window ? window_store().take(size) : std::unique_ptr<uint8_t[]>(new uint8_t[size]);
}

void give_back_window(std::unique_ptr<uint8_t[]> buffer, size_t size)
{
    if (size >= smallest_kept_window) {
        window_store().give_back(std::move(buffer), size);
    }
}

} // namespace

FileWindow::FileWindow(File& file, size_t window_size) : file_(&file)
{
    replace_buffer(window_size);
}

FileWindow::FileWindow(const uint8_t* bytes, size_t size) : capacity_(size), bytes_(bytes), length_(size) {}

FileWindow::~FileWindow()
{
    give_back_window(std::move(buffer_), capacity_);
}

void FileWindow::replace_buffer(size_t size)
{
    std::unique_ptr<uint8_t[]> fresh = take_window(size);
    give_back_window(std::move(buffer_), capacity_);
    buffer_ = std::move(fresh);
    bytes_ = buffer_.get();
    capacity_ = size;
    length_ = 0;
}

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
    if (file_ == nullptr) {
        return holds(position); // the caller's bytes are all there is
    }
    base_ = position;
    length_ = 0;
    if (position < 0 || !file_->seek(position)) {
        return false;
    }
    length_ = file_->read(buffer_.get(), capacity_);
    return length_ > 0;
}

bool FileWindow::read_exact(int64_t position, uint8_t* out, size_t size)
{
    if (size > capacity_) {
        return file_ != nullptr && file_->seek(position) && file_->read(out, size) == size;
    }
    if (!holds(position) || position + static_cast<int64_t>(size) > window_end()) {
        refill(position);
    }
    if (position < base_ || position + static_cast<int64_t>(size) > window_end()) {
        return false;
    }
    if (size > 0) { // an empty read may come with no buffer at all
        std::memcpy(out, bytes_ + (position - base_), size);
    }
    return true;
}

int64_t FileWindow::find(int64_t position, int64_t span, const uint8_t* pattern, size_t length)
{
    if (file_ != nullptr && capacity_ < search_window) {
        replace_buffer(search_window); // what it held is read again
    }
    const int64_t end = position + span;
    const auto pattern_length = static_cast<int64_t>(length);
    int64_t from = position;
    while (from + pattern_length <= end) {
        if (!holds(from) && !refill(from)) {
            return -1;
        }
        const int64_t stop = std::min(end, window_end());
        const uint8_t* first = bytes_ + (from - base_);
        const uint8_t* last = bytes_ + (stop - base_);
        const uint8_t* hit = std::search(first, last, pattern, pattern + length);
        if (hit != last) {
            return base_ + (hit - bytes_);
        }
        if (file_ == nullptr || length_ < capacity_ || stop == end) {
            return -1; // the window reached the end of the file, or the span is searched
        }
        // A match may straddle the window's end: go on from where it could begin.
        from = std::max(from + 1, stop - pattern_length + 1);
        refill(from);
    }
    return -1;
}
