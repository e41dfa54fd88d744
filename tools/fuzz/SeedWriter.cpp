// fuzz-seeds DIR: writes the hand-built seed inputs of the archive fuzzer: small event, chapter
// and picture files in the recorder's layout, with real pictures, sound and some damage.
#include <cstdio>
#include <string>

#include "support/ArchiveBuilder.h"
#include "support/TestJpeg.h"

namespace {

uint32_t scene(int x, int y)
{
    return static_cast<uint32_t>((x * 8) & 0xFF) << 16 | static_cast<uint32_t>((y * 8) & 0xFF) << 8 | 0x40u;
}

bool write(const std::string& folder, const std::string& name, const Bytes& bytes)
{
    FILE* out = std::fopen((folder + "/" + name).c_str(), "wb");
    if (out == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && written;
}

Bytes event_file(const Bytes& picture, bool damaged)
{
    HeaderFields header;
    header.detection_ms = 1100;
    ArchiveBuilder builder(header, 2);
    builder.information_block();
    for (int i = 0; i < 4; ++i) {
        BlockFields fields;
        fields.ms = 1000 + i * 34;
        fields.speed = 30 + i;
        fields.g1_bcd = 8000 + i * 111;
        fields.flag_byte = static_cast<uint8_t>(i == 2);
        Bytes payload = picture;
        if (damaged && i == 1) {
            payload[4] = 'x'; // a broken signature to resynchronise over
        }
        builder.picture(fields, payload);
        builder.sound(1000 + i * 34, Bytes(370, static_cast<uint8_t>(0x70 + i)));
    }
    return builder.bytes();
}

Bytes chapter_file(const Bytes& picture)
{
    ArchiveBuilder builder;
    builder.information_block();
    for (int i = 0; i < 3; ++i) {
        BlockFields fields;
        fields.ms = 500 + i * 100;
        fields.speed = 60;
        builder.picture(fields, picture).sound(500 + i * 100, Bytes(1102, 0x80));
    }
    BlockFields negative;
    negative.ms = 900;
    negative.payload_size = -64;
    builder.picture(negative, picture).picture(1000, 24);
    return builder.bytes();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: fuzz-seeds DIR\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const Bytes jpeg = encode_colour_jpeg(32, 24, scene);
    const Bytes picture = recorder_payload(jpeg);
    const bool written = write(folder, "event.dvt", event_file(picture, false)) &&
                         write(folder, "event-damaged.dvt", event_file(picture, true)) &&
                         write(folder, "chapter.dmv", chapter_file(picture)) &&
                         write(folder, "picture.dpc", block(BlockFields{}, picture)) &&
                         write(folder, "grey.jpg", encode_grey_jpeg(24, 16, scene)) &&
                         write(folder, "colour.jpg", jpeg);
    return written ? 0 : 1;
}
