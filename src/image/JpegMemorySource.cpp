#include "image/JpegMemorySource.h"

#include <jerror.h>

namespace {

struct MemorySource {
    jpeg_source_mgr manager; // first, so the library's pointer is also ours
    const uint8_t* data;
    size_t size;
    size_t position; // the first byte not yet handed to the library
};

const JOCTET end_of_image[] = {0xFF, JPEG_EOI};

MemorySource* source_of(j_decompress_ptr info)
{
    return reinterpret_cast<MemorySource*>(info->src);
}

void init_source(j_decompress_ptr info)
{
    source_of(info)->position = 0;
}

boolean fill_input_buffer(j_decompress_ptr info)
{
    MemorySource* source = source_of(info);
    if (source->position < source->size) {
        source->manager.next_input_byte = source->data + source->position;
        source->manager.bytes_in_buffer = source->size - source->position;
        source->position = source->size;
    } else {
        // The picture ends early: an end-of-image marker lets the library finish the picture.
        WARNMS(info, JWRN_JPEG_EOF);
        source->manager.next_input_byte = end_of_image;
        source->manager.bytes_in_buffer = sizeof end_of_image;
    }
    return TRUE;
}

void skip_input_data(j_decompress_ptr info, long count)
{
    if (count <= 0) {
        return;
    }
    MemorySource* source = source_of(info);
    jpeg_source_mgr& manager = source->manager;
    auto wanted = static_cast<unsigned long>(count);
    if (wanted <= manager.bytes_in_buffer) {
        manager.next_input_byte += wanted;
        manager.bytes_in_buffer -= wanted;
        return;
    }
    // Beyond what the library holds: the rest is passed over in the data, up to its end.
    wanted -= static_cast<unsigned long>(manager.bytes_in_buffer);
    manager.next_input_byte += manager.bytes_in_buffer;
    manager.bytes_in_buffer = 0;
    const size_t left = source->size - source->position;
    source->position += wanted < left ? wanted : left;
}

void term_source(j_decompress_ptr) {}

} // namespace

void use_memory_source(j_decompress_ptr info, const uint8_t* data, size_t size)
{
    auto* source = static_cast<MemorySource*>(
        (*info->mem->alloc_small)(reinterpret_cast<j_common_ptr>(info), JPOOL_PERMANENT, sizeof(MemorySource)));
    source->manager.init_source = init_source;
    source->manager.fill_input_buffer = fill_input_buffer;
    source->manager.skip_input_data = skip_input_data;
    source->manager.resync_to_restart = jpeg_resync_to_restart;
    source->manager.term_source = term_source;
    source->manager.next_input_byte = nullptr;
    source->manager.bytes_in_buffer = 0;
    source->data = data;
    source->size = size;
    source->position = 0;
    info->src = &source->manager;
}
