#pragma once
// A written archive file with the facts of every block in it, so that tests can compare a
// reader's result with what was written without decoding the file a second way.
#include "samplecard/ArchiveLayout.h"

#include <vector>

namespace samplecard {

enum class BlockKind { information, picture, sound, foreign };

struct WrittenBlock {
    BlockKind kind = BlockKind::picture;
    size_t offset = 0;         // of the block header in the file
    uint32_t payload_size = 0;
    uint32_t ms = 0;           // block time
    uint32_t sound_length = 0; // samples in a sound block
    int frame = -1;            // pictures: the recorder's frame number; sound: the block's number
    bool duplicate = false;
    bool broken_signature = false;
    BlockStamp stamp;

    size_t payload_offset() const { return offset + block_header_size; }
    size_t end() const { return payload_offset() + payload_size; }
};

struct WrittenArchive {
    Bytes bytes;              // the file as written (cut when a truncation was asked for)
    size_t full_size = 0;     // its size before any truncation
    FileHeaderFields header;
    size_t index_entries = 0;
    std::vector<WrittenBlock> blocks; // in file order, including any cut off by a truncation
    int frames = 0;           // frames of the recording, dropped ones included
    uint32_t first_ms = 0;    // block time of frame 0
    // The frame the detection instant belongs to (the header's detection ms lies 8 ms after
    // its block time); -1 for kinds without a detection instant.
    int detection_frame = -1;
    Bytes sound;              // every sample the sound blocks carry, in order
};

} // namespace samplecard
