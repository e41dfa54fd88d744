#pragma once
// Puts an event or chapter file together: file header, the index of where each second starts,
// and the blocks in the order they were added.
#include "samplecard/WrittenArchive.h"

namespace samplecard {

class ArchiveAssembler {
public:
    explicit ArchiveAssembler(const FileHeaderFields& header) : header_(header) {}

    // Appends a block of `type` with `payload`; `facts` describes it (its offset is filled in
    // by finish). The payload size written is the payload's length.
    void add(WrittenBlock facts, uint8_t type, const Bytes& payload);

    // The finished file, cut to `truncate_to` bytes when that is not negative and shorter.
    WrittenArchive finish(int64_t truncate_to);

private:
    struct Pending {
        WrittenBlock facts;
        Bytes bytes; // header and payload
    };

    FileHeaderFields header_;
    std::vector<Pending> blocks_;
};

} // namespace samplecard
