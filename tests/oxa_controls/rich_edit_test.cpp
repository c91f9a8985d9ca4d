// The windowless rich edit and its single-line and read-only variants.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "controls_test_support.h"
#include "oxa/controls/edit_ex.h"
#include "oxa/controls/rich_edit.h"
#include "oxa/controls/text_area.h"
#include "oxa/core/scroll_bar.h"

using namespace ctltest;

namespace {

constexpr unsigned kCtrl = 0x11;

class RichEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(400, 300));
        edit = dlg.Make<MRichEdit>(u"MRichEdit", 5, CRect(10, 10, 210, 110));
        ASSERT_NE(edit, nullptr);
    }
    void Type(const CString& text)
    {
        for (QChar c : text)
            dlg.SendMessageW(WM_CHAR, c == u'\n' ? u'\r' : c.unicode(), 0);
    }
    NoteDialog dlg;
    MRichEdit* edit = nullptr;
};

TEST(RichEditFactory, CreatesTheEditsAndTheTextAreaOnlyInDialogs)
{
    NoteDialog dlg;
    ASSERT_TRUE(dlg.Open(200, 200));
    auto* area = dlg.Make<CTextArea>(u"CTextArea", 1, CRect(0, 0, 100, 100), u"Read me"_qs, 0);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->GetText(), u"Read me"_qs);
    EXPECT_EQ(area->IsEnabled(), 0);
    auto* panel = dlg.Make<MPanel>(u"MTabLayout", 2, CRect(0, 0, 200, 200));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->CreateControl(u"CTextArea"_qs, 3, CRect(), CString(), 1, 1), nullptr);
    EXPECT_NE(dynamic_cast<MRichEdit*>(panel->CreateControl(u"MRichEdit"_qs, 4, CRect(), u"x"_qs, 1, 1)), nullptr);
    auto* ex = dynamic_cast<MEditEx*>(panel->CreateControl(u"MEditEx"_qs, 5, CRect(), u"Name"_qs, 1, 1));
    ASSERT_NE(ex, nullptr);
    EXPECT_EQ(ex->GetTipInfo(), u"Name"_qs);  // the title is the tip
    EXPECT_TRUE(ex->GetText().isEmpty());
}

TEST_F(RichEdit, PressFocusesAndReportsThenTypingEdits)
{
    dlg.Click(100, 50);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{5, 1, 0, 0}, {5, 2, 0, 0}}));
    EXPECT_EQ(edit->IsFocused(), 1);
    EXPECT_EQ(dlg.GetPaintManager().GetFocusControl(), edit);
    EXPECT_EQ(dlg.GetPaintManager().GetCurrentCaretObject(), edit);
    Type(u"ab\ncd"_qs);
    EXPECT_EQ(edit->GetText(), u"ab\ncd"_qs);
    EXPECT_EQ(edit->GetLineCount(), 2);
    edit->OnKeyDown(VK_BACK, 1, 0);  // "ab\nc"
    edit->OnKeyDown(0x25, 1, 0);     // Left: after the line feed
    edit->OnKeyDown(VK_BACK, 1, 0);  // removes the line feed
    EXPECT_EQ(edit->GetText(), u"abc"_qs);
    EXPECT_EQ(edit->GetCaret(), 2);
    // A press somewhere else takes the focus away: no more typing.
    dlg.Click(300, 250);
    EXPECT_EQ(edit->IsFocused(), 0);
    Type(u"x"_qs);
    EXPECT_EQ(edit->GetText(), u"abc"_qs);
}

TEST_F(RichEdit, PressPutsTheCaretWhereTheMouseIs)
{
    edit->SetText(u"hello"_qs);
    dlg.Click(200, 16);  // right of the text on the first line
    EXPECT_EQ(edit->GetCaret(), 5);
    dlg.Click(12, 16);  // before the first letter
    EXPECT_EQ(edit->GetCaret(), 0);
    EXPECT_EQ(edit->PositionAt(edit->CaretRect().TopLeft()), 0);
}

TEST_F(RichEdit, LimitSurrogatesAndControlCharactersAreRespected)
{
    dlg.Click(100, 50);
    edit->SetLimitText(4);
    Type(u"abcdef"_qs);
    EXPECT_EQ(edit->GetText(), u"abcd"_qs);
    edit->SetText(CString());
    edit->SetLimitText(2);
    EXPECT_EQ(edit->ReplaceSel(u"a\U0001F600b"_qs), 1);  // the pair would not fit whole
    EXPECT_EQ(edit->GetText(), u"a"_qs);
    edit->SetLimitText(10);
    edit->ReplaceSel(u"\U0001F600\x01\tz"_qs);
    EXPECT_EQ(edit->GetText(), u"a\U0001F600 z"_qs);
    edit->OnKeyDown(0x25, 1, 0);  // Left over the z
    edit->OnKeyDown(0x25, 1, 0);  // over the space
    edit->OnKeyDown(0x25, 1, 0);  // over the pair
    EXPECT_EQ(edit->GetCaret(), 1);
    edit->OnKeyDown(0x2E, 1, 0);  // Delete removes the whole pair
    EXPECT_EQ(edit->GetText(), u"a z"_qs);
}

TEST_F(RichEdit, LongTextWrapsScrollsAndFollowsTheCaret)
{
    CString text;
    for (int i = 0; i < 40; ++i)
        text += u"word "_qs;
    edit->SetText(text);
    EXPECT_GT(edit->GetLineCount(), 4);
    ASSERT_TRUE(edit->GetScrollVertical()->IsVisible());
    EXPECT_GT(edit->GetContentHeight(), 100);
    EXPECT_EQ(edit->GetVOffset(), 0);  // new text shows its beginning
    // Ctrl+End goes to the end and the view follows the caret.
    dlg.Click(100, 50);
    edit->OnKeyDown(0x23, 1, kCtrl);
    EXPECT_EQ(edit->GetCaret(), int(text.size()));
    EXPECT_GT(edit->GetVOffset(), 0);
    const CRect caret = edit->CaretRect();
    EXPECT_GE(caret.top, 10);
    EXPECT_LE(caret.bottom, 110);
    edit->OnKeyDown(0x24, 1, kCtrl);  // Ctrl+Home
    EXPECT_EQ(edit->GetCaret(), 0);
    EXPECT_EQ(edit->GetVOffset(), 0);
    // The wheel moves the view.
    dlg.SendMessageW(WM_MOUSEWHEEL, unsigned(-120) << 16, MAKELONG(100, 50));  // towards the user
    EXPECT_GT(edit->GetVOffset(), 0);
}

TEST_F(RichEdit, SelectionClipboardAndInputMethod)
{
    dlg.Click(100, 50);
    Type(u"one two"_qs);
    edit->OnKeyDown('A', 1, kCtrl);
    EXPECT_EQ(edit->GetSelText(), u"one two"_qs);
    edit->OnKeyDown('X', 1, kCtrl);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"one two"_qs);
    EXPECT_TRUE(edit->GetText().isEmpty());
    edit->OnKeyDown('V', 1, kCtrl);
    EXPECT_EQ(edit->GetText(), u"one two"_qs);
    edit->OnKeyDown(0x24, 1, 0);     // Home
    edit->OnKeyDown(0x27, 1, 0x10);  // Shift+Right
    edit->OnKeyDown(0x27, 1, 0x10);
    EXPECT_EQ(edit->GetSelText(), u"on"_qs);
    // Input-method text replaces the selection once committed.
    CRect caret;
    EXPECT_EQ(edit->GetInputMethodCursor(caret), 1);
    EXPECT_EQ(edit->OnInputMethod(CString(), u"ni"_qs), 1);
    EXPECT_EQ(edit->GetText(), u"one two"_qs);
    edit->OnInputMethod(u"\u4F60"_qs, CString());
    EXPECT_EQ(edit->GetText(), u"\u4F60e two"_qs);
}

TEST_F(RichEdit, SingleLineEditKeepsOneLineAndScrollsSideways)
{
    auto* ex = dlg.Make<MEditEx>(u"MEditEx", 6, CRect(10, 150, 90, 180), u"Name"_qs);
    ASSERT_NE(ex, nullptr);
    dlg.Click(50, 165);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{6, 1, 0, 0}, {6, 2, 0, 0}}));
    Type(u"first\nsecond line that is long"_qs);
    EXPECT_EQ(ex->GetText(), u"firstsecond line that is long"_qs);  // Enter adds nothing
    EXPECT_EQ(ex->GetLineCount(), 1);
    const CRect caret = ex->CaretRect();
    EXPECT_LE(caret.left, 90);  // kept inside the field
    EXPECT_GE(caret.left, 10);
    ex->SetText(u"a\nb"_qs);
    EXPECT_EQ(ex->GetText(), u"a b"_qs);
}

TEST_F(RichEdit, TextAreaCanBeSelectedAndCopiedButNotChanged)
{
    auto* area = dlg.Make<CTextArea>(u"CTextArea", 7, CRect(10, 150, 200, 250), u"Fixed text"_qs);
    ASSERT_NE(area, nullptr);
    dlg.Click(50, 160);
    Type(u"zz"_qs);
    area->OnKeyDown(VK_BACK, 1, 0);
    EXPECT_EQ(area->GetText(), u"Fixed text"_qs);
    EXPECT_EQ(area->ReplaceSel(u"x"_qs), 0);
    area->OnKeyDown('A', 1, kCtrl);
    area->OnKeyDown('C', 1, kCtrl);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), u"Fixed text"_qs);
    CRect caret;
    EXPECT_EQ(area->GetInputMethodCursor(caret), 0);
    area->SetTitle(u"Other"_qs);
    EXPECT_EQ(area->GetText(), u"Other"_qs);
}

TEST_F(RichEdit, DisabledEditIgnoresTheMouse)
{
    edit->SetEnabled(0);
    dlg.Click(100, 50);
    EXPECT_TRUE(dlg.notes.empty());
    Type(u"x"_qs);
    EXPECT_TRUE(edit->GetText().isEmpty());
}

}  // namespace
