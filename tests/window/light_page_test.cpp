// The light page in the real window on the simulated keyboard: from a click
// to the keyboard and back (list -> store -> task queue -> worker ->
// command -> simulator -> colours read back -> picture).
#include "app/pages/light_page.h"
#include "app/pages/page_tasks.h"
#include "app/window/page_table.h"
#include "oxa/controls/color_button.h"
#include "oxa/controls/edit.h"
#include "oxa/controls/list_box.h"
#include "oxa/controls/slider.h"
#include "oxa/keyboard/keyboard_ctrl.h"
#include "store/data_store.h"
#include "tests/window/window_test_support.h"

using namespace wintest;
using namespace OXA;

namespace {

class LightPageTest : public MainWindowFixture {
protected:
    void OpenWithLightPage(const QString& simulate)
    {
        StartSide(simulate);
        auto page = std::make_unique<LightPage>([this](int task) { m_queue.Push(task); },
                                                [this](std::function<void()> work) {
                                                    if (m_window) m_window->PostToUi(std::move(work));
                                                });
        m_page = page.get();
        m_tasks = std::make_unique<PageTasks>(*m_side, *m_page);
        OpenWindow(m_tasks.get(), [&page](KeyboardDlg& window) { window.AddPage(std::move(page)); });
        ASSERT_TRUE(WaitForView(true));
        m_window->SelectTab(Pages::PositionOf(Pages::kLight));
        ASSERT_TRUE(WaitFor([&] { return List()->GetItemCount() == 20; }));
    }
    void TearDown() override
    {
        MainWindowFixture::TearDown();  // the worker stops before the tasks go
        m_tasks.reset();
    }

    MListBox* List() { return dynamic_cast<MListBox*>(m_window->FindControl(81)); }
    void ClickControl(unsigned id)
    {
        const CRect r = m_window->FindControl(id)->GetRect();
        Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    void ClickEffect(int row)
    {
        const CRect r = List()->GetItemRect(row);
        Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    SimLightMode SimLight() { return Sim().Memory(SimKeyboard()).light; }

    LightPage* m_page = nullptr;
    std::unique_ptr<PageTasks> m_tasks;
};

TEST_F(LightPageTest, ClicksEndInTheKeyboardTheStoreAndThePicture)
{
    OpenWithLightPage(u"101:0"_qs);
    EXPECT_EQ(List()->GetItemText(0), GetText(521));
    EXPECT_EQ(List()->GetItemText(19), GetText(540));

    // "Static" (mode 1), then the blue swatch (113), then brightness.
    ClickEffect(0);
    EXPECT_TRUE(WaitFor([&] { return SimLight().mode == 1; }));
    ClickControl(113);
    EXPECT_TRUE(WaitFor([&] { return SimLight().blue == 0xFF && SimLight().red == 0 && SimLight().colorful == 0; }));
    auto* brightness = dynamic_cast<MSlider*>(m_window->FindControl(87));
    const CRect b = brightness->GetRect();
    Click(b.left + 2, (b.top + b.bottom) / 2);  // the slider's low end
    const int level = brightness->GetProgress();
    EXPECT_TRUE(WaitFor([&] { return SimLight().brightness == level; }));

    LightModeRecord stored;
    ASSERT_TRUE(DataStore::Instance().GetLightMode(1, stored));
    EXPECT_EQ(stored.status, 1);
    EXPECT_EQ(stored.color_value, 0x00FF0000);
    EXPECT_EQ(stored.colorful, 0);
    EXPECT_EQ(stored.brightness, level);
    EXPECT_EQ(SimLight().mode, stored.mode);

    // The picture mirrors what the keyboard shows: blue keys, read back.
    KeyboardCtrl* picture = m_page->Picture();
    ASSERT_TRUE(picture);
    EXPECT_TRUE(WaitFor([&] {
        std::lock_guard lock(picture->KeysLock());
        int blue = 0;
        for (const KEY_INFO* key : picture->GetKeyItems()) blue += key->color == 0x00FF0000;
        return blue > 50;
    }));
    // ... and draws it under the transparent caps.
    const CRect q = picture->GetRealRect(CRect(82, 122, 118, 158));  // the Q key of the layout
    const CRect at = picture->GetRect();
    EXPECT_TRUE(WaitFor([&] {
        const QRgb px = m_window->RenderImage().pixel(at.left + q.left + 8, at.top + q.top + 8);
        return qBlue(px) > 150 && qRed(px) < 80 && qGreen(px) < 80;
    })) << std::hex << m_window->RenderImage().pixel(at.left + q.left + 8, at.top + q.top + 8);
}

TEST_F(LightPageTest, TypingAnOutOfRangeRedIsRewrittenAndMovesTheSlider)
{
    OpenWithLightPage(u"101:0"_qs);
    ClickEffect(0);
    auto* red = dynamic_cast<MEdit*>(m_window->FindControl(106));
    ASSERT_TRUE(red && red->IsVisible());
    ClickControl(106);
    red->SetSel(0, int(red->GetEditText().size()));
    for (QChar c : u"300"_qs) m_window->SendMessageW(WM_CHAR, c.unicode(), 1);
    EXPECT_TRUE(WaitFor([&] { return red->GetEditText() == u"255"_qs; })) << qPrintable(red->GetEditText());
    EXPECT_EQ(dynamic_cast<MSlider*>(m_window->FindControl(103))->GetProgress(), 255);
}

}  // namespace
