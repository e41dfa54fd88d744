#include "support/MiniJson.h"

#include <cstdlib>

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    bool value(JsonValue& out)
    {
        skip_space();
        if (at_end()) {
            return false;
        }
        switch (text_[at_]) {
        case '{': return object(out);
        case '[': return array(out);
        case '"': out.kind = JsonValue::Kind::string; return string(out.text);
        case 't': out.kind = JsonValue::Kind::boolean; out.boolean = true; return word("true");
        case 'f': out.kind = JsonValue::Kind::boolean; return word("false");
        case 'n': out.kind = JsonValue::Kind::null; return word("null");
        default: return number(out);
        }
    }

    bool finished()
    {
        skip_space();
        return at_end();
    }

private:
    bool at_end() const { return at_ >= text_.size(); }
    void skip_space()
    {
        while (!at_end() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t')) {
            ++at_;
        }
    }
    bool take(char ch)
    {
        skip_space();
        if (!at_end() && text_[at_] == ch) {
            ++at_;
            return true;
        }
        return false;
    }
    bool word(const std::string& expected)
    {
        if (text_.compare(at_, expected.size(), expected) != 0) {
            return false;
        }
        at_ += expected.size();
        return true;
    }
    bool number(JsonValue& out)
    {
        const size_t start = at_;
        while (!at_end() && std::string("+-0123456789.eE").find(text_[at_]) != std::string::npos) {
            ++at_;
        }
        if (at_ == start) {
            return false;
        }
        out.kind = JsonValue::Kind::number;
        out.text = text_.substr(start, at_ - start);
        char* end = nullptr;
        out.number = std::strtod(out.text.c_str(), &end);
        return end == out.text.c_str() + out.text.size();
    }
    bool string(std::string& out)
    {
        ++at_; // the opening quote
        while (!at_end() && text_[at_] != '"') {
            if (text_[at_] == '\\' && at_ + 1 < text_.size()) {
                const char escaped = text_[++at_];
                out += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped;
            } else {
                out += text_[at_];
            }
            ++at_;
        }
        return take('"');
    }
    bool array(JsonValue& out)
    {
        out.kind = JsonValue::Kind::array;
        ++at_;
        if (take(']')) {
            return true;
        }
        do {
            out.items.emplace_back();
            if (!value(out.items.back())) {
                return false;
            }
        } while (take(','));
        return take(']');
    }
    bool object(JsonValue& out)
    {
        out.kind = JsonValue::Kind::object;
        ++at_;
        if (take('}')) {
            return true;
        }
        do {
            std::string name;
            skip_space();
            if (at_end() || text_[at_] != '"' || !string(name) || !take(':')) {
                return false;
            }
            if (!value(out.members[name])) {
                return false;
            }
        } while (take(','));
        return take('}');
    }

    const std::string& text_;
    size_t at_ = 0;
};

} // namespace

const JsonValue& JsonValue::operator[](const std::string& name) const
{
    static const JsonValue none;
    const auto found = members.find(name);
    return found == members.end() ? none : found->second;
}

std::optional<JsonValue> parse_json(const std::string& text)
{
    Reader reader(text);
    JsonValue value;
    if (!reader.value(value) || !reader.finished()) {
        return std::nullopt;
    }
    return value;
}
