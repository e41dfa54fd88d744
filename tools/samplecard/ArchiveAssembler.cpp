#include "samplecard/ArchiveAssembler.h"

#include <optional>

namespace samplecard {

void ArchiveAssembler::add(WrittenBlock facts, uint8_t type, const Bytes& payload)
{
    facts.payload_size = static_cast<uint32_t>(payload.size());
    Bytes bytes = block_header(type, facts.payload_size, facts.ms, facts.sound_length, facts.stamp);
    bytes.insert(bytes.end(), payload.begin(), payload.end());
    blocks_.push_back({facts, std::move(bytes)});
}

WrittenArchive ArchiveAssembler::finish(int64_t truncate_to)
{
    // One index entry per second of pictures: the first picture block of that second.
    std::vector<IndexEntry> entries;
    std::optional<uint32_t> first_ms;
    int64_t last_second = -1;
    uint32_t relative = 0;
    for (const Pending& block : blocks_) {
        if (block.facts.kind == BlockKind::picture && !block.facts.duplicate) {
            first_ms = first_ms.value_or(block.facts.ms);
            const int64_t second = (static_cast<int64_t>(block.facts.ms) - *first_ms) / 1000;
            if (second > last_second && entries.size() < 255) {
                entries.push_back({relative, block.facts.ms});
                last_second = second;
            }
        }
        relative += static_cast<uint32_t>(block.bytes.size());
    }
    const auto blocks_start =
        static_cast<uint32_t>(file_header_size + preamble_size + entries.size() * index_entry_size);
    for (IndexEntry& entry : entries) {
        entry.offset += blocks_start;
    }

    WrittenArchive archive;
    archive.header = header_;
    archive.index_entries = entries.size();
    archive.bytes = file_header(header_);
    const Bytes index = index_area(entries);
    archive.bytes.insert(archive.bytes.end(), index.begin(), index.end());
    archive.bytes.reserve(archive.bytes.size() + relative);
    for (Pending& block : blocks_) {
        block.facts.offset = archive.bytes.size();
        archive.bytes.insert(archive.bytes.end(), block.bytes.begin(), block.bytes.end());
        archive.blocks.push_back(block.facts);
    }
    blocks_.clear();
    archive.full_size = archive.bytes.size();
    if (truncate_to >= 0 && static_cast<uint64_t>(truncate_to) < archive.bytes.size()) {
        archive.bytes.resize(static_cast<size_t>(truncate_to));
    }
    return archive;
}

} // namespace samplecard
