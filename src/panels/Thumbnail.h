#pragma once
// The image mode's strip under the player: a row of thumbnails of every picture in the chosen
// folder, captioned with their capture times, with buttons for the first, previous, next and
// last picture. The strip's own loader decodes the pictures one after another, in picture order,
// and each thumbnail appears as it arrives; the selected picture is shown large by the owner.
#include "panels/StripGeometry.h"
#include "recording/VideoInfo07.h"
#include "ui/AlphaImage.h"
#include "ui/GdiHandles.h"
#include "ui/ImageButtonListener.h"
#include "ui/Window.h"
#include "ResourceIds.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <optional>
#include <string>

class IThumbnailOwner;
class ImageButton;
class ImageListView;
class ImageLoader;
class Image;

class Thumbnail : public Window, public ImageButtonListener {
public:
    // A visible child of `parent`, empty, with its list view, buttons and loader.
    Thumbnail(HWND parent, IThumbnailOwner& owner);
    ~Thumbnail() override;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Lists the pictures of `folder` and starts loading their thumbnails; true when the folder
    // holds more than the 600 pictures that are listed. ThumbnailException
    // ("該当データを読み込めません。") when it holds none, Exception "現在開いているフォルダが移動
    // または削除されました。" when it is gone; other failures pass on.
    bool open(const std::wstring& folder);
    // Stops loading (the picture being decoded is dropped) and empties the strip.
    void clear();

    enum class Step { first, previous, next, last };
    // What the four buttons do: select the first, previous, next or last thumbnail.
    void step(Step step);

    // ImageButtonListener: a click steps; holding a button does nothing more.
    void buttonClicked(ImageButton* button) override;
    void buttonPressed(ImageButton*) override {}

    int total() const { return total_; }
    int added() const { return added_; }
    bool finished() const { return finished_; }
    int selected() const { return selected_; }
    // The file name of picture `index`; empty outside the list.
    std::wstring picture_name(int index) const;
    strip::ButtonStates button_states() const;
    ImageListView& list() { return *list_; }
    const ImageLoader& loader() const { return *loader_; }
    ImageButton& button(Step step) { return *buttons_[static_cast<int>(step)]; }

    static constexpr int step_interval_ms = 50;
    static constexpr int list_width = 506;
    static constexpr int list_height = 90;

private:
    void on_size(int width);
    void on_erase_background(HDC dc);
    void on_alarm();
    void on_picture_delivered(int index, Image* picture);
    LRESULT on_notify(const NMHDR& header);
    void on_item_changed(const NMLISTVIEW& change);

    void request_next();
    void add_thumbnail(int index, const Image* picture);
    void show_added();
    void finish();
    void stop_loading();
    void drop_deliveries();
    void select(int index, bool quiet);
    void update_buttons();
    template <typename Work> void reporting(Work work);

    IThumbnailOwner& owner_;
    GdiObject<HBRUSH> white_;
    AlphaImage left_{IDB_STRIP_LEFT};
    AlphaImage middle_{IDB_STRIP_TILE};
    AlphaImage right_{IDB_STRIP_RIGHT};
    AlphaImage undecodable_{IDB_UNDECODABLE_PICTURE};
    ImageListView* list_ = nullptr; // belongs to its window, a child of this one
    ImageButton* buttons_[4] = {};  // by Step; likewise
    std::unique_ptr<ImageLoader> loader_;
    std::wstring folder_;
    std::optional<VideoInfo07> info_; // over the loader's archive
    int total_ = 0;
    int added_ = 0;
    int selected_ = 0;
    bool finished_ = false;
    bool loading_ = false;    // pictures are being requested and added
    bool accepted_ = false;   // the request for picture `added_` was taken by the loader
    int steps_waiting_ = 0;    // steps since that request, to ask again should it be lost
    bool quiet_selection_ = false;
    bool adding_ = false;      // a thumbnail is being put into the list
    DWORD last_shown_ = 0;     // when new thumbnails were last drawn
    DWORD show_pause_ms_ = 0;  // how long after that the next batch is drawn
    std::unique_ptr<Image> held_; // the last decoded picture
};
