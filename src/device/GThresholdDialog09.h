#pragma once
// "本体設定": the recorder's shock detection (threshold, lateral and mounting-direction
// corrections), the overwriting of continuous recordings and the two buzzer volumes. Opens with
// what the card's "FIRMINFO.DAT" holds and writes the choice into the card's "DREC.INI".
#include "ui/Dialog.h"

#include <memory>
#include <string>

class CardFileWriter;
class FirmInfo;
class GThresholdDialog09Page1;
class GThresholdDialog09Page2;
class GThresholdDialog09Page2Ex;

class GThresholdDialog09 : public Dialog {
public:
    // `card_folder`: where the folder chooser starts.
    explicit GThresholdDialog09(const std::wstring& card_folder);
    ~GThresholdDialog09() override;

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The card folder the user chose last (the one given when none was chosen).
    const std::wstring& cardFolder() const { return card_folder_; }
    // The values came from the card's "FIRMINFO.DAT".
    bool loaded() const { return loaded_; }
    // Writes "DREC.INI" through `writer` (tests play a card that refuses the write).
    void useWriter(CardFileWriter& writer) { writer_ = &writer; }

    GThresholdDialog09Page1& page1() { return *page1_; }
    GThresholdDialog09Page2& page2() { return *page2_; }
    GThresholdDialog09Page2Ex& page2Ex() { return *page2ex_; }
    // 0 the simple tab, 1 the detailed tab.
    int selectedTab() const;

private:
    void onInitDialog();
    void createPages();
    void setDefaults();
    void readCard();
    void takeItems(const FirmInfo& device);
    void onOk();
    INT_PTR onNotify(const NMHDR& header);
    void showTab(int tab);
    void applyPreset(int hundredths);
    bool chooseCard();
    FirmInfo chosenSettings() const;

    std::unique_ptr<GThresholdDialog09Page1> page1_;
    std::unique_ptr<GThresholdDialog09Page2> page2_;
    std::unique_ptr<GThresholdDialog09Page2Ex> page2ex_;
    HWND tab_ = nullptr;
    HWND standard_button_ = nullptr;
    HWND sensitive_button_ = nullptr;
    HWND overwrite_combo_ = nullptr;
    HWND operation_buzzer_combo_ = nullptr;
    HWND event_buzzer_combo_ = nullptr;
    bool loaded_ = false;
    std::wstring card_folder_;
    CardFileWriter* writer_ = nullptr;
};
