#include "device/FirmInfo.h"

#include "base/Exception.h"
#include "platform/File.h"
#include "base/Text.h"
#include "device/CardFileWriter.h"
#include "base/ModelCode.h"

#include <algorithm>

namespace {


uint16_t record_id(const FirmInfo::Record& record)
{
    return static_cast<uint16_t>(record[0] << 8 | record[1]);
}

// Byte 0 is 0 and byte 1 the format version 1; bytes 4 to 6 are the recorder's and not checked.
bool header_matches(const uint8_t* header)
{
    const ModelCode& model = model_code();
    return header[0] == 0x00 && header[1] == 0x01 && header[2] == model.high && header[3] == model.low &&
           header[7] == check_byte(header + 1, 6);
}

[[noreturn]] void fail_reading() { throw FirmInfoException(load_text(texts::settings_unreadable)); }

} // namespace

uint8_t check_byte(const uint8_t* bytes, size_t count)
{
    uint8_t check = 0;
    for (size_t i = 0; i < count; ++i) {
        check ^= bytes[i];
    }
    return check;
}

void FirmInfo::readDeviceFile(const std::wstring& path) { read_file(path, true); }

void FirmInfo::readSettingsFile(const std::wstring& path) { read_file(path, false); }

void FirmInfo::read_file(const std::wstring& path, bool lead_block)
{
    File file = File::open_shared_read(path);
    if (!file.is_open()) {
        fail_reading();
    }
    count_ = 0;
    std::array<uint8_t, lead_block_size + header_size> prefix{};
    const size_t prefix_size = (lead_block ? lead_block_size : 0) + header_size;
    if (file.read(prefix.data(), prefix_size) != prefix_size ||
        !header_matches(prefix.data() + prefix_size - header_size)) {
        fail_reading();
    }
    // Records come in whole; a trailing piece shorter than a record is not one.
    std::vector<uint8_t> chunk(record_size * 256);
    while (count_ < max_records) {
        const size_t got = file.read(chunk.data(), chunk.size());
        take_records(chunk.data(), got - got % record_size);
        if (got < chunk.size()) {
            break;
        }
    }
}

void FirmInfo::parse(std::span<const uint8_t> bytes, bool lead_block)
{
    count_ = 0;
    const size_t prefix_size = (lead_block ? lead_block_size : 0) + header_size;
    if (bytes.size() < prefix_size || !header_matches(bytes.data() + prefix_size - header_size)) {
        fail_reading();
    }
    const size_t rest = bytes.size() - prefix_size;
    take_records(bytes.data() + prefix_size, rest - rest % record_size);
}

// A record whose check byte is wrong is passed over, and so is everything beyond 78 records;
// neither makes the file unreadable.
void FirmInfo::take_records(const uint8_t* data, size_t size)
{
    for (size_t at = 0; at + record_size <= size && count_ < max_records; at += record_size) {
        const uint8_t* bytes = data + at;
        if (bytes[7] == check_byte(bytes, 7)) {
            std::copy(bytes, bytes + record_size, records_[count_].begin());
            ++count_;
        }
    }
}

FirmInfo::Record* FirmInfo::first_with(uint16_t id)
{
    const auto end = records_.begin() + static_cast<std::ptrdiff_t>(count_);
    const auto found = std::find_if(records_.begin(), end, [id](const Record& r) { return record_id(r) == id; });
    return found == end ? nullptr : &*found;
}

const FirmInfo::Record* FirmInfo::first_with(uint16_t id) const
{
    return const_cast<FirmInfo*>(this)->first_with(id);
}

FirmInfo::Value FirmInfo::find(uint16_t id)
{
    Record* record = first_with(id);
    if (record == nullptr) {
        throw FirmInfoException(L"");
    }
    return Value(record->data() + 2, 6);
}

FirmInfo::ConstValue FirmInfo::find(uint16_t id) const
{
    const Record* record = first_with(id);
    if (record == nullptr) {
        throw FirmInfoException(L"");
    }
    return ConstValue(record->data() + 2, 6);
}

bool FirmInfo::contains(uint16_t id) const { return first_with(id) != nullptr; }

FirmInfo::Value FirmInfo::findOrAdd(uint16_t id)
{
    if (first_with(id) == nullptr) {
        if (count_ == max_records) {
            throw FirmInfoException(L"");
        }
        Record& record = records_[count_++];
        record.fill(0xFF);
        record[0] = static_cast<uint8_t>(id >> 8);
        record[1] = static_cast<uint8_t>(id & 0xFF);
    }
    return find(id);
}

void FirmInfo::write(const std::wstring& path, bool merge)
{
    CardFileWriter writer;
    write(path, merge, writer);
}

void FirmInfo::write(const std::wstring& path, bool merge, CardFileWriter& writer)
{
    if (merge) {
        merge_from(path);
    }
    seal_records();
    writer.replace(path, settings_file_bytes());
}

// Items of the file already on the card that the list does not set stay in it, after the list's
// own; the list's values always win. An unreadable old file is simply not merged.
void FirmInfo::merge_from(const std::wstring& path)
{
    FirmInfo old;
    try {
        old.readSettingsFile(path);
    } catch (const Exception&) {
        return;
    }
    for (const Record& record : old.records()) {
        const uint16_t id = record_id(record);
        if (contains(id)) {
            continue; // the list's value, or an earlier record of the old file, wins
        }
        if (count_ == max_records) {
            return;
        }
        records_[count_++] = record;
    }
}

void FirmInfo::seal_records()
{
    for (size_t i = 0; i < count_; ++i) {
        records_[i][7] = check_byte(records_[i].data(), 7);
    }
}

std::vector<uint8_t> FirmInfo::settings_file_bytes() const
{
    const ModelCode& model = model_code();
    std::vector<uint8_t> bytes = {0x00, 0x01, model.high, model.low, 0xFF, 0xFF, 0xFF, 0x00};
    bytes[7] = check_byte(bytes.data() + 1, 6);
    for (const Record& record : records()) {
        bytes.insert(bytes.end(), record.begin(), record.begin() + 7);
        bytes.push_back(check_byte(record.data(), 7));
    }
    return bytes;
}

void FirmInfo::verify(const std::wstring& path) const
{
    FirmInfo written;
    written.readSettingsFile(path);
    const auto mine = records();
    const auto theirs = written.records();
    if (!std::equal(mine.begin(), mine.end(), theirs.begin(), theirs.end())) {
        throw FirmInfoException(load_text(texts::some_files_not_extracted));
    }
}
