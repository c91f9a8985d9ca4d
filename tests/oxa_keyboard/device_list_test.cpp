// Device list: which records become tiles, where they are, how the mouse
// selects them, the selection rules and the worker thread marking presence.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "keyboard_test_support.h"
#include "oxa/keyboard/device_list.h"

using namespace kbtest;

namespace {

constexpr QRgb kBlue = 0xFF0000FFu;
constexpr QRgb kRed = 0xFFFF0000u;
constexpr QRgb kGreen = 0xFF00FF00u;
constexpr QRgb kOrange = 0xFFEE6E01u;  // the library select colour
constexpr unsigned kListId = 20;
// The list sits at (20, 30), 400 x 140: tiles are 140 - 16 (font size) high.
constexpr int kLeft = 20, kTop = 30;

class DeviceList : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(600, 200));
        // The list is made by the page's factory, as the home page does.
        auto* page = dlg.Make<MPanel>(u"MTabLayout", 10, CRect(0, 0, 600, 200));
        ASSERT_NE(page, nullptr);
        const CRect rect(kLeft, kTop, kLeft + 400, kTop + 140);
        list = dynamic_cast<CDeviceList*>(page->CreateControl(u"CDeviceList"_qs, kListId, rect, CString(), 1, 1));
        ASSERT_NE(list, nullptr);
        normal = pictures.Solid(u"normal.png"_qs, 240, 120, kBlue);
        selected = pictures.Solid(u"selected.png"_qs, 240, 120, kRed);
    }
    void AddKeyboards(int n)
    {
        for (int i = 0; i < n; ++i)
            list->AddDevice(QString(u"K%1"_qs).arg(i), 101 + i, normal, selected);
    }
    // A point of the window inside record index's tile (control coordinates
    // of the tile plus dx, dy).
    CPoint InTile(int index, int dx, int dy)
    {
        const CRect r = list->GetItemRect(index);
        return CPoint(kLeft + r.left + dx, kTop + r.top + dy);
    }
    PictureFolder pictures;
    NoteDialog dlg;
    CDeviceList* list = nullptr;
    QString normal, selected;
};

TEST_F(DeviceList, OnlyPresentKeyboardsBecomeTilesFromTheLeft)
{
    AddKeyboards(3);
    list->SetDeviceState(102, 1);
    EXPECT_EQ(list->GetItemRect(1), CRect(0, 0, 120, 124));
    EXPECT_TRUE(list->GetItemRect(0).IsRectEmpty());
    EXPECT_TRUE(list->GetItemRect(2).IsRectEmpty());

    const QImage shot = dlg.RenderImage();
    // 240 x 120 fitted into 120 x 124: 120 x 60, centred (y 32 to 92).
    EXPECT_EQ(At(shot, kLeft + 60, kTop + 62), kBlue);  // not selected, not hovered
    EXPECT_EQ(At(shot, kLeft + 2, kTop + 33), kBlue);
    EXPECT_NE(At(shot, kLeft + 60, kTop + 30), kBlue);
    // The frame is inset by one pixel: columns 1 and 118 of the tile.
    EXPECT_EQ(At(shot, kLeft + 1, kTop + 20), kOrange);
    EXPECT_EQ(At(shot, kLeft + 118, kTop + 20), kOrange);
    EXPECT_EQ(At(shot, kLeft + 60, kTop + 1), kOrange);
    EXPECT_EQ(At(shot, kLeft + 60, kTop + 122), kOrange);
    EXPECT_NE(At(shot, kLeft + 0, kTop + 20), kOrange);
    EXPECT_NE(At(shot, kLeft + 119, kTop + 20), kOrange);
    // Nothing where a second tile would be.
    EXPECT_EQ(Count(shot, QRect(kLeft + 120, kTop, 280, 124), kOrange), 0);
    EXPECT_EQ(Count(shot, QRect(kLeft + 120, kTop, 280, 124), kBlue), 0);
    // The name, white, in the bottom 20 pixels.
    EXPECT_EQ(Brightest(shot, QRect(kLeft + 2, kTop + 104, 116, 18)), 0xFFFFFFFFu);
    EXPECT_NE(Brightest(shot, QRect(kLeft + 2, kTop + 2, 116, 100)), 0xFFFFFFFFu);

    // Its rect is where the mouse selects it.
    const CPoint p = InTile(1, 60, 62);
    dlg.Move(p.x, p.y);
    EXPECT_EQ(list->GetHoverIndex(), 1);
    EXPECT_EQ(At(dlg.RenderImage(), p.x, p.y), kRed);  // the hover tile shows the selected picture
    dlg.Down(p.x, p.y);
    EXPECT_TRUE(dlg.notes.empty());  // the press is swallowed
    dlg.Up(p.x, p.y);
    EXPECT_EQ(dlg.notes, (std::vector<Note>{{kListId, 2, 0, 0}}));
    EXPECT_EQ(list->GetSelectDevice(), 102);
}

TEST_F(DeviceList, NothingIsShownOrSelectableWhenAllAreAbsent)
{
    AddKeyboards(3);
    list->SetAllDeviceState(1);
    list->SetAllDeviceState(0);
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(Count(shot, QRect(kLeft, kTop, 400, 140), kOrange), 0);
    EXPECT_EQ(Count(shot, QRect(kLeft, kTop, 400, 140), kBlue), 0);
    dlg.Click(kLeft + 60, kTop + 62);
    EXPECT_EQ(list->GetHoverIndex(), -1);
    EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(DeviceList, HoverFollowsTheTilesAndClearsOutside)
{
    AddKeyboards(2);
    list->SetAllDeviceState(1);
    EXPECT_EQ(list->GetItemRect(1), CRect(140, 0, 260, 124));
    const struct {
        CPoint at;
        int hover;
    } moves[] = {
        {InTile(0, 10, 10), 0},
        {InTile(1, 0, 0), 1},
        {InTile(1, 119, 123), 1},
        {CPoint(kLeft + 130, kTop + 50), -1},  // the gap between tiles
        {CPoint(kLeft + 60, kTop + 130), -1},  // under the tiles, still inside the list
        {InTile(0, 60, 60), 0},
        {CPoint(500, 180), -1},  // outside the list
    };
    for (const auto& m : moves) {
        dlg.Move(m.at.x, m.at.y);
        EXPECT_EQ(list->GetHoverIndex(), m.hover) << m.at.x << "," << m.at.y;
    }
    // A release without a hover tile selects nothing.
    dlg.Up(500, 180);
    EXPECT_TRUE(dlg.notes.empty());
    EXPECT_EQ(list->GetSelectIndex(), 0);
}

TEST_F(DeviceList, SelectionFallsBackToTheFirstPresentKeyboard)
{
    EXPECT_EQ(list->GetSelectDevice(), 0);  // empty list
    AddKeyboards(4);                        // types 101 to 104
    list->SetDeviceState(102, 1);
    list->SetDeviceState(104, 2);
    const struct {
        int type;
        int index;
        int device;
    } cases[] = {
        {104, 3, 104},  // present: selected
        {102, 1, 102},
        {101, 1, 102},  // absent: the first present one
        {999, 1, 102},  // unknown: the same
    };
    for (const auto& c : cases) {
        list->SetSelectDevice(c.type);
        EXPECT_EQ(list->GetSelectIndex(), c.index) << c.type;
        EXPECT_EQ(list->GetSelectDevice(), c.device) << c.type;
    }
    // With none present there is no selection, which reads as record 0.
    list->SetAllDeviceState(0);
    list->SetSelectDevice(102);
    EXPECT_EQ(list->GetSelectIndex(), -1);
    EXPECT_EQ(list->GetSelectDevice(), 101);
    EXPECT_EQ(list->GetSelectIndex(), 0);
}

TEST_F(DeviceList, StatesAreKeyedByTheFirstRecordOfATypeAndClearListResets)
{
    list->AddDevice(u"A"_qs, 7, normal, selected);
    list->AddDevice(u"B"_qs, 7, normal, selected);
    EXPECT_EQ(list->AddDevice(u"C"_qs, 8, pictures.Missing(), pictures.Missing()), 2);
    EXPECT_EQ(list->GetItemCount(), 3);
    list->SetDeviceState(7, 3);
    list->SetDeviceState(55, 1);  // no such type: nothing changes
    EXPECT_EQ(list->GetDeviceState(7), 3);
    EXPECT_TRUE(list->GetItemRect(1).IsRectEmpty());  // the second record of type 7 stays absent
    EXPECT_EQ(list->GetDeviceState(8), 0);
    EXPECT_EQ(list->GetDeviceState(55), 0);
    list->SetDeviceState(8, 1);  // present without pictures: frame and name only
    const QImage shot = dlg.RenderImage();
    EXPECT_EQ(At(shot, kLeft + 140 + 1, kTop + 20), kOrange);
    EXPECT_EQ(Count(shot, QRect(kLeft + 140, kTop, 120, 124), kBlue), 0);
    EXPECT_EQ(Count(shot, QRect(kLeft + 140, kTop, 120, 124), kRed), 0);

    dlg.Move(kLeft + 10, kTop + 10);
    ASSERT_EQ(list->GetHoverIndex(), 0);
    list->ClearList();
    EXPECT_EQ(list->GetItemCount(), 0);
    EXPECT_EQ(list->GetHoverIndex(), -1);
    EXPECT_EQ(list->GetSelectIndex(), 0);
    EXPECT_EQ(list->GetSelectDevice(), 0);
}

TEST_F(DeviceList, PicturesAreFittedBySelectedSizeAndNeverEnlarged)
{
    // Record 0 (absent) holds the selection, so the others show their
    // normal pictures.
    list->AddDevice(u"absent"_qs, 1, normal, selected);
    list->AddDevice(u"small"_qs, 2, pictures.Solid(u"small_n.png"_qs, 60, 40, kGreen),
                    pictures.Solid(u"small_s.png"_qs, 60, 40, kRed));
    list->AddDevice(u"mixed"_qs, 3, pictures.Solid(u"mixed_n.png"_qs, 60, 30, kBlue), selected);
    list->SetDeviceState(2, 1);
    list->SetDeviceState(3, 1);
    const QImage shot = dlg.RenderImage();
    // 60 x 40 stays 60 x 40, centred in 120 x 124: x 30 to 90, y 42 to 82.
    EXPECT_EQ(At(shot, kLeft + 30, kTop + 42), kGreen);
    EXPECT_EQ(At(shot, kLeft + 89, kTop + 81), kGreen);
    EXPECT_NE(At(shot, kLeft + 29, kTop + 60), kGreen);
    EXPECT_NE(At(shot, kLeft + 90, kTop + 60), kGreen);
    EXPECT_NE(At(shot, kLeft + 60, kTop + 41), kGreen);
    // 60 x 30 drawn in the box of its 240 x 120 selected picture: 120 x 60.
    EXPECT_EQ(At(shot, kLeft + 140 + 5, kTop + 62), kBlue);
    EXPECT_EQ(At(shot, kLeft + 140 + 60, kTop + 35), kBlue);
    EXPECT_NE(At(shot, kLeft + 140 + 60, kTop + 28), kBlue);
}

TEST_F(DeviceList, WheelIsTakenOnlyWhenThePresentTilesOverflow)
{
    AddKeyboards(4);
    const struct {
        int present;
        int taken;
    } cases[] = {{0, 0}, {2, 0}, {3, 0}, {4, 1}};  // 3 tiles: 400 pixels, exactly the width
    for (const auto& c : cases) {
        list->SetAllDeviceState(0);
        for (int i = 0; i < c.present; ++i)
            list->SetDeviceState(101 + i, 1);
        EXPECT_EQ(list->OnControlScroll(1, 1, CPoint(kLeft + 60, kTop + 60)), c.taken) << c.present;
        EXPECT_EQ(list->GetItemRect(0), c.present ? CRect(0, 0, 120, 124) : CRect()) << "the tiles do not move";
    }
}

TEST_F(DeviceList, ADisabledListIgnoresTheMouse)
{
    AddKeyboards(2);
    list->SetAllDeviceState(1);
    list->SetEnabled(0);
    const CPoint p = InTile(1, 60, 60);
    dlg.Click(p.x, p.y);
    EXPECT_EQ(list->GetHoverIndex(), -1);
    EXPECT_EQ(list->GetSelectIndex(), 0);
    EXPECT_TRUE(dlg.notes.empty());
}

TEST_F(DeviceList, TheWorkerMarksPresenceWhileTheWindowPaints)
{
    AddKeyboards(6);
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 0; i < 3000; ++i) {
            list->SetDeviceState(101 + i % 6, (i / 6) % 2);
            if (i % 500 == 0)
                list->SetAllDeviceState(i % 1000 == 0 ? 1 : 0);
            (void)list->GetDeviceState(101 + i % 6);
        }
        list->SetAllDeviceState(0);
        list->SetDeviceState(103, 1);
        done = true;
    });
    while (!done) {
        dlg.RenderImage();
        dlg.Move(kLeft + 60, kTop + 60);
        dlg.Move(kLeft + 200, kTop + 60);
    }
    worker.join();
    EXPECT_EQ(list->GetItemRect(2), CRect(0, 0, 120, 124));
    EXPECT_EQ(At(dlg.RenderImage(), kLeft + 60, kTop + 62), kBlue);
}

}  // namespace
