// Every input the fuzzer ever found (and the hand-made damage kept beside them) is read again
// on every test run, in both builds, and must leave the archive in a consistent state.
#include <gtest/gtest.h>

#include "ArchiveExercise.h"
#include "ArchiveFixture.h"
#include "platform/FileSearch.h"

namespace {

using FuzzRegression = ArchiveFixture;

// What every load promises whatever the bytes: full slots, ordered time index, sane indexes.
void expect_consistent(const VideoArchive& archive, const std::wstring& name)
{
    SCOPED_TRACE(to_narrow(name));
    ASSERT_GE(archive.frame_count(), 0);
    ASSERT_LE(archive.frame_count(), 900);
    for (int i = 0; i < archive.frame_count(); ++i) {
        const FrameRecord* record = archive.frame_record(i);
        ASSERT_NE(record, nullptr) << i;
        EXPECT_GE(record->speed, 0);
        EXPECT_LE(record->speed, 180);
    }
    EXPECT_EQ(archive.frame_record(archive.frame_count()), nullptr);
    EXPECT_GE(archive.detection_index(), -1);
    EXPECT_LT(archive.detection_index(), std::max(archive.frame_count(), 1));
    const auto& index = archive.time_index();
    EXPECT_LE(index.size(), static_cast<size_t>(archive.frame_count()));
    for (size_t i = 1; i < index.size(); ++i) {
        EXPECT_LE(index[i - 1].ms, index[i].ms);
    }
    EXPECT_LE(archive.start_time(), archive.end_time());
}

TEST_F(FuzzRegression, EveryKeptInputLoadsConsistently)
{
    const std::wstring regressions = TARVO_FUZZ_REGRESSIONS;
    const std::vector<std::wstring> names = find_files(regressions, L"*");
    ASSERT_FALSE(names.empty());
    for (const std::wstring& name : names) {
        const Bytes bytes = read_bytes(join_path(regressions, name));
        exercise_archive(bytes.data(), bytes.size(), folder.file(L"scratch"), archive);
        EXPECT_TRUE(file_and_memory_loads_agree(bytes.data(), bytes.size(), folder.file(L"scratch"), archive))
            << to_narrow(name);
        for (const bool chapter : {false, true}) {
            try {
                archive.reset(); // the last load keeps its file open
                const std::wstring path = folder.write(L"input", bytes);
                chapter ? archive.load_chapter(path) : archive.load_event(path);
                expect_consistent(archive, name);
            } catch (const VideoArchiveException&) {
                EXPECT_EQ(archive.frame_count(), 0);
            }
        }
    }
}

} // namespace
