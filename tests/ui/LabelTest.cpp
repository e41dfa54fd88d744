// Labels and link labels on real static controls, drawn into a memory bitmap and read back.
#include "ui/LinkLabel.h"

#include "base/Exception.h"
#include "base/Text.h"
#include "platform/ShellOpen.h"
#include "ui/GdiHandles.h"
#include "support/UiTestSupport.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr int boxWidth = 160;
constexpr int boxHeight = 48;
constexpr COLORREF ink = RGB(255, 0, 0);
constexpr const wchar_t* squares = L"■■■";

// A label whose protected setters the tests may call.
class TestLabel : public Label {
public:
    explicit TestLabel(HWND control) : Label(control) {}
    using Label::setAlignment;
    using Label::setColour;
    using Label::setPicture;
    using Label::setText;
};

// The label's client area drawn into a 32-bit bitmap, as the label erases and paints it.
class Drawing {
public:
    explicit Drawing(HWND control)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = boxWidth;
        info.bmiHeader.biHeight = -boxHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const SelectedObject selected(dc_.get(), bitmap_.get());
        SendMessageW(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc_.get()), 0);
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT);
        for (int y = 0; y < boxHeight; ++y) {
            for (int x = 0; x < boxWidth; ++x) {
                pixels_.push_back(GetPixel(dc_.get(), x, y));
            }
        }
    }

    COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y * boxWidth + x)]; }
    int count(COLORREF colour) const { return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), colour)); }
    // The smallest rectangle holding every pixel that is not the dialog background.
    RECT inked() const
    {
        const COLORREF face = GetSysColor(COLOR_BTNFACE);
        RECT box{boxWidth, boxHeight, -1, -1};
        for (int y = 0; y < boxHeight; ++y) {
            for (int x = 0; x < boxWidth; ++x) {
                if (at(x, y) != face) {
                    box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                           std::max<LONG>(box.bottom, y + 1)};
                }
            }
        }
        return box;
    }

private:
    MemoryDc dc_{nullptr};
    GdiObject<HBITMAP> bitmap_;
    std::vector<COLORREF> pixels_;
};

struct OpenedTarget {
    std::wstring target;
    std::wstring folder;
};
std::vector<OpenedTarget> opened;
bool shellFails = false;

long recordOpen(const std::wstring& target, const std::wstring& folder)
{
    opened.push_back({target, folder});
    if (shellFails) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return SE_ERR_FNF;
    }
    return 42;
}

class LabelTest : public ::testing::Test {
protected:
    LabelTest() : font_(CreateFontW(-20, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"MS UI Gothic"))
    {
        opened.clear();
        shellFails = false;
        set_shell_open_handler(recordOpen);
    }
    ~LabelTest() override { set_shell_open_handler(nullptr); }

    // A static control as a dialog template would make it, with the test font unless told.
    HWND makeStatic(const wchar_t* text, bool withFont = true, DWORD style = SS_LEFT | SS_NOTIFY)
    {
        const HWND control = CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | style, 10, 10, boxWidth,
                                             boxHeight, host_.get(), nullptr, GetModuleHandleW(nullptr), nullptr);
        if (withFont) {
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        }
        return control;
    }

    // A label on a fresh control that draws squares in the ink colour.
    std::pair<HWND, TestLabel*> inkLabel()
    {
        const HWND control = makeStatic(L"");
        auto* label = new TestLabel(control); // owned by the control
        label->setText(squares);
        label->setColour(ink);
        return {control, label};
    }

    SIZE textSize(const wchar_t* text) const
    {
        MemoryDc dc(nullptr);
        const SelectedObject selected(dc.get(), font_.get());
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), text, lstrlenW(text), &size);
        return size;
    }

    HostWindow host_{0, 0, 300, 200};
    GdiObject<HFONT> font_;
};

TEST(TextOrigin, NineAlignmentsAndTopLeftForAnyOther)
{
    // A 30 x 10 text in a 100 x 40 box.
    const struct {
        int alignment;
        int x;
        int y;
    } cases[] = {{0, 0, 0},  {1, 35, 0},  {2, 70, 0},  {3, 0, 15}, {4, 35, 15}, {5, 70, 15},
                 {6, 0, 30}, {7, 35, 30}, {8, 70, 30}, {9, 0, 0},  {-1, 0, 0}};
    for (const auto& c : cases) {
        const TextOrigin origin = textOrigin(c.alignment, 100, 40, 30, 10);
        EXPECT_EQ(origin.x, c.x) << "alignment " << c.alignment;
        EXPECT_EQ(origin.y, c.y) << "alignment " << c.alignment;
    }
    // A text wider than its box starts left of it when centred or right-aligned.
    EXPECT_EQ(textOrigin(4, 20, 10, 31, 13).x, -5);
    EXPECT_EQ(textOrigin(8, 20, 10, 31, 13).y, -3);
}

TEST_F(LabelTest, StartsEmptyMiddleLeftAndBlackAndDrawsOnlyTheBackground)
{
    const HWND control = makeStatic(L"static text");
    auto* label = new TestLabel(control);
    EXPECT_EQ(Window::fromHandle(control), label);
    EXPECT_FALSE(label->text().has_value());
    EXPECT_EQ(label->alignment(), 3);
    EXPECT_EQ(label->colour(), RGB(0, 0, 0));
    const Drawing drawing(control);
    EXPECT_EQ(drawing.count(GetSysColor(COLOR_BTNFACE)), boxWidth * boxHeight)
        << "the control's own text is not drawn by an empty label";
    DestroyWindow(control); // deletes the label
    EXPECT_EQ(Window::fromHandle(control), nullptr);
}

TEST_F(LabelTest, TextLandsWhereItsAlignmentPutsIt)
{
    const SIZE size = textSize(squares);
    for (int alignment : {0, 2, 4, 6, 8, 12}) {
        const auto [control, label] = inkLabel();
        label->setAlignment(alignment);
        const Drawing drawing(control);
        const TextOrigin origin = textOrigin(alignment, boxWidth, boxHeight, size.cx, size.cy);
        const RECT box = drawing.inked();
        ASSERT_LT(box.left, box.right) << "nothing drawn for alignment " << alignment;
        EXPECT_GE(box.left, origin.x) << alignment;
        EXPECT_GE(box.top, origin.y) << alignment;
        EXPECT_LE(box.right, origin.x + size.cx) << alignment;
        EXPECT_LE(box.bottom, origin.y + size.cy) << alignment;
        // Most of the text's cell is ink: the squares fill it, so the ink reaches near its edges.
        EXPECT_LT(box.left - origin.x, size.cx / 4) << alignment;
        EXPECT_LT(origin.x + size.cx - box.right, size.cx / 4) << alignment;
        EXPECT_GT(drawing.count(ink), size.cx * size.cy / 4) << "drawn in the label's colour";
        DestroyWindow(control);
    }
}

TEST_F(LabelTest, ADisabledLabelDrawsInTheSystemsDisabledLook)
{
    const auto [control, label] = inkLabel();
    EnableWindow(control, FALSE);
    const Drawing drawing(control);
    EXPECT_EQ(drawing.count(ink), 0) << "not in the label's own colour";
    EXPECT_GT(drawing.count(GetSysColor(COLOR_3DSHADOW)), 50) << "engraved in the shadow colour";
    EXPECT_GT(drawing.count(GetSysColor(COLOR_3DHILIGHT)), 10) << "with its highlight";
    EnableWindow(control, TRUE);
    EXPECT_GT(Drawing(control).count(ink), 50);
    DestroyWindow(control);
}

TEST_F(LabelTest, APictureIsDrawnAloneCentredAtItsOwnSize)
{
    const auto [control, label] = inkLabel();
    auto picture = std::make_unique<Image>(10, 6);
    for (int y = 0; y < 6; ++y) {
        uint8_t* row = picture->row(y);
        for (int x = 0; x < 10; ++x) {
            row[x * 4 + 0] = 0; // blue, green, red, alpha
            row[x * 4 + 1] = 200;
            row[x * 4 + 2] = 0;
            row[x * 4 + 3] = 255;
        }
    }
    label->setPicture(std::make_unique<AlphaImage>(std::move(picture)));
    const Drawing drawing(control);
    EXPECT_EQ(drawing.count(ink), 0) << "the text is not drawn beside the picture";
    EXPECT_EQ(drawing.count(RGB(0, 200, 0)), 60);
    const RECT box = drawing.inked();
    EXPECT_EQ(box.left, (boxWidth - 10) / 2);
    EXPECT_EQ(box.top, (boxHeight - 6) / 2);
    EXPECT_EQ(box.right - box.left, 10);
    EXPECT_EQ(box.bottom - box.top, 6);
    DestroyWindow(control);
}

TEST_F(LabelTest, ALinkTakesTheControlsTextInBlueWithAnUnderlinedCopyOfItsFont)
{
    const HWND control = makeStatic(L"■■ support");
    auto* link = new LinkLabel(control);
    ASSERT_TRUE(link->text().has_value());
    EXPECT_EQ(*link->text(), L"■■ support");
    EXPECT_EQ(link->colour(), RGB(0, 0, 255));
    const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    EXPECT_NE(font, font_.get()) << "a copy, the original stays as it was";
    LOGFONTW copy{};
    LOGFONTW original{};
    GetObjectW(font, sizeof copy, &copy);
    GetObjectW(font_.get(), sizeof original, &original);
    EXPECT_TRUE(copy.lfUnderline);
    EXPECT_FALSE(original.lfUnderline);
    EXPECT_EQ(copy.lfHeight, original.lfHeight);
    EXPECT_EQ(copy.lfWeight, original.lfWeight);
    EXPECT_STREQ(copy.lfFaceName, original.lfFaceName);
    const Drawing drawing(control);
    EXPECT_GT(drawing.count(RGB(0, 0, 255)), 50);
    EXPECT_EQ(drawing.inked().left, 0) << "middle left";
    DestroyWindow(control);
}

TEST_F(LabelTest, ALinkShowsTheHandAndItsClickReachesTheShellWithTheSupportAddress)
{
    const HWND control = makeStatic(L"link");
    new LinkLabel(control);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    SendMessageW(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    EXPECT_EQ(SendMessageW(control, WM_NCHITTEST, 0, MAKELPARAM(20, 20)), HTCLIENT)
        << "a notifying static receives the mouse";
    EXPECT_TRUE(opened.empty());
    SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(opened.empty()) << "the page opens on release";
    SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].target, load_text(texts::support_address));
    EXPECT_EQ(opened[0].folder, L"C:\\");
    DestroyWindow(control);
}

TEST_F(LabelTest, ALinkWithoutAFontKeepsTheSystemFontAndAFailedOpenTellsTheAddress)
{
    MessageRecorder messages;
    const HWND control = makeStatic(L"link", false);
    new LinkLabel(control);
    EXPECT_EQ(SendMessageW(control, WM_GETFONT, 0, 0), 0) << "no underlined font is made";
    shellFails = true;
    EXPECT_EQ(SendMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)), 0);
    EXPECT_EQ(opened.size(), 1u) << "the page was still asked for";
    // No browser answered: the address, to be opened by hand, over the link's window.
    ASSERT_EQ(messages.shown().size(), 1u);
    const ShownMessage& shown = messages.shown()[0];
    EXPECT_EQ(shown.text, L"サポートページを表示できません。\r\nWebブラウザで次のアドレスを開いてください。\r\n" +
                              load_text(texts::support_address));
    EXPECT_EQ(shown.captionId, texts::caption_warning);
    EXPECT_EQ(shown.style & MB_ICONMASK, static_cast<UINT>(MB_ICONWARNING));
    EXPECT_EQ(shown.owner, host_.get());
    EXPECT_TRUE(IsWindow(control));
    DestroyWindow(control);
}

TEST(SupportPage, AShellFailureThrowsTheSystemsText)
{
    set_shell_open_handler([](const std::wstring&, const std::wstring&) -> long {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return SE_ERR_FNF;
    });
    try {
        openSupportPage();
        ADD_FAILURE() << "opened";
    } catch (const WindowException& failure) {
        EXPECT_FALSE(failure.message().empty());
    }
    set_shell_open_handler(nullptr);
}

} // namespace
