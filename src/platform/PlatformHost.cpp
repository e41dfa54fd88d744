#include "platform/Platform.h"

#include "base/Text.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

std::wstring make_temp_file(const std::wstring& prefix)
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/" +
                       to_narrow(prefix) + "XXXXXX";
    const int descriptor = mkstemp(path.data());
    if (descriptor < 0) {
        return {};
    }
    close(descriptor);
    return to_wide(path);
}

// FileSystemHost.cpp remembers which files are hidden; a deleted file is one no longer.
void forget_hidden_file(const std::wstring& path);

bool delete_file(const std::wstring& path)
{
    if (std::remove(to_narrow(path).c_str()) != 0) {
        return false;
    }
    forget_hidden_file(path);
    return true;
}
