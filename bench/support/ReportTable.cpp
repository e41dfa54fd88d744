#include "support/ReportTable.h"

#include <cmath>
#include <cstdio>

#include "common/Arguments.h"

namespace {

constexpr int label_width = 46;

std::string three_digits(double value, const char* unit)
{
    char text[64];
    const double magnitude = std::fabs(value);
    const int decimals = magnitude >= 100 ? 0 : magnitude >= 10 ? 1 : magnitude >= 1 ? 2 : 3;
    std::snprintf(text, sizeof text, "%.*f %s", decimals, value, unit);
    return text;
}

std::string padded(const std::string& text, int width)
{
    return text.size() >= static_cast<size_t>(width) ? text + " " : text + std::string(width - text.size(), ' ');
}

void print_row(const std::string& label, const std::string& median, const std::string& spread)
{
    write_out("  " + padded(label, label_width) + (spread.empty() ? median : padded(median, 11) + spread) + "\n");
}

} // namespace

std::string format_duration(double seconds)
{
    if (seconds >= 1.0) {
        return three_digits(seconds, "s");
    }
    if (seconds >= 1e-3) {
        return three_digits(seconds * 1e3, "ms");
    }
    return three_digits(seconds * 1e6, "us");
}

std::string format_ratio(double ratio)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2fx", ratio);
    return text;
}

std::string format_megabytes(double bytes)
{
    return three_digits(bytes / 1e6, "MB");
}

void print_heading(const std::string& title, bool columns)
{
    write_out("\n" + title + "\n");
    if (columns) {
        write_out("  " + padded("", label_width) + padded("median", 11) + "min ... max (p90, runs)\n");
    }
}

void print_times(const std::string& label, const Summary& summary)
{
    print_row(label, format_duration(summary.median),
              format_duration(summary.min) + " ... " + format_duration(summary.max) + " (p90 " +
                  format_duration(summary.p90) + ", " + std::to_string(summary.count) + ")");
}

void print_ratio(const std::string& label, const Summary& summary)
{
    print_row(label, format_ratio(summary.median),
              format_ratio(summary.min) + " ... " + format_ratio(summary.max) + " (p90 " + format_ratio(summary.p90) +
                  ", " + std::to_string(summary.count) + ")");
}

void print_figure(const std::string& label, const std::string& value)
{
    print_row(label, value, "");
}

void print_note(const std::string& text)
{
    write_out("  " + text + "\n");
}
