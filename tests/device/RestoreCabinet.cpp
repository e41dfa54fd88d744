#include "RestoreCabinet.h"

namespace device_test {

namespace {

uint32_t le32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes.at(at) | bytes.at(at + 1) << 8 | bytes.at(at + 2) << 16 | static_cast<uint32_t>(bytes.at(at + 3)) << 24;
}

uint16_t le16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

} // namespace

std::vector<CabinetEntry> cabinet_entries(const std::vector<uint8_t>& cabinet)
{
    // Header: files at offset 16, their count at 28; each entry: size, offset, folder, date,
    // time, attributes, then its name with a terminating zero.
    std::vector<CabinetEntry> entries;
    size_t at = le32(cabinet, 16);
    const int count = le16(cabinet, 28);
    for (int i = 0; i < count; ++i) {
        CabinetEntry entry;
        entry.size = le32(cabinet, at);
        entry.dos_date = le16(cabinet, at + 10);
        entry.dos_time = le16(cabinet, at + 12);
        at += 16;
        while (cabinet.at(at) != 0) {
            entry.name += static_cast<char>(cabinet[at++]);
        }
        ++at;
        entries.push_back(entry);
    }
    return entries;
}

std::wstring cabinet_input(const std::wstring& name) { return TARVO_CABINET_FOLDER L"\\input\\" + name; }
std::wstring compressed_cabinet() { return TARVO_CABINET_FOLDER L"\\recorder.cab"; }
std::wstring stored_cabinet() { return TARVO_CABINET_FOLDER L"\\recorder-stored.cab"; }

} // namespace device_test
