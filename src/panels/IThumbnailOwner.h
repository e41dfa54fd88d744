#pragma once
// What the thumbnail strip asks of the window that shows the pictures large.
class IThumbnailOwner {
public:
    // Shows picture `index` of the strip's folder large.
    virtual void show_picture(int index) = 0;
    // The strip's folder has gone while it was loading: nothing of it can be shown any more.
    virtual void thumbnail_folder_gone() = 0;

protected:
    ~IThumbnailOwner() = default;
};
