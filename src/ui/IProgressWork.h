#pragma once
// A long piece of work done in short steps under a progress window, which may stop it between
// two steps.
#include <cstdint>
#include <string>

class IProgressWork {
public:
    virtual ~IProgressWork() = default;
    // Does the next step; false once nothing is left. Failures throw an Exception.
    virtual bool step() = 0;
    // How far the work is, as a part of `total()` units.
    virtual int64_t done() const = 0;
    virtual int64_t total() const = 0;
    // What the window says about it ("12 秒 / 30 秒").
    virtual std::wstring progress_text() const = 0;
};
