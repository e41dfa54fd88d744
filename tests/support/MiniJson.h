#pragma once
// A small JSON reader for tests that check what the tools print: values, arrays and objects.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { null, boolean, number, string, array, object } kind = Kind::null;
    bool boolean = false;
    double number = 0.0;
    std::string text; // strings; for numbers, the digits as written
    std::vector<JsonValue> items;
    std::map<std::string, JsonValue> members;

    bool is_null() const { return kind == Kind::null; }
    // The member `name` of an object; a null value when there is none.
    const JsonValue& operator[](const std::string& name) const;
    const JsonValue& operator[](size_t index) const { return items.at(index); }
    long long integer() const { return std::stoll(text); }
};

// The value of the whole text, or none when it is not exactly one JSON value.
std::optional<JsonValue> parse_json(const std::string& text);
