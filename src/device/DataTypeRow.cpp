#include "device/DataTypeRow.h"

#include "base/Text.h"
#include "recording/DataType.h"

#include <array>

namespace {

constexpr int label_width = 55;
constexpr int list_width = 90;
constexpr int control_height = 160; // the list's height is also the height of its drop-down
constexpr int data_type_count = 3;

struct Placement {
    HWND window;
    POINT target;
};

RECT rect_in_parent(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool in_place(const Placement& placement)
{
    const RECT rect = rect_in_parent(placement.window);
    return rect.left == placement.target.x && rect.top == placement.target.y;
}

bool has_visible_style(HWND window)
{
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

HWND create_child(HWND browser, DWORD ex_style, const wchar_t* window_class, const std::wstring& text,
                  DWORD style, POINT at, int width, int id)
{
    const HWND child = CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | WS_VISIBLE | style, at.x,
                                       at.y, width, control_height, browser,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                       GetModuleHandleW(nullptr), nullptr);
    if (child != nullptr) {
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    return child;
}

void fill_data_type_list(HWND list)
{
    for (int type = 0; type < data_type_count; ++type) {
        const std::wstring entry = load_text(texts::data_type_event + type); // "ｲﾍﾞﾝﾄ記録", "画像記録", "連続記録"
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(current_data_type()), 0);
}

void place_after(HWND window, HWND predecessor)
{
    SetWindowPos(window, predecessor, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void put_in_tab_order(HWND browser, HWND list, HWND label)
{
    place_after(list, HWND_TOP);
    place_after(label, list);
    const HWND ok = GetDlgItem(browser, IDOK);
    place_after(ok, label);
    if (const HWND cancel = GetDlgItem(browser, IDCANCEL)) {
        place_after(cancel, ok);
    }
}

} // namespace

DataTypeRowLayout data_type_row_layout(int ok_top, int ok_width)
{
    return {
        .label = {18, ok_top + 5},
        .list = {73, ok_top},
        .ok = {169, ok_top},
        .cancel = {175 + ok_width, ok_top},
    };
}

void create_data_type_row(HWND browser)
{
    const HWND ok = GetDlgItem(browser, IDOK);
    if (ok == nullptr) {
        return;
    }
    const RECT ok_rect = rect_in_parent(ok);
    const DataTypeRowLayout layout = data_type_row_layout(ok_rect.top, ok_rect.right - ok_rect.left);
    const HWND label = create_child(browser, 0, L"STATIC", load_text(texts::data_type_label), SS_LEFT | SS_ENDELLIPSIS, layout.label,
                                    label_width, IDC_DATA_TYPE_LABEL); // "ﾃﾞｰﾀ種別:"
    const HWND list = create_child(browser, WS_EX_CLIENTEDGE, L"COMBOBOX", L"",
                                   WS_BORDER | WS_TABSTOP | CBS_DROPDOWNLIST, layout.list, list_width,
                                   IDC_DATA_TYPE_LIST);
    if (label == nullptr || list == nullptr) {
        return;
    }
    fill_data_type_list(list);
    put_in_tab_order(browser, list, label);
}

void lay_out_data_type_row(HWND browser)
{
    const HWND ok = GetDlgItem(browser, IDOK);
    const HWND cancel = GetDlgItem(browser, IDCANCEL);
    const HWND label = GetDlgItem(browser, IDC_DATA_TYPE_LABEL);
    const HWND list = GetDlgItem(browser, IDC_DATA_TYPE_LIST);
    if (ok == nullptr || cancel == nullptr || label == nullptr || list == nullptr) {
        return;
    }
    const RECT ok_rect = rect_in_parent(ok);
    const DataTypeRowLayout layout = data_type_row_layout(ok_rect.top, ok_rect.right - ok_rect.left);
    const std::array<Placement, 4> row{{{label, layout.label}, {list, layout.list}, {ok, layout.ok},
                                        {cancel, layout.cancel}}};
    bool all_in_place = true;
    for (const Placement& placement : row) {
        all_in_place = all_in_place && in_place(placement);
    }
    if (all_in_place) {
        return;
    }
    const HWND focus = GetFocus();
    std::array<bool, 4> was_visible{};
    for (size_t i = 0; i < row.size(); ++i) {
        was_visible[i] = has_visible_style(row[i].window);
        SetWindowPos(row[i].window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const Placement& placement : row) {
        SetWindowPos(placement.window, nullptr, placement.target.x, placement.target.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (size_t i = 0; i < row.size(); ++i) {
        if (was_visible[i]) {
            SetWindowPos(row[i].window, nullptr, 0, 0, 0, 0,
                         SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (focus != nullptr && GetFocus() != focus) {
        SetFocus(focus);
    }
}

void focus_data_type_list(HWND browser)
{
    if (const HWND list = GetDlgItem(browser, IDC_DATA_TYPE_LIST)) {
        SetFocus(list);
    }
}

void store_data_type_choice(HWND browser)
{
    const LRESULT selection = SendDlgItemMessageW(browser, IDC_DATA_TYPE_LIST, CB_GETCURSEL, 0, 0);
    if (selection >= 0 && selection < data_type_count) {
        set_current_data_type(static_cast<int>(selection));
    }
}
