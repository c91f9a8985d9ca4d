// The close paths with the close choice dialog and "exit_mode", the
// program's message box, and the firmware prompt that starts the updater.
#include <QFileInfo>
#include <QSettings>

#include "app/window/main_window_ids.h"
#include "app/window/ui_message_box.h"
#include "tests/window/window_test_support.h"

using namespace wintest;
using namespace OXA;

namespace {

class CloseTest : public MainWindowFixture {
protected:
    QString StoredExitMode() const
    {
        return QSettings(ProgramSettingsPath(), QSettings::IniFormat).value(u"exit_mode"_qs).toString();
    }
    QString CloseTooltip() { return m_window->FindControl(MainId::kClose)->GetTooltip(); }
    void ClickClose() { Click(1280 - 35, 25); }
};

// Close choice dialog (360 x 200): options at x 50..330, y 62..90 and
// 98..126; apply at the bottom centre.
const QPoint kExitOption(120, 112);
const QPoint kApply(180, 167);

TEST_F(CloseTest, WithoutAStoredChoiceTheCloseButtonAsksOnceThenHidesWithoutAsking)
{
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    EXPECT_EQ(CloseTooltip(), GetText(171));
    {
        ClickWhenShown apply(GetText(10), kApply);  // minimise is chosen already
        ClickClose();
        EXPECT_TRUE(apply.Clicked());
    }
    EXPECT_EQ(StoredExitMode(), u"1"_qs);
    EXPECT_FALSE(m_window->IsWindowVisible());
    EXPECT_EQ(m_window->EndRequested(), -1);

    m_window->ShowAndRaise();
    EXPECT_TRUE(m_window->IsWindowVisible());
    ClickWhenShown unexpected(GetText(10), kApply);
    ClickClose();
    EXPECT_FALSE(unexpected.Clicked());
    EXPECT_FALSE(m_window->IsWindowVisible());
    EXPECT_EQ(CloseTooltip(), GetText(171));
}

TEST_F(CloseTest, ChoosingExitStoresTwoAndEndsTheProgram)
{
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    ClickWhenShown option(GetText(10), kExitOption);
    ClickWhenShown apply(GetText(10), kApply);
    ClickClose();
    EXPECT_EQ(StoredExitMode(), u"2"_qs);
    EXPECT_EQ(m_window->EndRequested(), 0);
    EXPECT_TRUE(WaitFor([&] { return m_window->GetSafeHwnd() == nullptr; }));
    EXPECT_TRUE(m_window->WorkerStopped());
}

TEST_F(CloseTest, TheStoredExitChoiceEndsAtOnceAndShowsInTheTooltip)
{
    ReadRegistryNumber(u"exit_mode"_qs);  // the first read creates the settings file
    WriteRegistryText(u"exit_mode"_qs, u"2"_qs);
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    EXPECT_EQ(CloseTooltip(), GetText(172));
    ClickWhenShown unexpected(GetText(10), kApply);
    ClickClose();
    EXPECT_FALSE(unexpected.Clicked());
    EXPECT_TRUE(WaitFor([&] { return m_window->GetSafeHwnd() == nullptr; }));
    EXPECT_EQ(m_window->EndRequested(), 0);
}

TEST_F(CloseTest, TheTrayMenuCloseOptionsUpdateTheTooltip)
{
    StartSide(u"101:0"_qs);
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    EXPECT_TRUE(m_window->TrayIconShown());
    ClickWhenShown option(GetText(10), kExitOption);
    ClickWhenShown apply(GetText(10), kApply);
    m_window->SendMessageW(WM_COMMAND, 200, 0);
    EXPECT_EQ(StoredExitMode(), u"2"_qs);
    EXPECT_EQ(CloseTooltip(), GetText(172));
    EXPECT_NE(m_window->GetSafeHwnd(), nullptr);  // choosing is not closing
    // The exit item ends the program; message 1691 only with 610.
    m_window->SendMessageW(1691, 0, 611);
    EXPECT_EQ(m_window->EndRequested(), -1);
    m_window->SendMessageW(1691, 0, 610);
    EXPECT_FALSE(m_window->TrayIconShown());
    EXPECT_TRUE(WaitFor([&] { return m_window->GetSafeHwnd() == nullptr; }));
}

// Message box 380 x 200: style 0 has OK across the bottom; style 4 has Yes
// (left) and No (right).
TEST(MessageBoxTest, ResultsFollowTheButtonClicked)
{
    struct Case {
        int style;
        QPoint click;
        int result;
    };
    const Case cases[] = {
        {CUIMessageBox::kStyleOk, QPoint(190, 175), IDOK},
        {CUIMessageBox::kStyleYesNo, QPoint(120, 175), IDOK},
        {CUIMessageBox::kStyleYesNo, QPoint(260, 175), IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        ClickWhenShown click(u"MessageBox"_qs, c.click);
        EXPECT_EQ(ShowMessageBox(nullptr, u"Title"_qs, u"Message"_qs, c.style), c.result);
        EXPECT_TRUE(click.Clicked());
    }
}

TEST(MessageBoxTest, AnUnknownStyleHasNoButtonsAndClosingItAnswersNo)
{
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWindow* w = ShownWindow(u"MessageBox"_qs)) w->close();
    });
    closer.start(20);
    EXPECT_EQ(ShowMessageBox(nullptr, u"Title"_qs, u"Message"_qs, 7), IDCANCEL);
}

// The keyboard reports release 0x0105 (read as 105) against the layout's
// 108: three seconds after connecting the prompt offers the update;
// accepting starts "firmware/<file>" with the HID link closed, and the
// worker waits for it before the window comes back.
TEST_F(CloseTest, AnOlderFirmwareIsOfferedAndAcceptingRunsTheUpdaterWhileTheWindowWaits)
{
    const QString program = OwnProgramFolder();
    QDir().mkpath(program + u"/firmware"_qs);
    const QString marker = m_home.path() + u"/updater-ran"_qs;
    const QString script = program + u"/firmware/vn104_updater"_qs;
    QFile f(script);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\necho ran > '%1'\nsleep 0.5\n").arg(marker).toUtf8());
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    StartSide(u"101:0"_qs);
    Sim().SetRelease(SimKeyboard(), 0x0105);
    ClickWhenShown accept(GetText(157), QPoint(634 - 200, 310 - 36));
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    ASSERT_TRUE(WaitFor([&] { return accept.Clicked(); }, 15000));
    ASSERT_TRUE(WaitFor([&] { return QFileInfo::exists(marker); }, 10000));
    // Hidden and disabled while the updater runs, back when it has ended.
    EXPECT_TRUE(WaitFor([&] { return m_window->IsWindowVisible() && m_window->IsWindowEnabled(); }, 15000));
    EXPECT_EQ(m_window->Worker().WaitProcess(), 0);
}

TEST_F(CloseTest, AnUpToDateKeyboardIsNotOffered)
{
    StartSide(u"101:0"_qs);
    Sim().SetRelease(SimKeyboard(), 0x0108);
    ClickWhenShown unexpected(GetText(157), QPoint(634 - 200, 310 - 36));
    OpenWindow();
    ASSERT_TRUE(WaitForView(true));
    WaitFor([] { return false; }, 3600);  // past the 3 s check
    EXPECT_FALSE(unexpected.Clicked());
}

}  // namespace
