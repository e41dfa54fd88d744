#pragma once
// Test help for the PNG decoder: files of libpng's test suite, PNG chunks built by hand, small
// pictures written with libpng, and a second reading of a file by libpng's own high-level path.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// The folder of libpng's test pictures that the build found (contrib/ of its source).
std::filesystem::path pngSuiteFolder();
// The .png files directly in `folder`, or below it with `recursive`, sorted by path.
std::vector<std::filesystem::path> pngFilesIn(const std::filesystem::path& folder, bool recursive);
Bytes readWholeFile(const std::filesystem::path& path);

// The eight signature bytes of every PNG file.
Bytes pngSignature();
// One chunk: length, type, data, CRC over type and data.
Bytes pngChunk(const std::string& type, const Bytes& data);
Bytes bigEndian32(uint32_t value);

// Where a chunk lies in a file: offset of its length field, and its data length.
struct ChunkPlace {
    size_t offset;
    uint32_t length;
};
std::optional<ChunkPlace> findChunk(const Bytes& file, const std::string& type);
// Puts a correct CRC on the chunk at `place` after its data was changed.
void repairCrc(Bytes& file, const ChunkPlace& place);

// A picture written by libpng. `samples` holds the rows top first, each sample in `bitDepth`
// bits packed as the PNG format packs them (16-bit samples big-endian).
struct PngPicture {
    int width = 0;
    int height = 0;
    int colourType = 0;
    int bitDepth = 8;
    Bytes samples;
    Bytes palette;                  // RGB triples, for palette pictures
    Bytes transparencyAlpha;        // tRNS of a palette picture: alpha per entry
    std::optional<uint16_t> transparentGrey; // tRNS of a grey picture
};
Bytes writePng(const PngPicture& picture);

// What the decoder must give for `file`: the pixels that png_read_png gives with libpng's
// expand, 16-to-8 scaling and grey-to-colour transformations, rearranged by the test into
// blue, green, red, alpha (255 without alpha) with the bottom row first. Empty when libpng
// itself cannot read the file.
struct ReferencePicture {
    int width = 0;
    int height = 0;
    Bytes pixels;
};
std::optional<ReferencePicture> referenceReading(const Bytes& file);
