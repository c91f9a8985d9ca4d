// Qt input events become the window messages oxa's handlers expect: the
// second press of a double click is a double-click message, keys carry
// virtual-key codes, and Alt+F4 is dropped by the library's loop filter.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "oxa/core/manager.h"
#include "oxa_test_support.h"

using namespace oxatest;

namespace {

void Press(QWindow* w, QEvent::Type type, QPoint pos, ulong time)
{
    QMouseEvent e(type, QPointF(pos), QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    e.setTimestamp(time);
    QCoreApplication::sendEvent(w, &e);
}

TEST(InputTranslation, SecondPressOfADoubleClickIsADoubleClickMessage)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(200, 100));
    dlg.watch = {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK};
    dlg.GetPaintManager().EnableWndDrag(0);  // a press on nothing would move the window
    QWindow* w = dlg.GetSafeHwnd();
    const QPoint at(50, 40);
    Press(w, QEvent::MouseButtonPress, at, 10000);
    Press(w, QEvent::MouseButtonRelease, at, 10050);
    Press(w, QEvent::MouseButtonPress, at, 10120);
    Press(w, QEvent::MouseButtonDblClick, at, 10120);  // Qt's own: ignored
    Press(w, QEvent::MouseButtonRelease, at, 10150);
    Press(w, QEvent::MouseButtonPress, at, 10200);     // a third press is a press
    Press(w, QEvent::MouseButtonRelease, at, 10230);
    Press(w, QEvent::MouseButtonPress, at, 20000);     // much later: a press
    const std::vector<unsigned> expected = {WM_LBUTTONDOWN,   WM_LBUTTONUP,   WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                            WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN};
    EXPECT_EQ(dlg.windowMessages, expected);
}

TEST(InputTranslation, KeysCarryVirtualKeyCodesAndAltF4IsDropped)
{
    RecordingDialog dlg;
    ASSERT_TRUE(dlg.Open(200, 100));
    auto* c = new ProbeControl(&dlg, 41, CRect(0, 0, 200, 100));
    dlg.GetPaintManager().AddControl(c);
    c->SetManager(&dlg.GetPaintManager());
    dlg.Send(WM_MOUSEMOVE, 0, 10, 10);
    QWindow* w = dlg.GetSafeHwnd();
    QKeyEvent shiftA(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, u"A"_qs);
    QCoreApplication::sendEvent(w, &shiftA);
    EXPECT_EQ(c->CountOf("key65:16"), 1);  // 'A' with Shift (0x10)
    QKeyEvent ctrlF5(QEvent::KeyPress, Qt::Key_F5, Qt::ControlModifier);
    QCoreApplication::sendEvent(w, &ctrlF5);
    EXPECT_EQ(c->CountOf("key116:17"), 1);  // F5 with Ctrl (0x11)

    // For a modifier key Qt takes the state before the event and flips it.
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &alt);
    MSG f4{dlg.GetSafeHwnd(), WM_SYSKEYDOWN, VK_F4, 1};
    EXPECT_EQ(Manager::PreTranslateMessage(&f4), 1);
    MSG other{dlg.GetSafeHwnd(), WM_SYSKEYDOWN, 'X', 1};
    EXPECT_EQ(Manager::PreTranslateMessage(&other), 0);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(w, &altUp);
    EXPECT_EQ(Manager::PreTranslateMessage(&f4), 0);
}

}  // namespace
