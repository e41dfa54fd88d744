#include "recording/RecordingFolder.h"

#include "platform/FileSearch.h"
#include "base/Text.h"
#include "recording/DataPattern.h"
#include "recording/DataType.h"

#include <algorithm>
#include <array>

std::wstring data_file_pattern(int type)
{
    switch (type) {
    case data_type_image: return L"*.dpc";
    case data_type_continuous: return L"Video????.dmv";
    default: return L"Video.dvt";
    }
}

std::wstring mode_text(int type)
{
    switch (type) {
    case data_type_image: return load_text(texts::mode_image);
    case data_type_continuous: return load_text(texts::mode_continuous);
    default: return load_text(texts::mode_event);
    }
}

int count_matching_files(const std::wstring& folder, const std::wstring& pattern)
{
    const std::vector<std::wstring> names = find_files(folder, pattern);
    return static_cast<int>(std::count_if(names.begin(), names.end(), [&](const std::wstring& name) {
        return matches_data_pattern(pattern, name);
    }));
}

bool select_data_type(const std::wstring& folder)
{
    const std::array<int, 3> types = {data_type_event, data_type_image, data_type_continuous};
    std::array<int, 3> counts{};
    for (size_t i = 0; i < types.size(); ++i) {
        counts[i] = count_matching_files(folder, data_file_pattern(types[i]));
    }
    const auto kinds_present = std::count_if(counts.begin(), counts.end(), [](int count) { return count > 0; });
    if (kinds_present == 0) {
        return false;
    }
    if (kinds_present == 1) {
        const auto only = std::find_if(counts.begin(), counts.end(), [](int count) { return count > 0; });
        set_current_data_type(types[static_cast<size_t>(only - counts.begin())]);
        return true;
    }
    // Several kinds together: the user's choice decides. Like the pattern, any other value
    // stands for the event kind.
    const int current = current_data_type();
    const bool listed = current == data_type_image || current == data_type_continuous;
    return counts[listed ? static_cast<size_t>(current) : 0] > 0;
}
