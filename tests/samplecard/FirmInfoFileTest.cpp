#include "samplecard/FirmInfoFile.h"

#include <gtest/gtest.h>

namespace {

using namespace samplecard;

uint8_t xor_of(const Bytes& bytes, size_t from, size_t to)
{
    uint8_t check = 0;
    for (size_t i = from; i <= to; ++i) {
        check ^= bytes[i];
    }
    return check;
}

// The 8 bytes of the record for `id` in a file with lead block, or empty when absent.
Bytes record_of(const Bytes& file, uint16_t id)
{
    for (size_t at = 24; at + 8 <= file.size(); at += 8) {
        if ((file[at] << 8 | file[at + 1]) == id) {
            return Bytes(file.begin() + static_cast<long>(at), file.begin() + static_cast<long>(at + 8));
        }
    }
    return {};
}

Bytes value_of(const Bytes& file, uint16_t id)
{
    const Bytes record = record_of(file, id);
    return record.empty() ? record : Bytes(record.begin() + 2, record.begin() + 7);
}

TEST(FirmInfoFile, LeadBlockHeaderAndCheckedRecords)
{
    const Bytes file = make_firminfo(FirmInfoOptions{});
    ASSERT_EQ(file.size(), 16u + 8u + 10u * 8u);
    EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 23), (Bytes{0x00, 0x01, 0x03, 0x12, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(file[23], xor_of(file, 17, 22));
    for (size_t at = 24; at < file.size(); at += 8) {
        EXPECT_EQ(file[at + 7], xor_of(file, at, at + 6)) << "record at " << at;
    }
}

TEST(FirmInfoFile, EveryItemIsThereWithItsBcdValue)
{
    FirmInfoOptions options;
    options.clock = CivilTime{2099, 12, 31, 23, 59, 0};
    options.g_threshold = 45;
    options.lateral_correction = 12;
    options.direction_correction = -5;
    options.overwrite = 0;
    options.operation_buzzer = 2;
    options.event_buzzer = 1;
    const Bytes file = make_firminfo(options);
    EXPECT_EQ(value_of(file, 0x0101), (Bytes{0x99, 0x12, 0x31, 0x23, 0x59}));
    EXPECT_EQ(value_of(file, 0x0301), (Bytes{0x02, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0304), (Bytes{0x01, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0801), (Bytes{0x00, 0x45, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0802), (Bytes{0x01, 0x00, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0803), (Bytes{0x02, 0x00, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0804), (Bytes{0x00, 0x40, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0811), (Bytes{0x00, 0x12, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x0812), (Bytes{0x01, 0x05, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(file, 0x1801), (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF}));

    options.sensor_params_in_two_bytes = false;
    options.direction_correction = learn_direction_automatically;
    const Bytes one_byte = make_firminfo(options);
    EXPECT_EQ(value_of(one_byte, 0x0802), (Bytes{0x10, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(one_byte, 0x0803), (Bytes{0x20, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(one_byte, 0x0804), (Bytes{0x04, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(value_of(one_byte, 0x0812), (Bytes{0x80, 0x00, 0xFF, 0xFF, 0xFF}));
}

TEST(FirmInfoFile, DirectionDigitsStoreNegativeAnglesAsHundredMinusTheAngle)
{
    EXPECT_EQ(direction_digits(-5), 105);
    EXPECT_EQ(direction_digits(-45), 145);
    EXPECT_EQ(direction_digits(45), 45);
    EXPECT_EQ(direction_digits(0), 0);
    EXPECT_EQ(direction_digits(8000), 8000);
    EXPECT_EQ(direction_digits(-60), 145); // held within the recorder's range
}

TEST(FirmInfoFile, SettingsFileFormHasNoLeadBlock)
{
    FirmInfoOptions options;
    const Bytes firminfo = make_firminfo(options);
    options.lead_block = false;
    const Bytes settings = make_firminfo(options);
    EXPECT_EQ(Bytes(firminfo.begin() + 16, firminfo.end()), settings);
}

TEST(FirmInfoFile, DamageIsWhereItWasAskedFor)
{
    const Bytes healthy = make_firminfo(FirmInfoOptions{});
    FirmInfoOptions options;
    options.bad_header_check = true;
    Bytes file = make_firminfo(options);
    EXPECT_NE(file[23], xor_of(file, 17, 22));
    EXPECT_EQ(Bytes(file.begin() + 24, file.end()), Bytes(healthy.begin() + 24, healthy.end()));

    options = FirmInfoOptions{};
    options.bad_record_checks = {0, 3};
    file = make_firminfo(options);
    for (size_t i = 0; i < 10; ++i) {
        const size_t at = 24 + 8 * i;
        EXPECT_EQ(file[at + 7] == xor_of(file, at, at + 6), i != 0 && i != 3) << "record " << i;
    }

    options = FirmInfoOptions{};
    options.trailing_bytes = 5;
    options.extra_records = 70;
    file = make_firminfo(options);
    EXPECT_EQ(file.size(), 24u + 80u * 8u + 5u);
    EXPECT_EQ(Bytes(file.begin(), file.begin() + healthy.size()), healthy);
    for (size_t at = 24; at + 8 <= file.size(); at += 8) {
        EXPECT_EQ(file[at + 7], xor_of(file, at, at + 6));
    }

    options = FirmInfoOptions{};
    options.model = ModelCode{0x04, 0x20};
    file = make_firminfo(options);
    EXPECT_EQ(file[18], 0x04);
    EXPECT_EQ(file[19], 0x20);
    EXPECT_EQ(file[23], xor_of(file, 17, 22));
}

} // namespace
