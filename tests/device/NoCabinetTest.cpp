// The card restore as the shipped viewer runs it: without the cabinet resource the extraction
// fails, the viewer is not copied, and only the standard settings are written when asked for.
#include "device/CardRestore.h"

#include "DeviceCard.h"
#include "DeviceDialogDriver.h"
#include "base/Exception.h"
#include "base/Text.h"
#include "platform/FileSystem.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

namespace {

using namespace device_test;

TEST(NoCabinet, ExtractionFailsWithTheSystemsTextAndTheRestoreWithTheOneWarning)
{
    TempFolder card;
    EXPECT_THROW(extractCabinet(card.path()), WindowException);

    CardUser user;
    user.chooses(card.path());
    user.answers({IDOK, IDNO});
    std::wstring folder;
    EXPECT_TRUE(restoreCard(nullptr, folder));
    ASSERT_EQ(user.shown().size(), 3u);
    EXPECT_EQ(user.shown()[2].text, load_text(texts::restore_incomplete));
    EXPECT_EQ(user.shown()[2].caption_id, texts::caption_warning);
    EXPECT_EQ(user.shown()[2].style, static_cast<UINT>(MB_ICONWARNING));
    // The standard settings, all five items, even though the rest failed.
    const JsonValue written = dump(card.file(L"DREC.INI"));
    EXPECT_EQ(record_ids(written), (std::vector<int>{0x0301, 0x0801, 0x0802, 0x0803, 0x0804}));
    EXPECT_EQ(written["items"]["ItemGThreshold"].integer(), 45);
    EXPECT_EQ(value_digits(written, 0x0804), "0040FFFFFF");
    EXPECT_FALSE(file_exists(card.file(load_text(texts::program_file_name))));
}

} // namespace
