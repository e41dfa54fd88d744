// The card restore in a test program that carries a real cabinet as its restore resource: the
// extraction through the system's decoder, the copy of the program, and the whole command.
#include "device/CardRestore.h"

#include "DeviceCard.h"
#include "DeviceDialogDriver.h"
#include "RestoreCabinet.h"
#include "base/Exception.h"
#include "base/Text.h"
#include "device/CabinetExtractor.h"
#include "device/CardSettings.h"
#include "device/ClockItem.h"
#include "platform/FileSystem.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace device_test;

const std::vector<std::wstring> cabinet_files = {L"RECORDER.TXT", L"DRVPROG.BIN"};

class CardRestoreTest : public ::testing::Test {
protected:
    CardRestoreTest() : card_(folder_.file(L"card"))
    {
        make_folder(card_);
        user_.chooses(card_);
    }

    std::wstring onCard(const std::wstring& name) const { return join_path(card_, name); }

    bool cardIsEmpty() const
    {
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(join_path(card_, L"*").c_str(), &found);
        bool empty = true;
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                empty = empty && (name == L"." || name == L"..");
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        return empty;
    }

    void expectExtracted(const std::wstring& cabinet_path)
    {
        const std::vector<CabinetEntry> entries = cabinet_entries(read_bytes(cabinet_path));
        ASSERT_EQ(entries.size(), 2u);
        for (const CabinetEntry& entry : entries) {
            const std::wstring name(entry.name.begin(), entry.name.end());
            const std::wstring path = onCard(name);
            EXPECT_EQ(read_bytes(path), read_bytes(cabinet_input(name))) << entry.name;
            EXPECT_EQ(file_attributes(path), file_hidden | file_read_only) << entry.name;
            // Created and last written at the cabinet's local date and time.
            HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            FILETIME created{}, written{}, local{};
            GetFileTime(file, &created, nullptr, &written);
            CloseHandle(file);
            EXPECT_EQ(CompareFileTime(&created, &written), 0);
            FileTimeToLocalFileTime(&written, &local);
            WORD date = 0, time = 0;
            FileTimeToDosDateTime(&local, &date, &time);
            EXPECT_EQ(date, entry.dos_date) << entry.name;
            EXPECT_EQ(time, entry.dos_time) << entry.name;
        }
    }

    // The compressed cabinet with some change, as a file of its own.
    std::wstring alteredCabinet(const std::wstring& source, std::vector<uint8_t> (*change)(std::vector<uint8_t>))
    {
        return folder_.write(L"altered.cab", change(read_bytes(source)));
    }

    std::wstring extractionFailure(const std::wstring& cabinet)
    {
        try {
            CabinetExtractor(card_).extract(cabinet);
        } catch (const IOException& failure) {
            return failure.message();
        }
        return L"(extracted)";
    }

    TempFolder folder_;
    std::wstring card_;
    CardUser user_;
};

TEST_F(CardRestoreTest, TheProgramsCabinetComesOutWholeOverALeftoverHiddenReadOnlyFile)
{
    const std::wstring leftover = onCard(L"DRVPROG.BIN");
    write_bytes(leftover, {'o', 'l', 'd'});
    set_file_attributes(leftover, file_hidden | file_read_only);
    extractCabinet(card_);
    expectExtracted(compressed_cabinet());
}

TEST_F(CardRestoreTest, AStoredCabinetComesOutTheSame)
{
    CabinetExtractor extractor(card_);
    extractor.extract(stored_cabinet());
    expectExtracted(stored_cabinet());
    EXPECT_EQ(extractor.extracted().size(), 2u);
}

TEST_F(CardRestoreTest, ABrokenCabinetLeavesNothingHalfWritten)
{
    const std::wstring broken = alteredCabinet(compressed_cabinet(), [](std::vector<uint8_t> bytes) {
        bytes.resize(bytes.size() - 3000); // into the data of the last file
        return bytes;
    });
    EXPECT_EQ(extractionFailure(broken), load_text(texts::cabinet_corrupt));
    EXPECT_TRUE(cardIsEmpty());
}

TEST_F(CardRestoreTest, SomethingElseThanACabinetIsNamedAsSuch)
{
    const std::wstring other = folder_.write(L"other.cab", std::vector<uint8_t>(400, 'x'));
    EXPECT_EQ(extractionFailure(other), load_text(texts::cabinet_not_a_cabinet));
    EXPECT_TRUE(cardIsEmpty());
}

TEST_F(CardRestoreTest, ANameThatClimbsOutOfTheCardIsRefusedAndNothingIsWritten)
{
    const std::wstring escaping = alteredCabinet(stored_cabinet(), [](std::vector<uint8_t> bytes) {
        const std::string from = "RECORDER.TXT";
        const std::string to = "..\\ESCAPE.TX";
        auto at = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
        std::copy(to.begin(), to.end(), at);
        return bytes;
    });
    EXPECT_NE(extractionFailure(escaping), L"(extracted)");
    EXPECT_FALSE(file_exists(folder_.file(L"ESCAPE.TX")));
    EXPECT_TRUE(cardIsEmpty());
}

TEST_F(CardRestoreTest, TheProgramIsCopiedOntoTheCardButNotOntoItself)
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    copyViewerToCard(card_);
    const std::wstring copy = onCard(load_text(texts::program_file_name));
    EXPECT_EQ(card_file_length(copy), card_file_length(program));

    // Run from the card (the path in another case): the file there stays as it is.
    write_bytes(copy, {'v', 'i', 'e', 'w', 'e', 'r'});
    std::wstring running = onCard(L"TARVO_VIEWER.EXE");
    copyViewerToCard(card_, running);
    EXPECT_EQ(read_bytes(copy), (std::vector<uint8_t>{'v', 'i', 'e', 'w', 'e', 'r'}));
}

TEST_F(CardRestoreTest, RestoringWithStandardSettingsWritesAllOfIt)
{
    FirmInfo old;
    put_clock(old, {2030, 1, 2, 3, 4});
    write_settings_file(card_, old);
    user_.answers({IDOK, IDNO});
    std::wstring folder = L"C:\\";
    EXPECT_TRUE(restoreCard(nullptr, folder));
    EXPECT_EQ(folder, card_);
    EXPECT_EQ(user_.prompts(), std::vector<std::wstring>{load_text(texts::choose_card_drive_for_restore)});
    ASSERT_EQ(user_.shown().size(), 3u);
    EXPECT_EQ(user_.shown()[0].text, load_text(texts::confirm_restore));
    EXPECT_EQ(user_.shown()[1].text, load_text(texts::keep_settings_question));
    EXPECT_EQ(user_.shown()[1].style, static_cast<UINT>(MB_ICONQUESTION | MB_YESNOCANCEL));
    EXPECT_EQ(user_.shown()[2].text, load_text(texts::card_restored));
    EXPECT_EQ(user_.shown()[2].caption_id, texts::caption_information);
    const JsonValue written = dump(onCard(L"DREC.INI"));
    EXPECT_EQ(record_ids(written), (std::vector<int>{0x0301, 0x0801, 0x0802, 0x0803, 0x0804}));
    EXPECT_TRUE(written["items"]["ItemClock"].is_null());
    expectExtracted(compressed_cabinet());
    EXPECT_TRUE(file_exists(onCard(load_text(texts::program_file_name))));
}

TEST_F(CardRestoreTest, KeepingTheSettingsLeavesTheSettingsFileAlone)
{
    FirmInfo old;
    put_clock(old, {2030, 1, 2, 3, 4});
    write_settings_file(card_, old);
    const std::vector<uint8_t> before = read_bytes(onCard(L"DREC.INI"));
    user_.answers({IDOK, IDYES});
    std::wstring folder;
    restoreCard(nullptr, folder);
    EXPECT_EQ(read_bytes(onCard(L"DREC.INI")), before);
    EXPECT_EQ(user_.shown().back().text, load_text(texts::card_restored));
    expectExtracted(compressed_cabinet());
}

TEST_F(CardRestoreTest, CancellingEitherQuestionOrTheCardChoiceWritesNothing)
{
    std::wstring folder;
    user_.answers({IDOK, IDCANCEL});
    EXPECT_TRUE(restoreCard(nullptr, folder));
    user_.answers({IDCANCEL});
    EXPECT_TRUE(restoreCard(nullptr, folder));
    EXPECT_EQ(user_.shown().size(), 3u);
    user_.chooses(L"");
    EXPECT_FALSE(restoreCard(nullptr, folder));
    EXPECT_EQ(user_.shown().size(), 3u);
    EXPECT_TRUE(cardIsEmpty());
}

} // namespace
