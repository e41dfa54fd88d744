#include "device/CabinetNames.h"

#include "ResourceIds.h"

bool is_safe_cabinet_name(const std::string& name)
{
    if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos) {
        return false;
    }
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string::npos) {
            end = name.size();
        }
        if (name.compare(start, end - start, "..") == 0 && end - start == 2) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

int cabinet_error_text(int code)
{
    constexpr int last_known_code = 11;
    if (code < 0 || code > last_known_code) {
        return texts::cabinet_undefined;
    }
    return texts::cabinet_error_none + code;
}
