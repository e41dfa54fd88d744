#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

#include "app/FileSearch.h"

namespace fs = std::filesystem;

namespace {

std::wstring unique_name()
{
    static std::atomic<unsigned> serial{0};
    std::random_device entropy;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return L"tarvo-test-" + std::to_wstring(entropy()) + L"-" + std::to_wstring(now % 1000000007) + L"-" +
           std::to_wstring(serial++);
}

} // namespace

TempFolder::TempFolder()
{
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const fs::path candidate = fs::temp_directory_path() / unique_name();
        std::error_code error;
        if (fs::create_directory(candidate, error)) {
            path_ = candidate.wstring();
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("no temporary folder could be made");
    }
}

TempFolder::~TempFolder()
{
    std::error_code error;
    fs::remove_all(fs::path(path_), error);
}

std::wstring TempFolder::file(const std::wstring& name) const
{
    return join_path(path_, name);
}

std::wstring TempFolder::write(const std::wstring& name, const std::vector<uint8_t>& bytes) const
{
    const std::wstring path = file(name);
    std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("a test file could not be written");
    }
    return path;
}

std::vector<uint8_t> read_whole_file(const std::wstring& path)
{
    std::ifstream in(fs::path(path), std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool file_exists(const std::wstring& path)
{
    std::error_code error;
    return fs::exists(fs::path(path), error);
}
