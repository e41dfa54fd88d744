#include "support/SoundCapture.h"

#include "support/TempFolder.h"
#include "support/UiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// The Unix path of a Windows path, through Wine's own conversion.
std::wstring unix_path(const std::wstring& path)
{
    wchar_t* converted = nullptr;
    using Converter = wchar_t* (*)(const wchar_t*);
    auto to_unix = reinterpret_cast<Converter>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (to_unix != nullptr) {
        converted = to_unix(path.c_str());
    }
    std::wstring result = converted != nullptr ? converted : L"";
    // wine_get_unix_file_name hands back narrow text in a wide-typed buffer.
    if (converted != nullptr) {
        const auto* narrow = reinterpret_cast<const char*>(converted);
        result.assign(narrow, narrow + std::strlen(narrow));
        HeapFree(GetProcessHeap(), 0, converted);
    }
    return result;
}

std::vector<uint8_t> without_silence(std::vector<uint8_t> samples)
{
    samples.erase(std::remove(samples.begin(), samples.end(), uint8_t{0x80}), samples.end());
    return samples;
}

} // namespace

std::vector<uint8_t> wave_file(const std::vector<uint8_t>& samples)
{
    std::vector<uint8_t> bytes(44 + samples.size());
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        }
    };
    std::memcpy(bytes.data(), "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0", 24);
    put32(4, static_cast<uint32_t>(samples.size() + 36));
    put32(24, 11025);
    put32(28, 11025);
    bytes[32] = 1;
    bytes[34] = 8;
    std::memcpy(bytes.data() + 36, "data", 4);
    put32(40, static_cast<uint32_t>(samples.size()));
    std::copy(samples.begin(), samples.end(), bytes.begin() + 44);
    return bytes;
}

std::vector<uint8_t> sound_pattern(size_t count)
{
    std::vector<uint8_t> samples(count);
    uint32_t state = 12345;
    for (auto& sample : samples) {
        state = state * 1103515245u + 12345u;
        sample = static_cast<uint8_t>(16 + (state >> 16) % 224);
    }
    return samples;
}

SinkRecording::SinkRecording(const std::wstring& output) : output_(output)
{
    std::wstring command = L"Z:\\bin\\sh -c \"timeout " + std::to_wstring(recording_ms / 1000) + L" parec -d nullsink.monitor --latency-msec=50 "
                           L"--format=u8 --rate=11025 --channels=1 --raw > '" +
                           unix_path(output) + L"'\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_at_ = GetTickCount();
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != FALSE;
}

SinkRecording::~SinkRecording()
{
    if (started_) {
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
}

size_t SinkRecording::samples_taken() const
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(output_.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

bool SinkRecording::connected() const
{
    return started_ && pumpUntil([&] { return samples_taken() > 0; }, 10000);
}

bool SinkRecording::heard_for(int ms) const
{
    // A recorder that has ended (its time is up) has heard all it will.
    const size_t until = samples_taken() + static_cast<size_t>(ms) * 11025 / 1000;
    return started_ && pumpUntil(
                           [&] {
                               return samples_taken() >= until || GetTickCount() - started_at_ >= recording_ms;
                           },
                           static_cast<DWORD>(ms) + 10000);
}

std::vector<uint8_t> SinkRecording::finish()
{
    WaitForSingleObject(process_.hProcess, 10000);
    return read_bytes(output_);
}

void expect_heard(const std::vector<uint8_t>& heard, const std::vector<uint8_t>& expected)
{
    // On a loaded machine the device may run dry between two buffers (the sink then plays
    // silence) and the recorder of the sink may lose a moment, so the sound is compared in
    // pieces of 256 samples with silence taken out: most pieces must be there sample for
    // sample. A wrong volume or a shifted sample leaves none.
    const std::vector<uint8_t> sound = without_silence(expected);
    const std::vector<uint8_t> played = without_silence(heard);
    const size_t piece = 256;
    size_t pieces = 0;
    size_t found = 0;
    for (size_t at = piece; at + 2 * piece <= sound.size(); at += piece, ++pieces) {
        const auto first = sound.begin() + static_cast<std::ptrdiff_t>(at);
        found += std::search(played.begin(), played.end(), first, first + piece) != played.end() ? 1 : 0;
    }
    ASSERT_GT(pieces, 20u);
    EXPECT_GE(found * 4, pieces * 3) << found << " of " << pieces << " pieces heard in " << heard.size()
                                     << " captured samples";
}

size_t longest_zero_run(const std::vector<uint8_t>& heard)
{
    size_t longest = 0;
    size_t run = 0;
    for (const uint8_t sample : heard) {
        run = sample == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}
