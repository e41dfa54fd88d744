#include "samplecard/CardFiles.h"

#include "platform/File.h"
#include "base/Utf8.h"

#include <stdexcept>

namespace samplecard {

void create_folders(const std::wstring& path)
{
    const size_t cut = path.find_last_of(L"/\\");
    // Stop at the root, a drive ("C:") or a relative first component.
    if (cut != std::wstring::npos && cut > 0 && path[cut - 1] != L':' && !file_exists(path)) {
        create_folders(path.substr(0, cut));
    }
    if (!file_exists(path)) {
        create_folder(path);
    }
}

void write_file(const std::wstring& path, const Bytes& bytes)
{
    File file = File::create_exclusive_write(path);
    if (!file.is_open() || !file.write(bytes.data(), bytes.size())) {
        throw std::runtime_error("cannot write " + wide_to_utf8(path));
    }
}

} // namespace samplecard
