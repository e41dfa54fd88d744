#pragma once
// Builds JSON text (UTF-8) for the console tools: objects and arrays opened and closed in
// order, commas placed automatically.
#include <cstdint>
#include <string>
#include <vector>

class JsonWriter {
public:
    JsonWriter& begin_object();
    JsonWriter& end_object();
    JsonWriter& begin_array();
    JsonWriter& end_array();
    // The name of the next member of the open object.
    JsonWriter& key(const std::string& name);

    JsonWriter& value(const std::wstring& text);
    JsonWriter& value(const std::string& utf8);
    JsonWriter& value(const char* utf8);
    JsonWriter& value(int64_t number);
    JsonWriter& value(int number) { return value(static_cast<int64_t>(number)); }
    JsonWriter& value(unsigned number) { return value(static_cast<int64_t>(number)); }
    // Written with at least 9 significant digits, so the value reads back the same.
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();

    const std::string& text() const { return out_; }

private:
    void before_value();
    void write_string(const std::string& utf8);

    std::string out_;
    std::vector<bool> first_; // per open container: nothing written in it yet
    bool after_key_ = false;
};
