#pragma once
// A libjpeg data source over a byte buffer that the caller keeps alive during decoding.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

// Installs the source on `info`; it lives in the decompressor's permanent pool. When the data
// runs out the library is handed an end-of-image marker, never a byte beyond the buffer.
void use_memory_source(j_decompress_ptr info, const uint8_t* data, size_t size);
