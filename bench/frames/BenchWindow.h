#pragma once
// A visible top-level window of a given client size that the benchmarks draw into and that owns
// an image loader: it notes when each decoded picture arrives at its message loop.
#include <windows.h>

#include <memory>

class Image;

class BenchWindow {
public:
    BenchWindow(int client_width, int client_height);
    ~BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    HWND get() const { return window_; }

    struct Delivery {
        int index = -1;
        double arrival = 0; // seconds_now() when the window procedure received it
        bool with_picture = false;
    };
    // Runs this thread's message loop until a picture arrives or `timeout_ms` pass; the picture
    // is freed, its arrival kept.
    bool wait_for_delivery(Delivery& delivery, DWORD timeout_ms);
    // Runs the message loop until the steady clock reaches `until` (seconds_now()).
    void pump_until(double until);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool pump_once(DWORD wait_ms);

    HWND window_ = nullptr;
    bool delivered_ = false;
    Delivery last_;
};
