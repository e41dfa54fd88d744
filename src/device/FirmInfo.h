#pragma once
// The records of the recorder's information file "FIRMINFO.DAT" (which the recorder writes) and
// of the settings file "DREC.INI" (which the viewer writes for the recorder to take over). Both
// hold an 8-byte header and 8-byte records; "FIRMINFO.DAT" has a 16-byte lead block before them.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CardFileWriter;

class FirmInfo {
public:
    static constexpr size_t max_records = 78;
    static constexpr size_t record_size = 8;
    static constexpr size_t header_size = 8;
    static constexpr size_t lead_block_size = 16;

    // Item id (high, low), five value bytes, check byte (XOR of the seven before it).
    using Record = std::array<uint8_t, record_size>;
    // The five value bytes of a record and the check byte behind them.
    using Value = std::span<uint8_t, 6>;
    using ConstValue = std::span<const uint8_t, 6>;

    FirmInfo() = default;
    virtual ~FirmInfo() = default;
    FirmInfo(const FirmInfo&) = default;
    FirmInfo& operator=(const FirmInfo&) = default;

    // Reads "FIRMINFO.DAT": the lead block, then as readSettingsFile. Throws FirmInfoException
    // with "設定ファイルを読み込めません。" when the file cannot be opened or its header is wrong.
    void readDeviceFile(const std::wstring& path);
    // Reads a file without lead block ("DREC.INI"); failures as readDeviceFile.
    void readSettingsFile(const std::wstring& path);
    // The same two readings over bytes in memory.
    void parse(std::span<const uint8_t> bytes, bool lead_block);

    // The value of the first record with this id; FirmInfoException with an empty message when
    // there is none.
    Value find(uint16_t id);
    ConstValue find(uint16_t id) const;
    bool contains(uint16_t id) const;
    // As find; an absent id is appended with all value bytes 0xFF. FirmInfoException with an
    // empty message when the list already holds 78 records.
    Value findOrAdd(uint16_t id);

    // Writes the list as a file without lead block, over any file there. With `merge`, records of
    // the existing file whose ids the list lacks are kept after the list's own. The file is there
    // whole, hidden and read-only, or a FirmInfoException "設定ファイルを書き込めません。" is
    // thrown and no partial file is left behind.
    void write(const std::wstring& path, bool merge);
    // The same, through `writer` (tests play a card that fills up with it).
    void write(const std::wstring& path, bool merge, CardFileWriter& writer);
    // Checks that the file holds exactly this list; FirmInfoException
    // "一部のファイルの展開に失敗しました。" when not. Read failures pass on as they are.
    void verify(const std::wstring& path) const;

    size_t count() const { return count_; }
    std::span<const Record> records() const { return {records_.data(), count_}; }
    // The bytes of the file `write` puts down for this list, check bytes made right.
    std::vector<uint8_t> settings_file_bytes() const;

private:
    void read_file(const std::wstring& path, bool lead_block);
    void take_records(const uint8_t* data, size_t size);
    void merge_from(const std::wstring& path);
    void seal_records();
    Record* first_with(uint16_t id);
    const Record* first_with(uint16_t id) const;

    // A fixed array, so the values handed out by find stay valid while records are added.
    std::array<Record, max_records> records_{};
    size_t count_ = 0;
};

// The check byte of a header or record: XOR of `count` bytes from `bytes`.
uint8_t check_byte(const uint8_t* bytes, size_t count);
