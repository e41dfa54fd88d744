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

// Starts a Unix shell command through Wine.
bool start_shell(const std::wstring& script, PROCESS_INFORMATION& process)
{
    std::wstring command = L"Z:\\bin\\sh -c \"" + script + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process) != FALSE;
}

} // namespace

int running_sound_streams(const std::wstring& scratch_folder)
{
    const std::wstring listing = scratch_folder + L"\\streams.txt";
    DeleteFileW(listing.c_str());
    PROCESS_INFORMATION process{};
    const std::wstring unix_listing = unix_path(listing);
    if (unix_listing.empty() ||
        !start_shell(L"LANG=C pactl list sink-inputs > '" + unix_listing + L"' && echo all-streams-listed >> '" +
                         unix_listing + L"'", process)) {
        return -1;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a Unix program may be signalled before the program has ended: the listing
    // is complete when its last line is there.
    const std::string complete = "all-streams-listed";
    std::string text;
    for (int attempt = 0; attempt < 500 && text.find(complete) == std::string::npos; ++attempt) {
        Sleep(10);
        if (GetFileAttributesW(listing.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const std::vector<uint8_t> bytes = read_bytes(listing);
            text.assign(bytes.begin(), bytes.end());
        }
    }
    if (text.find(complete) == std::string::npos) {
        return -1;
    }
    int running = 0;
    for (size_t at = text.find("Corked: no"); at != std::string::npos; at = text.find("Corked: no", at + 1)) {
        ++running;
    }
    return running;
}

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
    started_at_ = GetTickCount();
    started_ = start_shell(L"timeout " + std::to_wstring(recording_ms / 1000) +
                               L" parec -d nullsink.monitor --latency-msec=50 --format=u8 --rate=11025 "
                               L"--channels=1 --raw > '" + unix_path(output) + L"'",
                           process_);
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

size_t longest_silence(const std::vector<uint8_t>& heard)
{
    const auto silent = [](uint8_t sample) { return sample == 0x80 || sample == 0; };
    const auto first = std::find_if_not(heard.begin(), heard.end(), silent);
    const auto last = std::find_if_not(heard.rbegin(), heard.rend(), silent).base();
    size_t longest = 0;
    size_t run = 0;
    for (auto at = first; at < last; ++at) {
        run = silent(*at) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

std::vector<size_t> piece_positions(const std::vector<uint8_t>& heard, const std::vector<uint8_t>& expected,
                                    size_t from)
{
    std::vector<size_t> positions;
    auto search_from = heard.begin() + static_cast<std::ptrdiff_t>(std::min(from, heard.size()));
    for (size_t at = 0; at + heard_piece <= expected.size(); at += heard_piece) {
        const auto piece = expected.begin() + static_cast<std::ptrdiff_t>(at);
        const auto found = std::search(search_from, heard.end(), piece, piece + heard_piece);
        if (found == heard.end()) {
            positions.push_back(not_heard);
            continue;
        }
        positions.push_back(static_cast<size_t>(found - heard.begin()));
        search_from = found + heard_piece;
    }
    return positions;
}
