// Popup menu: layout, posting the chosen item to the owner window.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>

#include "controls_test_support.h"
#include "oxa/controls/menu_item.h"
#include "oxa/controls/menu_wnd.h"
#include "oxa/core/library_resources.h"

using namespace ctltest;

namespace {

constexpr unsigned kMenuMessage = WM_USER + 300;

struct Posted {
    unsigned wParam;
    long lParam;
    bool operator==(const Posted&) const = default;
};

class OwnerDialog : public NoteDialog {
public:
    std::vector<Posted> posted;
    long OnWindowMessage(unsigned msg, unsigned wParam, long lParam) override
    {
        if (msg == kMenuMessage)
            posted.push_back({wParam, lParam});
        return NoteDialog::OnWindowMessage(msg, wParam, lParam);
    }
};

void Pump(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

bool SpinUntil(const std::function<bool()>& pred)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return pred();
}

void ClickAt(MenuWnd* menu, int x, int y)
{
    menu->SendMessageW(WM_MOUSEMOVE, 0, MAKELONG(x, y));
    menu->SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELONG(x, y));
    menu->SendMessageW(WM_LBUTTONUP, 0, MAKELONG(x, y));
}

class Menus : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(owner.Open(400, 300)); }
    // A menu whose object stays alive for inspection.
    MenuWnd* Open()
    {
        menu = new MenuWnd(&owner);
        menu->SetAutoDelete(false);
        EXPECT_NE(menu->Create(owner.GetSafeHwnd(), CPoint(10, 10), kMenuMessage), nullptr);
        return menu;
    }
    void TearDown() override { delete menu; }
    OwnerDialog owner;
    MenuWnd* menu = nullptr;
};

TEST_F(Menus, ItemsStackAndTheWindowFitsThem)
{
    Open();
    MenuItem* rename = menu->AddMenu(u"Rename"_qs, 12);
    menu->AddSeparator(13);
    MenuItem* remove = menu->AddMenu(u"Delete"_qs, 14);
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->GetClassNameW(), QStringView(u"MenuItem"));
    EXPECT_EQ(rename->GetRect(), CRect(2, 6, 298, 41));
    EXPECT_EQ(remove->GetRect(), CRect(2, 45, 298, 80));
    EXPECT_EQ(menu->GetMenuHeight(), 86);
    EXPECT_EQ(menu->GetClientRect().Height(), 86);
    EXPECT_EQ(menu->GetMenuWidth(), 300);
    menu->AddMenu(QString(60, u'W'), 15);
    EXPECT_GT(menu->GetMenuWidth(), 300);  // grown for the long title
}

TEST_F(Menus, ClickPostsTheIdToTheOwnerAndCloses)
{
    Open();
    menu->AddMenu(u"Rename"_qs, 12);
    menu->AddMenu(u"Delete"_qs, 14);
    ClickAt(menu, 50, 20);
    ASSERT_TRUE(SpinUntil([&] { return !owner.posted.empty(); }));
    EXPECT_EQ(owner.posted, (std::vector<Posted>{{0, 12}}));
    EXPECT_TRUE(SpinUntil([&] { return menu->GetSafeHwnd() == nullptr; }));
}

TEST_F(Menus, CheckItemPostsItsNewStateAndStaysOpen)
{
    Open();
    menu->AddMenu(u"Grid"_qs, 21, CString(), 0);
    ClickAt(menu, 50, 20);
    ClickAt(menu, 50, 20);
    ASSERT_TRUE(SpinUntil([&] { return owner.posted.size() == 2; }));
    EXPECT_EQ(owner.posted, (std::vector<Posted>{{1, 21}, {0, 21}}));
    EXPECT_NE(menu->GetSafeHwnd(), nullptr);
}

TEST(MenuOwner, NothingIsPostedWhenTheOwnerIsGone)
{
    auto* gone = new OwnerDialog;
    ASSERT_TRUE(gone->Open(200, 200));
    auto* menu = new MenuWnd(gone);  // deletes itself when closed
    ASSERT_NE(menu->Create(gone->GetSafeHwnd(), CPoint(0, 0), kMenuMessage), nullptr);
    menu->AddMenu(u"Rename"_qs, 12);
    gone->DestroyWindow();
    delete gone;
    ClickAt(menu, 50, 20);  // must neither crash nor post into freed memory
    Pump(100);
}

TEST_F(Menus, ResourceVariantsTakeTheBackgroundAndIconsFromTheProgram)
{
    // A 4-frame icon strip and a background as program resources.
    const auto png = [](int w, int h, QRgb colour) {
        QImage image(w, h, QImage::Format_ARGB32);
        image.fill(colour);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    };
    RegisterProgramResource(9301, u"PNG"_qs, png(40, 40, 0xFF203040u));
    RegisterProgramResource(9302, u"PNG"_qs, png(64, 16, 0xFFFF8000u));
    menu = new MenuWnd(&owner);
    menu->SetAutoDelete(false);
    ASSERT_NE(menu->Create(owner.GetSafeHwnd(), CPoint(10, 10), kMenuMessage, 9301u, 320, 6, BACK_MODE_FRAME),
              nullptr);
    EXPECT_EQ(menu->GetMenuWidth(), 320);
    ASSERT_NE(menu->GetPaintManager().GetBKImage(), nullptr);
    EXPECT_EQ(menu->GetPaintManager().GetBKImage()->width(), 40);
    MenuItem* item = menu->AddMenu(u"Export"_qs, 31, 9302, -1, 0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetRect(), CRect(2, 6, 318, 41));
    EXPECT_EQ(menu->AddMenu(u"Missing icon"_qs, 32, 9399, -1, 0)->GetRect().top, 41);  // still added
    ClickAt(menu, 50, 20);
    ASSERT_TRUE(SpinUntil([&] { return !owner.posted.empty(); }));
    EXPECT_EQ(owner.posted, (std::vector<Posted>{{0, 31}}));
}

}  // namespace
