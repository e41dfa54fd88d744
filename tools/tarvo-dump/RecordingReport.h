#pragma once
// What tarvo-dump prints of a loaded recording file: the reader's whole understanding as JSON,
// and a picture as a BMP file (the telemetry's CSV is recording/TelemetryCsv's).
#include <cstdint>
#include <string>
#include <vector>

class Image;
class VideoArchive;

// The JSON object of the archive's state, every frame slot and the time index. `sound_bytes`
// is the data size of the sound the reader extracted, -1 when it made none.
std::string recording_json(const VideoArchive& archive, int64_t sound_bytes);

// The same object for the pictures of an image folder (load_images), each frame with the
// "name" of its picture file, and "more_than_600" with load_images' result.
std::string image_folder_json(const VideoArchive& archive, bool more_than_600);

// The data size in the header of the WAVE file at `path`, or -1 without a readable header.
int64_t wave_data_size(const std::wstring& path);

// A 32-bit uncompressed bottom-up BMP file of the picture.
std::vector<uint8_t> bmp_file(const Image& image);
