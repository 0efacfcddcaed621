// The view window: replacing a placeholder, attaching handlers, forwarding mouse input and
// painting, on real widgets.
#include "platform/d3d9/window_host.h"
#include "platform/win/cdialog.h"
#include "platform/win/dialog_service.h"
#include "platform/win/dialog_template.h"
#include "platform/win/qt_bridge.h"
#include "platform/win/win_api.h"
#include "ui/ui_window.h"

#include <QImage>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

constexpr UINT kTemplateId = 9500;
constexpr int kPlaceholder = 1000;

// A handler that records what the window asks of it and presents one colour when it draws.
class FakeHandler : public TQR_IWindowHandler {
public:
    struct Button {
        bool down;
        unsigned int flags;
        int x;
        int y;
        HWND capture;
    };

    bool IsInitialized() const override { return window != nullptr; }
    bool AttachWindow(HWND w) override
    {
        ++attaches;
        window = accepts ? w : nullptr;
        return accepts;
    }
    void DetachWindow() override
    {
        ++detaches;
        window = nullptr;
    }
    void BeginDraw() override {}
    void EndDraw() override {}
    void DrawGraphics() override
    {
        ++draws;
        UINT width = 0;
        UINT height = 0;
        ID3D9WindowHost* host = D3D9GetWindowHost();
        if (!host || !host->GetClientSize(window, &width, &height)) {
            return;
        }
        std::vector<std::uint8_t> pixels;
        for (UINT i = 0; i < width * height; ++i) {
            pixels.insert(pixels.end(), {0, 200, 0, 255}); // green
        }
        host->PresentImage(window, D3D9PresentedImage{width, height, pixels.data()});
    }
    void HandleMouseButton(bool down, unsigned int flags, int x, int y) override
    {
        buttons.push_back({down, flags, x, y, GetCapture()});
    }
    void HandleMouseMove(unsigned int flags, int x, int y) override { moves.push_back({false, flags, x, y, nullptr}); }

    bool accepts = true;
    HWND window = nullptr;
    int attaches = 0;
    int detaches = 0;
    int draws = 0;
    std::vector<Button> buttons;
    std::vector<Button> moves;
};

class RefusingWindow : public TQRMFC_UIWindow {
public:
    RefusingWindow() : TQRMFC_UIWindow(true) {}

protected:
    BOOL PreCreateWindow(CREATESTRUCTW&) override { return FALSE; }
};

class UIWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        DialogTemplate t;
        t.id = kTemplateId;
        t.cx = 300;
        t.cy = 200;
        t.controls = {{kPlaceholder,
                       DialogControlKind::Static,
                       L"Small View PlaceHolder",
                       {10, 10, 200, 150},
                       WS_BORDER | SS_CENTER}};
        RegisterDialogTemplate(t);
        ASSERT_TRUE(m_dialog.Create(kTemplateId));
        m_dialog.ShowWindow(SW_SHOW);
    }

    CRect PlaceOf(HWND window) const
    {
        CRect rect;
        GetWindowRect(window, &rect);
        m_dialog.ScreenToClient(&rect);
        return rect;
    }

    QImage Grab(const CWnd& window) const { return WidgetOfWindow(window.m_hWnd)->grab().toImage(); }

    ScriptedDialogService m_messages;
    CDialog m_dialog{kTemplateId};
    TQRMFC_UIWindow m_view{true};
};

TEST_F(UIWindowTest, ReplacesThePlaceholderTakingItsPlaceIdAndStyle)
{
    const HWND placeholder = ::GetDlgItem(m_dialog.m_hWnd, kPlaceholder);
    const CRect place = PlaceOf(placeholder);
    ASSERT_TRUE(m_view.ReplaceDialogControl(m_dialog.m_hWnd, kPlaceholder));
    EXPECT_FALSE(IsWindow(placeholder));
    EXPECT_EQ(::GetDlgItem(m_dialog.m_hWnd, kPlaceholder), m_view.m_hWnd);
    EXPECT_EQ(PlaceOf(m_view.m_hWnd), place);
    const DWORD wanted = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    EXPECT_EQ(m_view.GetStyle() & wanted, wanted);
    EXPECT_TRUE(m_messages.MessageBoxes().empty());

    TQRMFC_UIWindow missing(true);
    EXPECT_FALSE(missing.ReplaceDialogControl(m_dialog.m_hWnd, 4242));
    EXPECT_TRUE(m_messages.MessageBoxes().empty()) << "a missing placeholder fails silently";
}

TEST_F(UIWindowTest, CreationFailureIsReportedAfterThePlaceholderIsGone)
{
    const HWND placeholder = ::GetDlgItem(m_dialog.m_hWnd, kPlaceholder);
    RefusingWindow view;
    EXPECT_FALSE(view.ReplaceDialogControl(m_dialog.m_hWnd, kPlaceholder));
    EXPECT_FALSE(IsWindow(placeholder));
    ASSERT_EQ(m_messages.MessageBoxes().size(), 1u);
    const auto& box = m_messages.MessageBoxes()[0];
    EXPECT_EQ(box.owner, m_dialog.m_hWnd);
    EXPECT_EQ(box.text, L"TQRMFC_UIWindow creation failed!");
    EXPECT_EQ(box.caption, L"TQRMFC_UIWindow::ReplaceDialogControl");
    EXPECT_EQ(box.type, MB_ICONERROR);
}

TEST_F(UIWindowTest, WithoutHandlerPaintsWhiteWithTheMessageCentred)
{
    ASSERT_TRUE(m_view.ReplaceDialogControl(m_dialog.m_hWnd, kPlaceholder));
    const QImage image = Grab(m_view);
    EXPECT_EQ(image.pixelColor(3, 3), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(image.width() - 4, image.height() - 4), QColor(Qt::white));
    QRect dark;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            if (qGray(image.pixel(x, y)) < 100) {
                dark |= QRect(x, y, 1, 1);
            }
        }
    }
    ASSERT_FALSE(dark.isEmpty()) << "the text must show";
    EXPECT_NEAR(dark.center().x(), image.width() / 2, 3);
    EXPECT_NEAR(dark.center().y(), image.height() / 2, 3);
    EXPECT_LT(dark.height(), image.height() / 4) << "a single line";
}

TEST_F(UIWindowTest, AttachingReplacesTheHandlerAndTheSameHandlerStaysAttached)
{
    ASSERT_TRUE(m_view.ReplaceDialogControl(m_dialog.m_hWnd, kPlaceholder));
    FakeHandler first;
    FakeHandler second;
    ASSERT_TRUE(m_view.AttachViewport(&first));
    EXPECT_EQ(first.window, m_view.m_hWnd);
    EXPECT_TRUE(m_view.AttachViewport(&first));
    EXPECT_EQ(first.attaches, 1);
    EXPECT_EQ(first.detaches, 0) << "the same handler is not detached";

    ASSERT_TRUE(m_view.AttachViewport(&second));
    EXPECT_EQ(first.detaches, 1);
    EXPECT_EQ(m_view.GetHandler(), &second);

    FakeHandler refusing;
    refusing.accepts = false;
    EXPECT_FALSE(m_view.AttachViewport(&refusing));
    EXPECT_EQ(second.detaches, 1);
    EXPECT_EQ(m_view.GetHandler(), nullptr) << "no handler stays attached";
    ASSERT_EQ(m_messages.MessageBoxes().size(), 1u);
    EXPECT_EQ(m_messages.MessageBoxes()[0].owner, m_view.m_hWnd);
    EXPECT_EQ(m_messages.MessageBoxes()[0].text, L"Error attaching viewport to window!");
    EXPECT_EQ(m_messages.MessageBoxes()[0].caption, L"TQRMFC_UIWindow::AttachViewport");
    EXPECT_EQ(m_messages.MessageBoxes()[0].type, MB_ICONERROR);
}

TEST_F(UIWindowTest, HandlerIsOnlyRecordedBeforeTheWindowExists)
{
    FakeHandler handler;
    EXPECT_TRUE(m_view.AttachViewport(&handler));
    EXPECT_EQ(handler.attaches, 0);
    EXPECT_EQ(m_view.GetHandler(), &handler);
}

TEST_F(UIWindowTest, ButtonsCaptureTheMouseAndReleaseReportsTheReleasedButton)
{
    ASSERT_TRUE(m_view.ReplaceDialogControl(m_dialog.m_hWnd, kPlaceholder));
    FakeHandler handler;
    ASSERT_TRUE(m_view.AttachViewport(&handler));
    QWidget* widget = WidgetOfWindow(m_view.m_hWnd);
    struct Case {
        Qt::MouseButton button;
        unsigned int flag;
    };
    for (const Case& c :
         {Case{Qt::LeftButton, MK_LBUTTON}, Case{Qt::MiddleButton, MK_MBUTTON}, Case{Qt::RightButton, MK_RBUTTON}}) {
        SCOPED_TRACE(c.flag);
        handler.buttons.clear();
        QTest::mousePress(widget, c.button, Qt::NoModifier, QPoint(41, 31));
        QTest::mouseRelease(widget, c.button, Qt::NoModifier, QPoint(51, 21));
        ASSERT_EQ(handler.buttons.size(), 2u);
        const FakeHandler::Button& down = handler.buttons[0];
        const FakeHandler::Button& up = handler.buttons[1];
        EXPECT_TRUE(down.down);
        EXPECT_EQ(down.flags, c.flag);
        EXPECT_EQ(down.capture, m_view.m_hWnd) << "captured before the handler hears of the press";
        EXPECT_EQ(down.x, 40) << "client coordinates inside the border";
        EXPECT_EQ(down.y, 30);
        EXPECT_FALSE(up.down);
        EXPECT_EQ(up.flags, c.flag);
        EXPECT_EQ(up.capture, nullptr) << "released before the handler hears of the release";
        EXPECT_EQ(up.x, 50);
        EXPECT_EQ(up.y, 20);
    }

    QTest::mouseMove(widget, QPoint(11, 12));
    ASSERT_FALSE(handler.moves.empty());
    EXPECT_EQ(handler.moves.back().x, 10);
    EXPECT_EQ(handler.moves.back().flags, 0u);
}

TEST_F(UIWindowTest, WithoutHandlerMouseInputDoesNothing)
{
    ASSERT_TRUE(m_view.ReplaceDialogControl(m_dialog.m_hWnd, kPlaceholder));
    QTest::mousePress(WidgetOfWindow(m_view.m_hWnd), Qt::LeftButton);
    EXPECT_EQ(GetCapture(), nullptr);
    QTest::mouseRelease(WidgetOfWindow(m_view.m_hWnd), Qt::LeftButton);
}

TEST_F(UIWindowTest, ShowsWhatTheHandlerPresentsAndDrawsOnPaintOnlyWhenNotOwnerDrawn)
{
    const QColor green(0, 200, 0);
    for (const bool ownerDraws : {true, false}) {
        SCOPED_TRACE(ownerDraws ? "owner draws" : "draws on paint");
        CDialog dialog(kTemplateId);
        ASSERT_TRUE(dialog.Create(kTemplateId));
        TQRMFC_UIWindow view(ownerDraws);
        ASSERT_TRUE(view.ReplaceDialogControl(dialog.m_hWnd, kPlaceholder));
        FakeHandler handler;
        ASSERT_TRUE(view.AttachViewport(&handler));

        QImage image = Grab(view);
        EXPECT_EQ(handler.draws, ownerDraws ? 0 : 1);
        if (ownerDraws) {
            EXPECT_NE(image.pixelColor(image.width() / 2, image.height() / 2), green);
            handler.DrawGraphics(); // as the owner's timer does
            image = Grab(view);
        }
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), green);
        EXPECT_EQ(image.pixelColor(2, 2), green);
    }
}

} // namespace
