#pragma once
// A fresh temporary folder, the recorder's time zone and a record of the warnings shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Exception.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "base/Text.h"
#include "recording/VideoArchive.h"
#include "support/ArchiveBuilder.h"
#include "support/TempFolder.h"
#include "support/TestZone.h"

class ArchiveFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        use_recorder_time_zone();
        warnings().clear();
        previous_handler_ = set_message_handler([](MessageOwner, const std::wstring& text, int, unsigned) {
            warnings().push_back(text);
            return 1;
        });
    }
    void TearDown() override { set_message_handler(previous_handler_); }

    static std::vector<std::wstring>& warnings()
    {
        static std::vector<std::wstring> shown;
        return shown;
    }

    void load_event(const Bytes& bytes) { archive.load_event(folder.write(L"Video.dvt", bytes)); }
    void load_chapter(const Bytes& bytes) { archive.load_chapter(folder.write(L"Video0001.dmv", bytes)); }

    // The message of the VideoArchiveException that `load` throws, or "(none)".
    template <typename Load>
    static std::wstring archive_failure(Load load)
    {
        try {
            load();
        } catch (const VideoArchiveException& failure) {
            return failure.message();
        }
        return L"(none)";
    }

    // The ms of every frame slot, in slot order.
    std::vector<int> slot_times() const
    {
        std::vector<int> times;
        for (int i = 0; i < archive.frame_count(); ++i) {
            times.push_back(archive.frame_record(i)->ms);
        }
        return times;
    }

    TempFolder folder;
    VideoArchive archive;

private:
    MessageHandler previous_handler_ = nullptr;
};
