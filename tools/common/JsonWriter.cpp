#include "common/JsonWriter.h"

#include "base/Utf8.h"

#include <cmath>
#include <cstdio>

void JsonWriter::before_value()
{
    if (after_key_) {
        after_key_ = false;
        return;
    }
    if (!first_.empty()) {
        if (!first_.back()) {
            out_ += ", ";
        }
        first_.back() = false;
    }
}

void JsonWriter::write_string(const std::string& utf8)
{
    out_ += '"';
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
            if (c < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                out_ += escaped;
            } else {
                out_ += ch;
            }
        }
    }
    out_ += '"';
}

JsonWriter& JsonWriter::begin_object()
{
    before_value();
    out_ += '{';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::end_object()
{
    out_ += '}';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::begin_array()
{
    before_value();
    out_ += '[';
    first_.push_back(true);
    return *this;
}

JsonWriter& JsonWriter::end_array()
{
    out_ += ']';
    first_.pop_back();
    return *this;
}

JsonWriter& JsonWriter::key(const std::string& name)
{
    before_value();
    write_string(name);
    out_ += ": ";
    after_key_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(const std::wstring& text)
{
    return value(wide_to_utf8(text));
}

JsonWriter& JsonWriter::value(const std::string& utf8)
{
    before_value();
    write_string(utf8);
    return *this;
}

JsonWriter& JsonWriter::value(const char* utf8)
{
    return value(std::string(utf8));
}

JsonWriter& JsonWriter::value(int64_t number)
{
    before_value();
    out_ += std::to_string(number);
    return *this;
}

JsonWriter& JsonWriter::value(double number)
{
    before_value();
    if (!std::isfinite(number)) {
        out_ += "null";
        return *this;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", number);
    out_ += text;
    return *this;
}

JsonWriter& JsonWriter::value(bool flag)
{
    before_value();
    out_ += flag ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::null()
{
    before_value();
    out_ += "null";
    return *this;
}
