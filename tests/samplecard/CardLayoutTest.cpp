#include "samplecard/CardFiles.h"
#include "samplecard/CardWriter.h"
#include "samplecard/EventRecording.h"

#include "TestSupport.h"

#include "base/Text.h"
#include "base/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

using namespace samplecard;
using namespace samplecard_test;

std::set<std::wstring> names_in(const std::wstring& folder)
{
#ifdef _WIN32
    const std::filesystem::path path(folder);
#else
    const std::filesystem::path path(to_narrow(folder));
#endif
    std::set<std::wstring> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) {
#ifdef _WIN32
        names.insert(entry.path().filename().wstring());
#else
        names.insert(to_wide(entry.path().filename().string()));
#endif
    }
    return names;
}

TEST(CardLayout, EventFolderHoldsTheEventAndItsInformationFile)
{
    TempFolder temp;
    EventOptions options;
    options.frames = 10;
    options.detection_frame = 4;
    options.picture = PictureFormat{64, 48, 40};
    const std::wstring folder = join_path(join_path(temp.path(), L"EVENT"), L"0001");
    write_event_folder(folder, options);
    EXPECT_EQ(names_in(folder), (std::set<std::wstring>{L"Video.dvt", L"VideoInf.dat"}));
    const WrittenArchive event = make_event(options);
    EXPECT_EQ(read_file(join_path(folder, L"Video.dvt")), event.bytes);
    EXPECT_EQ(read_file(join_path(folder, L"VideoInf.dat")), make_video_inf(event));
}

TEST(CardLayout, FuzzSeedsAreSmallAndCoverEveryFileKind)
{
    TempFolder temp;
    const auto names = write_fuzz_seeds(temp.path());
    EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()), names_in(temp.path()));
    std::set<std::wstring> extensions;
    for (const auto& name : names) {
        extensions.insert(name.substr(name.find_last_of(L'.')));
        const Bytes bytes = read_file(join_path(temp.path(), name));
        EXPECT_FALSE(bytes.empty()) << wide_to_utf8(name);
        EXPECT_LT(bytes.size(), 40000u) << wide_to_utf8(name);
    }
    EXPECT_EQ(extensions, (std::set<std::wstring>{L".dvt", L".dmv", L".dpc", L".DAT", L".INI"}));
    bool complete = false;
    block_chain(read_file(join_path(temp.path(), L"event.dvt")), complete);
    EXPECT_TRUE(complete);
    block_chain(read_file(join_path(temp.path(), L"event-truncated.dvt")), complete);
    EXPECT_FALSE(complete);
}

TEST(CardLayout, AwkwardCardHasEveryLayoutItLists)
{
    TempFolder temp;
    const std::vector<CardFolder> folders = write_awkward_card(temp.path());
    std::set<std::wstring> listed;
    for (const CardFolder& folder : folders) {
        const std::wstring path = join_path(temp.path(), folder.path);
        listed.insert(folder.path);
        ASSERT_TRUE(exists(path)) << wide_to_utf8(folder.path);
#ifdef _WIN32
        EXPECT_EQ(is_hidden(path), folder.hidden) << wide_to_utf8(folder.path);
#endif
        const auto names = names_in(path);
        if (folder.contents == L"event") {
            EXPECT_TRUE(std::any_of(names.begin(), names.end(), [](const std::wstring& n) {
                return n.size() >= 4 && (n.substr(n.size() - 4) == L".dvt" || n.substr(n.size() - 4) == L".DVT");
            })) << wide_to_utf8(folder.path);
        }
        if (folder.contents == L"none") {
            EXPECT_TRUE(names.empty());
        }
    }
    const std::wstring sep = join_path(L"A", L"B").substr(1, 1);
    for (const wchar_t* expected : {L"EVENT/0001", L"EVENT/0002", L"EVENT/0003", L"EVENT/0004", L"EVENT/0010",
                                    L"EVENT/0011", L"CONT/0001", L"CONT/0002", L"CONT/0003", L"CONT/0004",
                                    L"IMAGE/0001", L"IMAGE/0002", L"MIXED/0001", L"MIXED/0002", L"CASE/rec"}) {
        std::wstring path = expected;
        std::replace(path.begin(), path.end(), L'/', sep[0]);
        EXPECT_EQ(listed.count(path), 1u) << wide_to_utf8(path);
    }
    // Hidden folders: one event, one continuous, one image folder.
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(), [](const CardFolder& f) { return f.hidden; }), 3);
#ifndef _WIN32
    EXPECT_EQ(listed.count(L"CASE/REC"), 1u); // the host's file system keeps the two apart
#endif

    const auto sixty_one = names_in(join_path(join_path(temp.path(), L"CONT"), L"0002"));
    EXPECT_EQ(sixty_one.size(), 61u);
    EXPECT_EQ(sixty_one.count(L"Video0061.dmv"), 1u);
    EXPECT_EQ(names_in(join_path(join_path(temp.path(), L"CONT"), L"0003")),
              (std::set<std::wstring>{L"VIDEO0001.DMV", L"video0002.dmv", L"Video0003.dmv", L"Video001.dmv",
                                      L"VideoA001.dmv", L"Clip0001.dmv"}));
    EXPECT_EQ(names_in(join_path(join_path(temp.path(), L"EVENT"), L"0011")),
              (std::set<std::wstring>{L"VideoInf.dat"}));
    const auto mixed = names_in(join_path(join_path(temp.path(), L"MIXED"), L"0001"));
    EXPECT_EQ(mixed, (std::set<std::wstring>{L"Video.dvt", L"VideoInf.dat", L"1-001.dpc", L"1-002.dpc",
                                             L"Video0001.dmv"}));
    EXPECT_TRUE(exists(join_path(temp.path(), L"FIRMINFO.DAT")));
}

TEST(CardLayout, CreateFolderTellsNewFromExisting)
{
    TempFolder temp;
    const std::wstring folder = join_path(temp.path(), L"X");
    EXPECT_TRUE(create_folder(folder));
    EXPECT_FALSE(create_folder(folder));
    EXPECT_THROW(create_folder(join_path(join_path(temp.path(), L"missing"), L"Y")), std::runtime_error);
    create_folders(join_path(join_path(temp.path(), L"a"), L"b"));
    EXPECT_TRUE(exists(join_path(join_path(temp.path(), L"a"), L"b")));
}

} // namespace
