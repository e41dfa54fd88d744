#pragma once
// Extracts every file of a cabinet into a folder of the card through the system's cabinet
// decoder (cabinet.dll's FDI interface, with the C runtime's low-level file functions as its
// file callbacks). The files come out with the date and time the cabinet gives them, hidden and
// read-only, and all of them or none.
#include <cstdint>
#include <string>
#include <vector>

class CabinetExtractor {
public:
    struct Extracted {
        std::wstring path;
        uint32_t size = 0;
        uint16_t dos_date = 0;
        uint16_t dos_time = 0;
    };

    // `card_folder`: where the files go.
    explicit CabinetExtractor(std::wstring card_folder);

    // Extracts the cabinet file at `cabinet_path`. A file of the same name on the card, even a
    // hidden read-only one, is replaced. On failure every file extracted so far is deleted and
    // IOException carries the decoder's error text; a name in the cabinet that would land
    // outside the card folder ends the extraction the same way.
    void extract(const std::wstring& cabinet_path);

    const std::vector<Extracted>& extracted() const { return extracted_; }

    // What the decoder's notification callback does for each file; public for the callback.
    intptr_t openTarget(const char* name, uint32_t size, uint16_t dos_date, uint16_t dos_time);

private:
    void finishFiles();
    void deleteExtracted();

    std::wstring card_folder_;
    std::vector<Extracted> extracted_;
};

// The length of a file on the card, or -1 when it cannot be opened.
int64_t card_file_length(const std::wstring& path);
