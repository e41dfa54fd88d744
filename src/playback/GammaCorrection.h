#pragma once
// The brightness table applied to pictures when they are drawn.
#include <array>
#include <cstdint>
#include <memory>

class Image;

class GammaCorrection {
public:
    GammaCorrection() { set(1.0); }
    virtual ~GammaCorrection() = default;

    // Sets the gamma, limited to 0.1 ... 5.0; 1.0 is the identity.
    void set(double gamma);
    double gamma() const { return gamma_; }
    uint8_t map(uint8_t value) const { return table_[value]; }

    // Replaces every pixel's blue, green and red bytes through the table; the fourth byte stays.
    // Nothing changes at gamma 1.0.
    void apply(Image& picture) const;
    // A new picture: `picture` through the table, in one pass over both (the drawing shows it
    // while the decoded picture stays as it was).
    std::unique_ptr<Image> applied(const Image& picture) const;

private:
    double gamma_ = 1.0;
    std::array<uint8_t, 256> table_{};
};
