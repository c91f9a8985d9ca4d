// Edit field: editing notifications, typing, filtering, clipboard, input method.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>

#include "controls_test_support.h"
#include "oxa/controls/edit.h"

using namespace ctltest;

namespace {

constexpr unsigned kCtrl = 0x11;

class Edit : public ::testing::Test {
protected:
    void SetUp() override
    {
        wnd = dlg.Open(400, 300);
        ASSERT_TRUE(wnd);
        edit = dlg.Make<MEdit>(u"MEdit", 25, CRect(10, 10, 210, 40), u"Profile name"_qs);
        ASSERT_NE(edit, nullptr);
    }
    void Type(const QString& text)
    {
        for (QChar c : text)
            edit->OnWindowMessage(WM_CHAR, c.unicode(), 0);
    }
    // Sends a composition event to the native window, as an input method does.
    void Compose(const QString& commit, const QString& preedit)
    {
        QInputMethodEvent e(preedit, {});
        e.setCommitString(commit);
        QCoreApplication::sendEvent(wnd, &e);
    }
    NoteDialog dlg;
    HWND wnd = nullptr;
    MEdit* edit = nullptr;
};

TEST_F(Edit, PressShowsTheEditTypingReportsAndLeavingEnds)
{
    EXPECT_EQ(edit->GetTipInfo(), u"Profile name"_qs);
    dlg.Click(50, 25);
    EXPECT_EQ(edit->IsEditing(), 1);
    Type(u"ab"_qs);
    edit->OnKeyDown(VK_BACK, 1, 0);
    dlg.Click(300, 200);  // elsewhere: the edit loses the focus
    EXPECT_EQ(edit->IsEditing(), 0);
    EXPECT_EQ(edit->GetEditText(), u"a"_qs);
    const std::vector<Note> expected = {{25, 30, 0, 0}, {25, 1, 0, 0},  {25, 2, 0, 0}, {25, 26, 0, 0},
                                        {25, 26, 0, 0}, {25, 26, 0, 0}, {25, 29, 0, 0}};
    EXPECT_EQ(dlg.notes, expected);
}

TEST_F(Edit, CharactersTypedIntoTheWindowReachTheFocusedEdit)
{
    dlg.Click(50, 25);  // the press gives the edit the focus
    for (char16_t c : u"x\u4E2D")
        if (c) dlg.SendMessageW(WM_CHAR, c, 0);
    EXPECT_EQ(edit->GetEditText(), u"x\u4E2D"_qs);
}

TEST_F(Edit, ReadOnlyOrDisabledNeverEdits)
{
    edit->SetReadOnly(1);
    edit->ShowEdit();
    EXPECT_EQ(edit->IsEditing(), 0);
    edit->SetReadOnly(0);
    edit->SetEnabled(0);
    edit->ShowEdit();
    EXPECT_EQ(edit->IsEditing(), 0);
    EXPECT_TRUE(dlg.notes.empty());
}

struct PasteCase {
    const char* what;
    int digitsOnly;
    int limit;
    QString before;
    QString pasted;
    QString after;
};

TEST_F(Edit, PastedTextIsFilteredNotCutInsideACharacter)
{
    const PasteCase cases[] = {
        {"digits only", 1, 120, u""_qs, u"12ab34"_qs, u"1234"_qs},
        {"limit", 0, 5, u"abc"_qs, u"defg"_qs, u"abcde"_qs},
        {"digits and limit", 1, 3, u"9"_qs, u"x1y2z3"_qs, u"912"_qs},
        {"surrogate pair at the limit", 0, 2, u"a"_qs, QString::fromUtf8("\xF0\x9F\x98\x80"), u"a"_qs},
        {"line breaks dropped", 0, 120, u""_qs, u"a\r\nb"_qs, u"ab"_qs},
    };
    for (const auto& c : cases) {
        edit->HideEdit();
        edit->SetNumberOnly(c.digitsOnly);
        edit->SetLimitText(c.limit);
        edit->SetEditText(c.before);
        edit->ShowEdit();
        QGuiApplication::clipboard()->setText(c.pasted);
        edit->OnKeyDown('V', 1, kCtrl);
        EXPECT_EQ(edit->GetEditText(), c.after) << c.what;
    }
}

TEST_F(Edit, SelectionCopyCutAndTypingOverIt)
{
    edit->SetEditText(u"hello world"_qs);
    edit->ShowEdit();
    edit->OnKeyDown(0x24, 1, 0);     // Home
    for (int i = 0; i < 5; ++i)
        edit->OnKeyDown(0x27, 1, 0x10);  // Shift+Right
    EXPECT_EQ(edit->GetSelText(), u"hello"_qs);
    edit->OnKeyDown('X', 1, kCtrl);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"hello"_qs);
    EXPECT_EQ(edit->GetEditText(), u" world"_qs);
    edit->OnKeyDown('A', 1, kCtrl);
    Type(u"x"_qs);
    EXPECT_EQ(edit->GetEditText(), u"x"_qs);
}

TEST_F(Edit, DigitsOnlyRefusesTypedLetters)
{
    edit->SetNumberOnly(1);
    edit->ShowEdit();
    Type(u"4a2"_qs);
    EXPECT_EQ(edit->GetEditText(), u"42"_qs);
}

TEST_F(Edit, InputMethodShowsPreeditThenInsertsTheCommit)
{
    const QString ni = QString::fromUtf8("\xE4\xBD\xA0");
    Compose(ni, CString());  // not editing: ignored
    EXPECT_EQ(edit->GetEditText(), CString());
    dlg.Click(50, 25);
    dlg.notes.clear();
    Compose(CString(), u"ni"_qs);
    EXPECT_EQ(edit->GetPreedit(), u"ni"_qs);
    EXPECT_EQ(edit->GetEditText(), CString());
    EXPECT_TRUE(dlg.notes.empty());
    Compose(ni, CString());
    EXPECT_EQ(edit->GetEditText(), ni);
    EXPECT_EQ(edit->GetPreedit(), CString());
    EXPECT_EQ(edit->GetCaret(), 1);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{25, 26, 0, 0}}));
}

TEST_F(Edit, InputMethodCommitIsFilteredLikeTypedText)
{
    edit->SetNumberOnly(1);
    edit->SetLimitText(3);
    dlg.Click(50, 25);
    Compose(u"1a2345"_qs, CString());
    EXPECT_EQ(edit->GetEditText(), u"123"_qs);
}

TEST_F(Edit, InputMethodIsEnabledOnlyWhileEditingWithTheCaretInside)
{
    QInputMethodQueryEvent before(Qt::ImEnabled | Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(wnd, &before);
    EXPECT_FALSE(before.value(Qt::ImEnabled).toBool());
    dlg.Click(50, 25);
    QInputMethodQueryEvent during(Qt::ImEnabled | Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(wnd, &during);
    EXPECT_TRUE(during.value(Qt::ImEnabled).toBool());
    const QRect caret = during.value(Qt::ImCursorRectangle).toRectF().toRect();
    EXPECT_TRUE(QRect(10, 10, 200, 30).contains(caret)) << caret.x() << "," << caret.y();
    edit->HideEdit();
    QInputMethodQueryEvent after(Qt::ImEnabled);
    QCoreApplication::sendEvent(wnd, &after);
    EXPECT_FALSE(after.value(Qt::ImEnabled).toBool());
}

TEST_F(Edit, SpaceWithFocusOutsideEditingPressesAndClicks)
{
    dlg.Click(50, 25);
    edit->HideEdit();
    dlg.notes.clear();
    dlg.SendMessageW(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{25, 1, 0, 0}, {25, 2, 0, 0}}));
}

}  // namespace
