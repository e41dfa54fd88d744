#include "device/CardFileWriter.h"

#include "base/Exception.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "platform/Platform.h"
#include "base/Text.h"

#include <algorithm>

namespace {


[[noreturn]] void fail_writing() { throw FirmInfoException(load_text(texts::settings_unwritable)); }

} // namespace

bool remove_card_file(const std::wstring& path)
{
    set_file_attributes(path, file_normal);
    return delete_file(path) || !file_exists(path);
}

void CardFileWriter::replace(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    const auto found_as = file_attributes(path);
    set_file_attributes(path, file_normal); // a hidden, read-only file cannot be opened for writing
    File file = File::create_shared_write(path);
    if (!file.is_open()) {
        if (found_as) {
            set_file_attributes(path, *found_as);
        }
        fail_writing();
    }
    bool whole = true;
    for (size_t at = 0; whole && at < bytes.size(); at += piece_size) {
        whole = put(file, bytes.data() + at, std::min(piece_size, bytes.size() - at));
    }
    // A full card may only show when the last bytes are pushed out, so that counts as well.
    whole = whole && file.flush();
    file.close();
    if (!whole) {
        // The recorder must never take over a partial file. Should it refuse to go, at least
        // leave it as the recorder's files are left.
        if (!remove_card_file(path)) {
            set_file_attributes(path, file_hidden | file_read_only);
        }
        fail_writing();
    }
    set_file_attributes(path, file_hidden | file_read_only);
}

bool CardFileWriter::put(File& file, const uint8_t* data, size_t size) { return file.write(data, size); }
