#pragma once
// The restore tests' cabinets, made with gcab when the tests are built: the same two files,
// MSZIP-compressed (also carried as the test program's own restore resource) and stored.
#include <cstdint>
#include <string>
#include <vector>

namespace device_test {

struct CabinetEntry {
    std::string name;
    uint32_t size;
    uint16_t dos_date;
    uint16_t dos_time;
};

// The files of a cabinet, read from its file entries.
std::vector<CabinetEntry> cabinet_entries(const std::vector<uint8_t>& cabinet);

std::wstring cabinet_input(const std::wstring& name); // the files that went in
std::wstring compressed_cabinet();
std::wstring stored_cabinet();

} // namespace device_test
