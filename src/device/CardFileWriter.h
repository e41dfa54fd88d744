#pragma once
// Puts a settings file onto the card so that the recorder finds it whole or not at all.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class File;

class CardFileWriter {
public:
    CardFileWriter() = default;
    virtual ~CardFileWriter() = default;
    CardFileWriter(const CardFileWriter&) = delete;
    CardFileWriter& operator=(const CardFileWriter&) = delete;

    // Replaces the file at `path` with `bytes`: a hidden, read-only file there is made normal
    // first, the new one is left hidden and read-only. When anything fails the partial file is
    // deleted and FirmInfoException "設定ファイルを書き込めません。" is thrown; a file that could
    // not even be opened is left as it was.
    void replace(const std::wstring& path, const std::vector<uint8_t>& bytes);

    // Written in pieces of this size: the header, then each record.
    static constexpr size_t piece_size = 8;

protected:
    // Writes one piece; false on a short write. Tests replace it to play a card that fills up.
    virtual bool put(File& file, const uint8_t* data, size_t size);
};

// Makes a card file normal and deletes it; false when it is still there.
bool remove_card_file(const std::wstring& path);
