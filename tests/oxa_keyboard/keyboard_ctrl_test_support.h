#pragma once
// A keyboard picture control in a dialog, with a few keys and a picture of
// a grey keyboard body whose key caps are transparent holes.
#include <gtest/gtest.h>

#include "keyboard_test_support.h"
#include "oxa/keyboard/keyboard_ctrl.h"

namespace kbtest {

constexpr unsigned kKbId = 73;
constexpr QRgb kBody = 0xFF303030u;  // the picture's opaque body
// The control at (50, 40), 800 x 300; the picture 400 x 200 is centred:
// offset x = (800 - 400) / 2 = 200, offset y = 0.
constexpr int kCtrlX = 50, kCtrlY = 40;
constexpr int kPicX = kCtrlX + 200, kPicY = kCtrlY;

struct TestKey {
    const char16_t* name;
    int value;
    CRect rect;  // picture coordinates
};
// Three keys in a row, one apart from them, and a second key with value 5.
constexpr TestKey kKeys[] = {
    {u"A", 4, CRect(10, 10, 50, 50)},
    {u"B", 5, CRect(60, 10, 100, 50)},
    {u"C", 6, CRect(110, 10, 150, 50)},
    {u"D", 7, CRect(300, 120, 340, 160)},
    {u"B2", 5, CRect(200, 10, 240, 50)},
};
constexpr int kKeyCount = int(std::size(kKeys));

// Window point at (dx, dy) inside key i.
inline CPoint KeyPoint(int i, int dx = 20, int dy = 20)
{
    return CPoint(kPicX + kKeys[i].rect.left + dx, kPicY + kKeys[i].rect.top + dy);
}

class KeyboardFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dlg.Open(900, 400));
        kb = dlg.Make<KeyboardCtrl>(u"KeyboardCtrl", kKbId, CRect(kCtrlX, kCtrlY, kCtrlX + 800, kCtrlY + 300));
        ASSERT_NE(kb, nullptr);
        WritePicture(u"keyboard/test_kb.png"_qs, 400, 200);
        kb->SetKeyboardImage(u"keyboard/test_kb.png"_qs);
        kb->SetWidthAndHeight(400, 200);
        for (const TestKey& k : kKeys)
            kb->AddKeyItem(QString::fromUtf16(k.name), QString::fromUtf16(k.name) + u"-label"_qs, k.value, k.rect,
                           CString(), 0x000000);
    }
    // The grey body with a transparent cap 4 pixels inside every test key.
    void WritePicture(const QString& relative, int width, int height)
    {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(kBody);
        for (const TestKey& k : kKeys) {
            const QRect cap = k.rect.ToQRect().adjusted(4, 4, -4, -4).intersected(image.rect());
            for (int y = cap.top(); y <= cap.bottom(); ++y)
                for (int x = cap.left(); x <= cap.right(); ++x)
                    image.setPixel(x, y, 0x00000000u);
        }
        const QString path = Manager::GetSkinFolder() + relative;
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(image.save(path));
    }
    KEY_INFO* Key(int i) { return kb->GetKeyItems().at(size_t(i)); }
    std::vector<int> Checks()
    {
        std::vector<int> checks;
        for (KEY_INFO* k : kb->GetKeyItems())
            checks.push_back(k->check);
        return checks;
    }
    void MoveTo(CPoint p, unsigned flags = 0) { dlg.Send(WM_MOUSEMOVE, flags, p.x, p.y); }
    void PressLeft(CPoint p, unsigned flags = 0) { dlg.Send(WM_LBUTTONDOWN, MK_LBUTTON | flags, p.x, p.y); }
    void ReleaseLeft(CPoint p) { dlg.Send(WM_LBUTTONUP, 0, p.x, p.y); }
    void PressRight(CPoint p) { dlg.Send(WM_RBUTTONDOWN, MK_RBUTTON, p.x, p.y); }
    void ReleaseRight(CPoint p) { dlg.Send(WM_RBUTTONUP, 0, p.x, p.y); }
    void ClickLeft(CPoint p, unsigned flags = 0)
    {
        MoveTo(p);
        PressLeft(p, flags);
        ReleaseLeft(p);
    }
    // The notifications with a code among codes, in order.
    std::vector<Note> NotesOf(std::initializer_list<unsigned> codes) const
    {
        std::vector<Note> out;
        for (const Note& n : dlg.notes)
            for (unsigned c : codes)
                if (n.code == c)
                    out.push_back(n);
        return out;
    }

    PictureFolder pictures;
    NoteDialog dlg;
    KeyboardCtrl* kb = nullptr;
};

}  // namespace kbtest
