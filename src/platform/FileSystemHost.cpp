#include "platform/FileSystem.h"

#include "base/Text.h"

#include <map>
#include <mutex>
#include <utility>

#include <sys/stat.h>

namespace {

// Linux has no hidden attribute: the files this process marked hidden, each with the identity of
// the file it was set on, so a file deleted and made again under the same name is not hidden.
using FileIdentity = std::pair<dev_t, ino_t>;

std::mutex hidden_guard;
std::map<std::string, FileIdentity>& hidden_files()
{
    static std::map<std::string, FileIdentity> files;
    return files;
}

constexpr mode_t write_bits = S_IWUSR | S_IWGRP | S_IWOTH;

} // namespace

// Called by delete_file: a file made again under the name may well get the same identity.
void forget_hidden_file(const std::wstring& path)
{
    const std::lock_guard<std::mutex> lock(hidden_guard);
    hidden_files().erase(to_narrow(path));
}

bool set_file_attributes(const std::wstring& path, unsigned attributes)
{
    const std::string name = to_narrow(path);
    struct stat status{};
    if (stat(name.c_str(), &status) != 0) {
        return false;
    }
    const mode_t mode = (attributes & file_read_only) ? (status.st_mode & ~write_bits) : (status.st_mode | S_IWUSR);
    if (chmod(name.c_str(), mode & 07777) != 0) {
        return false;
    }
    const std::lock_guard<std::mutex> lock(hidden_guard);
    if (attributes & file_hidden) {
        hidden_files()[name] = {status.st_dev, status.st_ino};
    } else {
        hidden_files().erase(name);
    }
    return true;
}

std::optional<unsigned> file_attributes(const std::wstring& path)
{
    const std::string name = to_narrow(path);
    struct stat status{};
    if (stat(name.c_str(), &status) != 0) {
        return std::nullopt;
    }
    unsigned attributes = file_normal;
    if ((status.st_mode & S_IWUSR) == 0) {
        attributes |= file_read_only;
    }
    const std::lock_guard<std::mutex> lock(hidden_guard);
    const auto hidden = hidden_files().find(name);
    if (hidden != hidden_files().end() && hidden->second == FileIdentity{status.st_dev, status.st_ino}) {
        attributes |= file_hidden;
    }
    return attributes;
}

bool file_exists(const std::wstring& path)
{
    struct stat status{};
    return stat(to_narrow(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

const wchar_t path_separator = L'/';

std::wstring join_path(const std::wstring& folder, const std::wstring& name)
{
    if (folder.empty() || folder.back() == L'/') {
        return folder + name;
    }
    return folder + L'/' + name;
}
