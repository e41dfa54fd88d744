#include "device/CabinetExtractor.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/File.h"
#include "platform/FileSystem.h"
#include "device/CabinetNames.h"
#include "device/CardFileWriter.h"
#include "ResourceIds.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <utility>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <fdi.h>

namespace {

// The output files the decoder holds open: a failed extraction may leave one open, and it has
// to be closed before it can be deleted.
std::set<INT_PTR>& open_outputs()
{
    static std::set<INT_PTR> outputs;
    return outputs;
}

FNALLOC(allocate) { return std::malloc(cb); }
FNFREE(release) { std::free(pv); }
FNOPEN(open_file) { return _open(pszFile, oflag, pmode); }
FNREAD(read_file) { return static_cast<UINT>(_read(static_cast<int>(hf), pv, cb)); }
FNWRITE(write_file) { return static_cast<UINT>(_write(static_cast<int>(hf), pv, cb)); }
FNCLOSE(close_file)
{
    open_outputs().erase(hf);
    return _close(static_cast<int>(hf));
}
FNSEEK(seek_file) { return _lseek(static_cast<int>(hf), dist, seektype); }

FNFDINOTIFY(notify)
{
    auto* extractor = static_cast<CabinetExtractor*>(pfdin->pv);
    switch (fdint) {
    case fdintCOPY_FILE:
        return extractor->openTarget(pfdin->psz1, static_cast<uint32_t>(pfdin->cb), pfdin->date, pfdin->time);
    case fdintCLOSE_FILE_INFO:
        close_file(pfdin->hf);
        return TRUE;
    default:
        return 0;
    }
}

// A decoder context, destroyed with the object.
class Decoder {
public:
    explicit Decoder(ERF& error)
        : context_(FDICreate(allocate, release, open_file, read_file, write_file, close_file, seek_file, cpuUNKNOWN,
                             &error))
    {
    }
    ~Decoder()
    {
        if (context_ != nullptr) {
            FDIDestroy(context_);
        }
    }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    HFDI get() const { return context_; }

private:
    HFDI context_;
};

void set_file_time(const CabinetExtractor::Extracted& file)
{
    FILETIME local{};
    FILETIME universal{};
    if (!DosDateTimeToFileTime(file.dos_date, file.dos_time, &local) || !LocalFileTimeToFileTime(&local, &universal)) {
        return;
    }
    HANDLE handle = CreateFileW(file.path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        SetFileTime(handle, &universal, nullptr, &universal);
        CloseHandle(handle);
    }
}

} // namespace

int64_t card_file_length(const std::wstring& path)
{
    const File file = File::open_shared_read(path);
    return file.is_open() ? file.size() : -1;
}

CabinetExtractor::CabinetExtractor(std::wstring card_folder) : card_folder_(std::move(card_folder)) {}

intptr_t CabinetExtractor::openTarget(const char* name, uint32_t size, uint16_t dos_date, uint16_t dos_time)
{
    if (!is_safe_cabinet_name(name)) {
        return -1; // ends the extraction: nothing is written outside the card folder
    }
    const std::wstring path = join_path(card_folder_, to_wide(name));
    extracted_.push_back({path, size, dos_date, dos_time});
    remove_card_file(path);
    const int handle = _wsopen(path.c_str(), _O_BINARY | _O_CREAT | _O_TRUNC | _O_WRONLY, _SH_DENYNO, _S_IREAD | _S_IWRITE);
    if (handle != -1) {
        open_outputs().insert(handle);
    }
    return handle;
}

void CabinetExtractor::extract(const std::wstring& cabinet_path)
{
    const size_t split = cabinet_path.find_last_of(L"\\/") + 1;
    std::string folder = to_narrow(cabinet_path.substr(0, split));
    std::string name = to_narrow(cabinet_path.substr(split));
    ERF error{};
    const Decoder decoder(error);
    if (decoder.get() == nullptr) {
        throw IOException(load_text(texts::extraction_failed));
    }
    extracted_.clear();
    const BOOL copied = FDICopy(decoder.get(), name.data(), folder.data(), 0, notify, nullptr, this);
    for (const INT_PTR handle : std::set<INT_PTR>(open_outputs())) {
        close_file(handle);
    }
    if (!copied) {
        deleteExtracted();
        throw IOException(load_text(cabinet_error_text(error.erfOper)));
    }
    finishFiles();
}

void CabinetExtractor::finishFiles()
{
    for (const Extracted& file : extracted_) {
        set_file_time(file);
    }
    for (const Extracted& file : extracted_) {
        set_file_attributes(file.path, file_hidden | file_read_only);
    }
    for (const Extracted& file : extracted_) {
        if (card_file_length(file.path) != file.size) {
            deleteExtracted();
            throw IOException(load_text(texts::partial_extraction));
        }
    }
}

void CabinetExtractor::deleteExtracted()
{
    for (const Extracted& file : extracted_) {
        remove_card_file(file.path);
    }
}
