#pragma once
// The messages that cross threads in playback, named once with what they carry.
//
// Every message from a loader's worker carries the number of the recording it belongs to (the
// loader counts each archive it opens or closes), so that a tick or a picture still queued when
// that recording was closed is recognised and dropped (and its picture freed) by the receiver.
#include <windows.h>

// Loader worker -> owner: the armed deadline (alarm) has passed.
//   wParam = the recording number (low 16 bits) when the alarm was armed; lParam 0.
// Sound callback thread -> the sound player's own message-only window: a buffer came back.
//   wParam and lParam 0 (the sound player counts its buffers itself).
constexpr UINT WM_PLAYER_TICK = WM_USER + 1;
// Loader worker -> owner: a decoded picture.
//   LOWORD(wParam) = frame index, HIWORD(wParam) = recording number (low 16 bits);
//   lParam = Image* that the receiver takes over and must free, or 0 when decoding failed.
constexpr UINT WM_PICTURE_DELIVERED = WM_USER + 100;
// Sound player -> owner: all output has stopped; wParam and lParam 0 (read the finished flag).
constexpr UINT WM_SOUND_STOPPED = 953;

// The 16 bits of a recording number that travel in a message.
inline WPARAM recording_tag(unsigned recording) { return static_cast<WPARAM>(recording & 0xFFFFu); }

inline WPARAM picture_wparam(int index, unsigned recording)
{
    return static_cast<WPARAM>(static_cast<unsigned>(index) & 0xFFFFu) | (recording_tag(recording) << 16);
}
inline int picture_index(WPARAM wParam) { return static_cast<int>(wParam & 0xFFFFu); }
inline bool picture_belongs_to(WPARAM wParam, unsigned recording)
{
    return ((wParam >> 16) & 0xFFFFu) == recording_tag(recording);
}
inline bool tick_belongs_to(WPARAM wParam, unsigned recording) { return (wParam & 0xFFFFu) == recording_tag(recording); }
