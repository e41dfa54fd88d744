#pragma once
// The "ﾃﾞｰﾀ種別:" row that the open-folder browser carries below its tree: a label and a
// drop-down list of the three recording kinds, beside the OK and Cancel buttons.
#include "ResourceIds.h"

#include <windows.h>

// Where the row's four controls stand (browser client coordinates), given the OK button's
// current top and width: the row follows the OK button when the browser is resized.
struct DataTypeRowLayout {
    POINT label;
    POINT list;
    POINT ok;
    POINT cancel;
};
DataTypeRowLayout data_type_row_layout(int ok_top, int ok_width);

// Adds the label and the list (selected: the current data type) and makes the list the first
// stop of the tab order, followed by the label, OK and Cancel. Nothing when the browser has no
// OK button to line up with.
void create_data_type_row(HWND browser);

// Moves the row back into place after the browser has laid out its buttons. Controls already in
// place are left alone, so a repaint does not cause another repaint.
void lay_out_data_type_row(HWND browser);

void focus_data_type_list(HWND browser);

// OK was pressed: the list's selection, if any, becomes the current data type.
void store_data_type_choice(HWND browser);
