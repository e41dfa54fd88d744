#pragma once
// The list-view control that holds the thumbnails: one row of 71 x 53 pictures with their
// captions. It takes only the left and right arrow keys, scrolls by whole items and always
// comes to rest with a thumbnail at its left edge.
#include "ui/GdiHandles.h"
#include "ui/Window.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>

class Image;

class ImageListView : public Window {
public:
    // A visible list view, child of `parent`, with its font and its empty image list.
    ImageListView(HWND parent, int x, int y, int width, int height);

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Adds `picture`, stretched to a thumbnail, as item `index` with `caption` under it and
    // places it in the row. ImageListViewException ("該当データを読み込めません。") when the
    // picture cannot be stretched or stored.
    void add(int index, const Image& picture, const std::wstring& caption);
    // Draws the thumbnails added since the last call; until then they are held back.
    void show_added();
    // Removes every item and every picture.
    void clear();
    // Makes room for `pictures` pictures in an empty list at once.
    void reserve(int pictures);
    int count() const;
    // Gives item `index` the focused and selected state and scrolls it into view.
    void select(int index);
    void ensure_visible(int index);
    // The item's caption; empty outside the items.
    std::wstring caption(int index) const;
    int picture_count() const;
    // Draws item `index` on `dc` as an unselected, unfocused item: its thumbnail and caption.
    void draw_plain(HDC dc, int index) const;
    // The horizontal scroll position, in pixels from the row's start.
    int scroll_position() const;

private:
    struct ImageListRelease {
        void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
    };
    using ImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListRelease>;

    void on_paint();
    bool on_horizontal_scroll(int code);
    bool snap();
    int item_width() const;
    void keep_row_at_top();
    void measure_items();
    struct ItemBox {
        int left = 0;         // view coordinates
        int width = 0;
        int picture_left = 0; // the control's place of the item, from the box's corner
        int picture_top = 0;
    };
    ItemBox item_box(int index) const;

    GdiObject<HFONT> font_;
    ImageList images_;
    bool redrawing_ = true;
    int placed_ = 0; // items standing in the row; those after them wait for show_added
};
