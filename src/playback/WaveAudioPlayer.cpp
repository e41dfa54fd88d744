#include "playback/WaveAudioPlayer.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "playback/PlayerMessages.h"

#include <algorithm>

WaveAudioPlayer::WaveAudioPlayer(HWND owner) : owner_(owner)
{
    CreationRecord record;
    record.className = defaultClassName;
    record.parent = HWND_MESSAGE;
    create(record);
}

WaveAudioPlayer::~WaveAudioPlayer()
{
    close();
    close_device();
}

LRESULT WaveAudioPlayer::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PLAYER_TICK:
        on_buffer_done();
        return 0;
    default:
        return Window::windowProc(message, wParam, lParam);
    }
}

void CALLBACK WaveAudioPlayer::wave_callback(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR)
{
    // Runs on the system's sound thread: no waveOut call may be made here, only a message.
    if (message == WOM_DONE) {
        PostMessageW(reinterpret_cast<WaveAudioPlayer*>(instance)->handle(), WM_PLAYER_TICK, 0, 0);
    }
}

void WaveAudioPlayer::open(const std::wstring& path)
{
    close();
    wave_ = WaveData::read(path);
    try {
        open_device(path);
    } catch (...) {
        wave_ = WaveData();
        buffer_memory_.clear();
        throw;
    }
    state_ = stopped;
}

void WaveAudioPlayer::open_device(const std::wstring& path)
{
    const WaveFormat& format = wave_.format();
    byte_rate_x1000_ = static_cast<int>(format.block_align * format.samples_per_second * 1000);
    buffer_length_ = static_cast<int>(format.block_align * format.samples_per_second / 5);
    if (device_ != nullptr && buffer_memory_.size() == static_cast<size_t>(buffer_length_) * 2) {
        // The device of the last sound is still open and idle: the next chapter starts on it at
        // once, without the sound server setting up a new stream.
        return;
    }
    close_device();
    buffer_memory_.assign(static_cast<size_t>(buffer_length_) * 2, 0x80);
    for (size_t i = 0; i < headers_.size(); ++i) {
        headers_[i] = WAVEHDR{};
        headers_[i].lpData = reinterpret_cast<LPSTR>(buffer_memory_.data() + i * static_cast<size_t>(buffer_length_));
        headers_[i].dwBufferLength = static_cast<DWORD>(buffer_length_);
        headers_[i].dwUser = reinterpret_cast<DWORD_PTR>(this);
    }
    next_buffer_ = 0;
    outstanding_ = 0;

    WAVEFORMATEX device_format{};
    device_format.wFormatTag = format.tag;
    device_format.nChannels = format.channels;
    device_format.nSamplesPerSec = format.samples_per_second;
    device_format.nAvgBytesPerSec = format.bytes_per_second;
    device_format.nBlockAlign = format.block_align;
    device_format.wBitsPerSample = format.bits_per_sample;
    if (waveOutOpen(&device_, WAVE_MAPPER, &device_format, reinterpret_cast<DWORD_PTR>(&wave_callback),
                    reinterpret_cast<DWORD_PTR>(this), CALLBACK_FUNCTION) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        throw WaveAudioException(path);
    }
    for (WAVEHDR& header : headers_) {
        if (waveOutPrepareHeader(device_, &header, sizeof header) != MMSYSERR_NOERROR) {
            close_device();
            throw WaveAudioException(path);
        }
    }
}

void WaveAudioPlayer::close()
{
    // The device stays open but stopped, so that it sends nothing to the sound server: the
    // next sound (the next chapter) starts on it without delay.
    if (device_ != nullptr) {
        last_write_start_ = 0;
        last_write_end_ = 0;
        waveOutReset(device_);
    }
    state_ = closed;
    outstanding_ = 0;
    wave_ = WaveData();
}

void WaveAudioPlayer::close_device()
{
    if (device_ != nullptr) {
        waveOutReset(device_);
        for (WAVEHDR& header : headers_) {
            if ((header.dwFlags & WHDR_PREPARED) == 0) {
                continue;
            }
            for (int attempt = 0; attempt < 10; ++attempt) {
                if (waveOutUnprepareHeader(device_, &header, sizeof header) == MMSYSERR_NOERROR) {
                    break;
                }
                Sleep(100);
            }
        }
        waveOutClose(device_);
        device_ = nullptr;
    }
    buffer_memory_.clear();
    buffer_memory_.shrink_to_fit();
}

void WaveAudioPlayer::require_open() const
{
    if (state_ == closed) {
        throw WaveAudioException(load_text(texts::device_not_open)); // "デバイスがオープンされていません。"
    }
}

int WaveAudioPlayer::fill(int64_t from)
{
    const auto data_size = static_cast<int64_t>(wave_.samples().size());
    if (buffer_length_ == 0) {
        return 0;
    }
    // Only a buffer the device has given back may be filled again.
    const int index = free_buffer();
    if (index < 0) {
        return 0;
    }
    const FillRange range = fill_range(from, data_size, buffer_length_);
    last_write_start_ = range.from;
    last_write_end_ = range.end;
    const auto count = static_cast<int>(range.end - range.from);
    if (count <= 0) {
        return count;
    }
    WAVEHDR& header = headers_[static_cast<size_t>(index)];
    scale_samples(wave_.samples().data() + range.from, reinterpret_cast<uint8_t*>(header.lpData),
                  static_cast<size_t>(count), volume_);
    header.dwBufferLength = static_cast<DWORD>(count);
    filled_volume_ = volume_;
    holds_silence_[static_cast<size_t>(index)] = false;
    if (waveOutWrite(device_, &header, sizeof header) == MMSYSERR_NOERROR) {
        ++outstanding_;
        next_buffer_ = 1 - index;
        state_ = playing;
    }
    return count;
}

int WaveAudioPlayer::free_buffer() const
{
    for (const int index : {next_buffer_, 1 - next_buffer_}) {
        if ((headers_[static_cast<size_t>(index)].dwFlags & WHDR_INQUEUE) == 0) {
            return index;
        }
    }
    return -1;
}

void WaveAudioPlayer::feed_silence()
{
    const int index = free_buffer();
    if (index < 0 || buffer_length_ == 0) {
        return;
    }
    WAVEHDR& header = headers_[static_cast<size_t>(index)];
    std::fill(header.lpData, header.lpData + buffer_length_, static_cast<char>(0x80));
    header.dwBufferLength = static_cast<DWORD>(buffer_length_);
    holds_silence_[static_cast<size_t>(index)] = true;
    if (waveOutWrite(device_, &header, sizeof header) == MMSYSERR_NOERROR) {
        ++outstanding_;
        next_buffer_ = 1 - index;
    }
}

void WaveAudioPlayer::play(int start_ms)
{
    start_time_ = timeGetTime();
    if (state_ == closed) {
        start_offset_ = start_ms; // the video player's clock runs on this without sound
        require_open();
    }
    const WaveFormat& format = wave_.format();
    const int64_t bytes_per_second = static_cast<int64_t>(format.block_align) * format.samples_per_second;
    // A start at or beyond the end leaves nothing to play.
    start_from(bytes_per_second * start_ms / 1000);
}

void WaveAudioPlayer::start_from(int64_t byte)
{
    finished_ = false;
    last_write_start_ = 0;
    last_write_end_ = 0;
    waveOutReset(device_);
    outstanding_ = 0;

    const WaveFormat& format = wave_.format();
    const int64_t start = std::clamp<int64_t>(byte, 0, static_cast<int64_t>(wave_.samples().size()));
    start_byte_ = start;
    start_offset_ = static_cast<int>(start / format.block_align * 1000 / format.samples_per_second);

    const int written = fill(start);
    if (written > 0) {
        fill(start + written);
    } else {
        finished_ = true;
        state_ = stopped;
        notify_stopped();
    }
}

void WaveAudioPlayer::on_buffer_done()
{
    // Count what the device really still holds: buffers handed back by a reset also report
    // here, after the count has started again.
    outstanding_ = 0;
    int samples_outstanding = 0;
    for (size_t i = 0; i < headers_.size(); ++i) {
        const bool queued = (headers_[i].dwFlags & WHDR_INQUEUE) != 0;
        outstanding_ += queued ? 1 : 0;
        samples_outstanding += queued && !holds_silence_[i] ? 1 : 0;
    }
    if (state_ == closed) {
        return;
    }
    if (last_write_end_ != 0) {
        if (finished_ || fill(last_write_end_) <= 0) {
            // The samples have run out: silence keeps the device fed until the last samples
            // have been played; then the device stops, so that it sends nothing more to the
            // sound server (a stream left running runs dry on a busy machine, and a stream run
            // dry plays bursts of 0x00), and the end is told.
            if (finished_) {
                return;
            }
            if (samples_outstanding == 0) {
                finished_ = true;
                state_ = stopped;
                waveOutReset(device_);
                notify_stopped();
                return;
            }
            feed_silence();
        }
    } else if (outstanding_ == 0) {
        finished_ = false;
        state_ = stopped;
        notify_stopped();
    }
}

void WaveAudioPlayer::notify_stopped() { PostMessageW(owner_, WM_SOUND_STOPPED, 0, 0); }

void WaveAudioPlayer::stop()
{
    require_open();
    last_write_start_ = 0;
    last_write_end_ = 0;
    waveOutReset(device_);
    state_ = stopped;
}

void WaveAudioPlayer::pause()
{
    require_open();
    if (waveOutPause(device_) == MMSYSERR_NOERROR) {
        state_ = paused;
    }
}

void WaveAudioPlayer::resume()
{
    require_open();
    if (finished_) {
        state_ = stopped; // nothing left to play
        notify_stopped();
        return;
    }
    if (filled_volume_ != volume_) {
        // The buffers queued before the pause carry the old volume: the sound goes on from
        // where it was paused, at the volume chosen meanwhile.
        start_from(start_byte_ + played_bytes());
    }
    if (waveOutRestart(device_) == MMSYSERR_NOERROR) {
        state_ = playing;
    }
}

int64_t WaveAudioPlayer::played_bytes() const
{
    MMTIME time{};
    time.wType = TIME_BYTES;
    if (device_ == nullptr || waveOutGetPosition(device_, &time, sizeof time) != MMSYSERR_NOERROR) {
        return 0;
    }
    const auto data_size = static_cast<int64_t>(wave_.samples().size());
    return std::clamp<int64_t>(time.u.cb, 0, std::max<int64_t>(data_size - 1, 0));
}

int WaveAudioPlayer::position() const
{
    const WaveFormat& format = wave_.format();
    if (device_ == nullptr || format.block_align == 0) {
        return 0;
    }
    return static_cast<int>(played_bytes() / format.block_align * 1000 / format.samples_per_second) + start_offset_;
}

void WaveAudioPlayer::set_volume(int volume) { volume_ = std::clamp(volume, 0, 16); }
