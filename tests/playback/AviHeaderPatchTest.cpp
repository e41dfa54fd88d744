// Finding the sound stream's length field in an AVI file's header list, chunk by chunk.
#include <gtest/gtest.h>

#include "playback/AviHeaderPatch.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

Bytes chunk(const char* tag, const Bytes& body)
{
    Bytes out(tag, tag + 4);
    put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    if (body.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

Bytes list(const char* type, const std::vector<Bytes>& chunks)
{
    Bytes body(type, type + 4);
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    return chunk("LIST", body);
}

// A stream header of type `type` whose length field holds 0x01020304.
Bytes stream_header(const char* type)
{
    Bytes body(56, 0);
    std::memcpy(body.data(), type, 4);
    body[32] = 4, body[33] = 3, body[34] = 2, body[35] = 1;
    return chunk("strh", body);
}

Bytes avi(const std::vector<Bytes>& header_chunks)
{
    Bytes body{'A', 'V', 'I', ' '};
    const Bytes header = list("hdrl", header_chunks);
    body.insert(body.end(), header.begin(), header.end());
    const Bytes movie = list("movi", {chunk("00dc", Bytes(10, 0xAB))});
    body.insert(body.end(), movie.begin(), movie.end());
    return chunk("RIFF", body);
}

size_t field_value_at(const Bytes& file, size_t at)
{
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) | (file[at + 3] << 24);
}

TEST(AviHeaderPatch, TheSoundStreamsLengthIsFoundBehindTheVideoStreamAndOddChunks)
{
    const Bytes file = avi({chunk("avih", Bytes(56, 0)),
                            list("strl", {stream_header("vids"), chunk("strf", Bytes(41, 1)), chunk("JUNK", Bytes(3, 0))}),
                            list("strl", {stream_header("auds"), chunk("strf", Bytes(18, 2))})});
    const std::optional<size_t> field = sound_length_field(file.data(), file.size());
    ASSERT_TRUE(field.has_value());
    EXPECT_EQ(0x01020304u, field_value_at(file, *field));
    // The video stream's header, which comes first, is not taken for it.
    const size_t first_header = std::string(file.begin(), file.end()).find("strh");
    EXPECT_GT(*field, first_header + 8 + 32);
}

TEST(AviHeaderPatch, NoSoundStreamOrACutHeaderGivesNothing)
{
    const Bytes video_only = avi({chunk("avih", Bytes(56, 0)), list("strl", {stream_header("vids")})});
    EXPECT_FALSE(sound_length_field(video_only.data(), video_only.size()).has_value());

    const Bytes both = avi({chunk("avih", Bytes(56, 0)), list("strl", {stream_header("vids")}), list("strl", {stream_header("auds")})});
    const size_t sound_header = std::string(both.begin(), both.end()).rfind("strh");
    EXPECT_FALSE(sound_length_field(both.data(), sound_header + 8 + 35).has_value());
    EXPECT_TRUE(sound_length_field(both.data(), sound_header + 8 + 36).has_value());

    Bytes wave = both;
    std::memcpy(wave.data() + 8, "WAVE", 4);
    EXPECT_FALSE(sound_length_field(wave.data(), wave.size()).has_value());
    EXPECT_FALSE(sound_length_field(nullptr, 0).has_value());
}

} // namespace
