#pragma once
// The messages that cross threads or windows in playback, named once.
#include <windows.h>

// Loader worker → owner: the armed deadline (alarm) has passed. wParam and lParam 0.
// Sound callback → sound player's own window: a buffer came back. wParam and lParam 0.
constexpr UINT WM_PLAYER_TICK = WM_USER + 1;
// Loader worker → owner: a decoded picture. wParam = frame index, lParam = Image* (the receiver
// takes ownership) or 0 when the picture could not be decoded.
constexpr UINT WM_PICTURE_DELIVERED = WM_USER + 100;
// Sound player → owner: all output has stopped; read the player's finished flag.
constexpr UINT WM_SOUND_STOPPED = 953;
