#pragma once
// "日時設定": the moment at which the engine will next be started, which the recorder takes
// over as its clock when it is switched on. Writes the clock item alone into the card's
// "DREC.INI", keeping every other item there.
#include "ui/Dialog.h"

#include <string>

class CardFileWriter;

class DateTimeDialog : public Dialog {
public:
    explicit DateTimeDialog(const std::wstring& card_folder);

    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const std::wstring& cardFolder() const { return card_folder_; }
    // Writes "DREC.INI" through `writer` (tests play a card that refuses the write).
    void useWriter(CardFileWriter& writer) { writer_ = &writer; }

    HWND datePicker() const { return date_; }
    HWND hourEdit() const { return hour_edit_; }
    HWND minuteEdit() const { return minute_edit_; }
    HWND hourUpdown() const { return hour_updown_; }
    HWND minuteUpdown() const { return minute_updown_; }

private:
    void onInitDialog();
    // Takes the number typed if it is one, clamped to the up-down's range; otherwise shows the
    // last good one again.
    void onEditDone(HWND edit, HWND updown, int& last_valid);
    void onOk();

    HWND date_ = nullptr;
    HWND hour_updown_ = nullptr;
    HWND minute_updown_ = nullptr;
    HWND hour_edit_ = nullptr;
    HWND minute_edit_ = nullptr;
    int last_hour_ = 0;
    int last_minute_ = 0;
    std::wstring card_folder_;
    CardFileWriter* writer_ = nullptr;
};
