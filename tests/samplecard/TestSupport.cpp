#include "TestSupport.h"

#include "platform/Platform.h"
#include "base/Text.h"
#include "recording/BigEndian.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace samplecard_test {

namespace {

std::filesystem::path fs_path(const std::wstring& path)
{
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    return std::filesystem::path(to_narrow(path));
#endif
}

struct DecodeErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    static void fail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<DecodeErrors*>(cinfo->err)->jump, 1); }
    static void quiet(j_common_ptr) {}
};

// Plain C control flow only between setjmp and a possible longjmp.
bool decode_into(jpeg_decompress_struct& cinfo, DecodeErrors& errors, const Bytes& jpeg, Decoded& out)
{
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    jpeg_mem_src(&cinfo, const_cast<unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    out.width = static_cast<int>(cinfo.output_width);
    out.height = static_cast<int>(cinfo.output_height);
    out.rgb.resize(static_cast<size_t>(out.width) * out.height * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = out.rgb.data() + static_cast<size_t>(cinfo.output_scanline) * out.width * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    return errors.manager.num_warnings == 0;
}

} // namespace

// Read with the viewer's own helpers, after a bounds check of the last byte.
uint32_t be16(const Bytes& bytes, size_t at) { return read_be16(&bytes.at(at + 1) - 1); }

uint32_t be32(const Bytes& bytes, size_t at) { return read_be32(&bytes.at(at + 3) - 3); }

int64_t bcd(const Bytes& bytes, size_t at, size_t size)
{
    int64_t value = 0;
    for (size_t i = 0; i < size; ++i) {
        const int high = bytes.at(at + i) >> 4;
        const int low = bytes.at(at + i) & 0x0F;
        if (high > 9 || low > 9) {
            return -1;
        }
        value = value * 100 + high * 10 + low;
    }
    return value;
}

std::vector<ChainBlock> block_chain(const Bytes& file, bool& complete)
{
    std::vector<ChainBlock> chain;
    size_t at = 48 + 8 * static_cast<size_t>(file.at(32));
    while (at + 64 <= file.size()) {
        const ChainBlock block{at, be32(file, at), be32(file, at + 4), file[at + 12]};
        chain.push_back(block);
        at += 64 + block.payload_size;
    }
    complete = at == file.size();
    return chain;
}

bool has_signature_at(const Bytes& bytes, size_t at)
{
    return at + 14 <= bytes.size() &&
           std::equal(std::begin(samplecard::picture_signature), std::end(samplecard::picture_signature),
                      bytes.begin() + static_cast<long>(at));
}

Decoded decode_jpeg(const Bytes& jpeg)
{
    Decoded out;
    jpeg_decompress_struct cinfo{};
    DecodeErrors errors;
    cinfo.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = DecodeErrors::fail;
    errors.manager.output_message = DecodeErrors::quiet;
    jpeg_create_decompress(&cinfo);
    out.ok = decode_into(cinfo, errors, jpeg, out);
    jpeg_destroy_decompress(&cinfo);
    return out;
}

Bytes restore_jpeg(const uint8_t* payload, size_t size)
{
    Bytes jpeg(payload, payload + size);
    jpeg.resize(std::max<size_t>(size, 16));
    std::copy(std::begin(samplecard::jpeg_lead), std::end(samplecard::jpeg_lead), jpeg.begin());
    return jpeg;
}

Bytes read_file(const std::wstring& path)
{
    std::ifstream in(fs_path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool exists(const std::wstring& path)
{
    std::error_code ignored;
    return std::filesystem::exists(fs_path(path), ignored);
}

bool is_hidden(const std::wstring& path)
{
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN) != 0;
#else
    (void)path;
    return false;
#endif
}

} // namespace samplecard_test
