#include "recording/BlockScanner.h"

#include "recording/BigEndian.h"

namespace {

constexpr int64_t resync_span = 1048576;

} // namespace

BlockScanner::BlockScanner(File& file, int64_t first_block, size_t window_size)
    : window_(file, window_size), position_(first_block)
{
}

BlockScanner::BlockScanner(const uint8_t* bytes, size_t size, int64_t first_block)
    : window_(bytes, size), position_(first_block)
{
}

std::optional<ScannedBlock> BlockScanner::next()
{
    using namespace archive_layout;
    while (!ended_) {
        ScannedBlock block;
        block.position = position_;
        if (!window_.read_exact(position_, block.bytes.data(), block.bytes.size())) {
            ended_ = true;
            break;
        }
        if (has_signature(block.bytes.data()) || block.type() == sound_block) {
            move_past(block);
            return block;
        }
        resynchronise(position_ + static_cast<int64_t>(block_header_size));
    }
    return std::nullopt;
}

void BlockScanner::move_past(const ScannedBlock& block)
{
    using namespace archive_layout;
    const int64_t payload = block.position + static_cast<int64_t>(block_header_size);
    if (block.type() != picture_block && block.type() != sound_block) {
        position_ = payload; // a foreign block: its header alone is passed over
        return;
    }
    const int32_t size = read_be32_signed(block.bytes.data());
    if (size >= 0) {
        position_ = payload + size;
        return;
    }
    // A negative size is damage; stepping back could read this block forever. Search on from
    // beyond this block's own signature instead.
    resynchronise(block.position + static_cast<int64_t>(signature_offset) + 1);
}

void BlockScanner::resynchronise(int64_t from)
{
    using namespace archive_layout;
    const int64_t found = window_.find(from, resync_span, signature.data(), signature.size());
    if (found < static_cast<int64_t>(signature_offset)) {
        ended_ = true;
        return;
    }
    position_ = found - static_cast<int64_t>(signature_offset);
}
