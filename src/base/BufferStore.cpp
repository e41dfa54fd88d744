#include "base/BufferStore.h"

#include <algorithm>
#include <utility>

BufferStore::BufferStore(size_t max_buffers, size_t max_bytes) : max_buffers_(max_buffers), max_bytes_(max_bytes) {}

std::unique_ptr<uint8_t[]> BufferStore::take(size_t size)
{
    if (size != 0) {
        const std::lock_guard<std::mutex> lock(mutex_);
        // The newest of that size: the one most likely still in the cache.
        const auto found = std::find_if(kept_.rbegin(), kept_.rend(), [&](const Kept& k) { return k.size == size; });
        if (found != kept_.rend()) {
            std::unique_ptr<uint8_t[]> bytes = std::move(found->bytes);
            kept_bytes_ -= size;
            kept_.erase(std::next(found).base());
            return bytes;
        }
    }
    return std::unique_ptr<uint8_t[]>(new uint8_t[size]);
}

void BufferStore::give_back(std::unique_ptr<uint8_t[]> buffer, size_t size)
{
    if (!buffer || size == 0 || size > max_bytes_) {
        return;
    }
    std::vector<Kept> freed; // freed outside the lock
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        while (!kept_.empty() && (kept_.size() >= max_buffers_ || kept_bytes_ + size > max_bytes_)) {
            kept_bytes_ -= kept_.front().size;
            freed.push_back(std::move(kept_.front()));
            kept_.erase(kept_.begin());
        }
        kept_.push_back(Kept{size, std::move(buffer)});
        kept_bytes_ += size;
    }
}

size_t BufferStore::kept_buffers() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return kept_.size();
}

size_t BufferStore::kept_bytes() const
{
    const std::lock_guard<std::mutex> lock(mutex_);
    return kept_bytes_;
}
