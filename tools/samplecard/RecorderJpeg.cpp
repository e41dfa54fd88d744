#include "samplecard/RecorderJpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>

namespace samplecard {

namespace {

constexpr uint8_t marker_soi = 0xD8;
constexpr uint8_t marker_sos = 0xDA;
constexpr uint8_t marker_dht = 0xC4;

// One Huffman table as stored in a DHT segment: class/id byte, 16 counts, the values.
struct HuffmanTable {
    uint8_t class_and_id = 0;
    Bytes definition; // the whole definition, class/id byte included
};

size_t segment_length(const Bytes& jpeg, size_t at)
{
    if (at + 4 > jpeg.size()) {
        throw std::runtime_error("JPEG segment runs past the end");
    }
    const size_t length = static_cast<size_t>(jpeg[at + 2]) << 8 | jpeg[at + 3];
    if (length < 2 || at + 2 + length > jpeg.size()) {
        throw std::runtime_error("JPEG segment has a bad length");
    }
    return length;
}

std::vector<HuffmanTable> parse_dht(const uint8_t* body, size_t size)
{
    std::vector<HuffmanTable> tables;
    size_t at = 0;
    while (at < size) {
        if (at + 17 > size) {
            throw std::runtime_error("truncated Huffman table");
        }
        size_t values = 0;
        for (int i = 1; i <= 16; ++i) {
            values += body[at + i];
        }
        if (at + 17 + values > size) {
            throw std::runtime_error("truncated Huffman table");
        }
        tables.push_back({body[at], Bytes(body + at, body + at + 17 + values)});
        at += 17 + values;
    }
    return tables;
}

// libjpeg's output into a growing vector.
struct VectorDestination {
    jpeg_destination_mgr manager{};
    Bytes* out = nullptr;
    Bytes buffer = Bytes(64 * 1024);

    static void init(j_compress_ptr cinfo)
    {
        auto* self = reinterpret_cast<VectorDestination*>(cinfo->dest);
        self->manager.next_output_byte = self->buffer.data();
        self->manager.free_in_buffer = self->buffer.size();
    }
    static boolean empty(j_compress_ptr cinfo)
    {
        auto* self = reinterpret_cast<VectorDestination*>(cinfo->dest);
        self->out->insert(self->out->end(), self->buffer.begin(), self->buffer.end());
        init(cinfo);
        return TRUE;
    }
    static void term(j_compress_ptr cinfo)
    {
        auto* self = reinterpret_cast<VectorDestination*>(cinfo->dest);
        const size_t used = self->buffer.size() - self->manager.free_in_buffer;
        self->out->insert(self->out->end(), self->buffer.begin(), self->buffer.begin() + static_cast<long>(used));
    }
};

struct ErrorTrap {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    static void fail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<ErrorTrap*>(cinfo->err)->jump, 1); }
    static void quiet(j_common_ptr) {}
};

} // namespace

struct RecorderJpegEncoder::Compressor {
    jpeg_compress_struct cinfo{};
    ErrorTrap errors;
    VectorDestination destination;
    int quality = 75;

    // Plain C control flow only between setjmp and a possible longjmp.
    bool compress(const uint8_t* pixels, int width, int height, int components)
    {
        if (setjmp(errors.jump) != 0) {
            jpeg_abort_compress(&cinfo);
            return false;
        }
        cinfo.image_width = static_cast<JDIMENSION>(width);
        cinfo.image_height = static_cast<JDIMENSION>(height);
        cinfo.input_components = components;
        cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
        jpeg_set_defaults(&cinfo);
        jpeg_set_quality(&cinfo, quality, TRUE);
        cinfo.write_JFIF_header = FALSE;
        cinfo.optimize_coding = FALSE; // the recorder only ever uses the standard tables
        cinfo.dct_method = JDCT_ISLOW;
        jpeg_start_compress(&cinfo, TRUE);
        while (cinfo.next_scanline < cinfo.image_height) {
            JSAMPROW row =
                const_cast<JSAMPROW>(pixels + static_cast<size_t>(cinfo.next_scanline) * width * components);
            jpeg_write_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_compress(&cinfo);
        return true;
    }
};

RecorderJpegEncoder::RecorderJpegEncoder(int quality) : compressor_(std::make_unique<Compressor>())
{
    Compressor& c = *compressor_;
    c.quality = std::clamp(quality, 1, 100);
    c.cinfo.err = jpeg_std_error(&c.errors.manager);
    c.errors.manager.error_exit = ErrorTrap::fail;
    c.errors.manager.output_message = ErrorTrap::quiet;
    jpeg_create_compress(&c.cinfo);
    c.destination.manager.init_destination = VectorDestination::init;
    c.destination.manager.empty_output_buffer = VectorDestination::empty;
    c.destination.manager.term_destination = VectorDestination::term;
    c.cinfo.dest = &c.destination.manager;
}

RecorderJpegEncoder::~RecorderJpegEncoder() { jpeg_destroy_compress(&compressor_->cinfo); }

Bytes RecorderJpegEncoder::compress(const uint8_t* pixels, int width, int height, int components)
{
    if (width <= 0 || height <= 0 || width > 65500 || height > 65500) {
        throw std::runtime_error("picture size out of range");
    }
    Bytes jpeg;
    compressor_->destination.out = &jpeg;
    if (!compressor_->compress(pixels, width, height, components)) {
        throw std::runtime_error("the JPEG library failed");
    }
    return jpeg;
}

Bytes RecorderJpegEncoder::encode(const uint8_t* rgb, int width, int height)
{
    return to_recorder_layout(compress(rgb, width, height, 3));
}

Bytes RecorderJpegEncoder::encode_grey(const uint8_t* grey, int width, int height)
{
    return compress(grey, width, height, 1);
}

Bytes to_recorder_layout(const Bytes& jpeg)
{
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != marker_soi) {
        throw std::runtime_error("not a JPEG");
    }
    std::vector<HuffmanTable> tables;
    Bytes others; // every segment before the scan except the Huffman tables, in their order
    size_t at = 2;
    while (true) {
        if (at + 2 > jpeg.size() || jpeg[at] != 0xFF) {
            throw std::runtime_error("broken JPEG marker sequence");
        }
        const uint8_t marker = jpeg[at + 1];
        if (marker == marker_sos) {
            break;
        }
        const size_t length = segment_length(jpeg, at);
        if (marker == marker_dht) {
            const auto found = parse_dht(jpeg.data() + at + 4, length - 2);
            tables.insert(tables.end(), found.begin(), found.end());
        } else {
            others.insert(others.end(), jpeg.begin() + static_cast<long>(at),
                          jpeg.begin() + static_cast<long>(at + 2 + length));
        }
        at += 2 + length;
    }
    Bytes out = {0xFF, marker_soi, 0xFF, marker_dht, 0, 0};
    for (const uint8_t wanted : {0x00, 0x10, 0x01, 0x11}) {
        const auto table = std::find_if(tables.begin(), tables.end(),
                                        [wanted](const HuffmanTable& t) { return t.class_and_id == wanted; });
        if (table == tables.end()) {
            throw std::runtime_error("a standard Huffman table is missing");
        }
        out.insert(out.end(), table->definition.begin(), table->definition.end());
    }
    put_be16(out.data() + 4, static_cast<uint32_t>(out.size() - 4));
    if (!std::equal(std::begin(jpeg_lead), std::end(jpeg_lead), out.begin()) || out.size() - 4 != 0x01A2) {
        throw std::runtime_error("the Huffman tables are not the standard ones");
    }
    out.insert(out.end(), others.begin(), others.end());
    out.insert(out.end(), jpeg.begin() + static_cast<long>(at), jpeg.end());
    return out;
}

Bytes picture_payload(const Bytes& jpeg, ModelCode model)
{
    Bytes payload = jpeg;
    if (payload.size() < 16) {
        payload.resize(16);
    }
    payload[0] = model.high;
    payload[1] = model.low;
    std::copy(std::begin(picture_signature), std::end(picture_signature), payload.begin() + 2);
    return payload;
}

} // namespace samplecard
