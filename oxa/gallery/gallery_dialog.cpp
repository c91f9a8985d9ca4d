#include "oxa/gallery/gallery_dialog.h"

#include "oxa/controls/combo_box.h"
#include "oxa/controls/edit.h"
#include "oxa/controls/list_box.h"
#include "oxa/controls/menu_wnd.h"
#include "oxa/controls/text.h"
#include "oxa/core/area.h"
#include "oxa/core/manager.h"
#include "oxa/gallery/gallery_board.h"
#include "oxa/gallery/gallery_ids.h"
#include "oxa/gallery/gallery_sections.h"

namespace gallery {

using namespace OXA;

namespace {

constexpr int kColumnWidth = 290;
constexpr int kColumnLeft[4] = {22, 342, 662, 982};
constexpr int kColumnTop = 50;
constexpr int kPlateBottom = 672;

}  // namespace

GalleryDialog::GalleryDialog(std::FILE* out) : m_out(out) {}

GalleryDialog::~GalleryDialog() = default;

void GalleryDialog::InitUI(CRect client)
{
    m_manager.SetBackColor(RGB(0x1B, 0x1C, 0x1F), RGB(0x57, 0x57, 0x57));
    m_manager.SetMTimer(16);
    // One plate per column, under everything else.
    for (int i = 0; i < 4; ++i) {
        const CRect plate(kColumnLeft[i] - 10, kColumnTop - 6, kColumnLeft[i] + kColumnWidth + 10, kPlateBottom);
        if (auto* area = dynamic_cast<CArea*>(CreateArea(u"CArea"_qs, 90 + i, plate, CString())))
            area->SetTransparent(30, 30, RGB(0x2A, 0x2C, 0x31));
    }
    m_board = std::make_unique<GalleryBoard>(*this);
    auto* title = new MText(this, kTitleId, CRect(22, 8, 640, 38), u"oxa controls gallery"_qs);
    m_board->Adopt(title, CString(), nullptr);
    title->SetFont(CString(), 20, FontStyleRegular);
    title->SetTextColor(0xFFE6E6E6u);
    title->SetRresponse(0);

    BuildButtonSection(*m_board, kColumnLeft[0], kColumnTop, kColumnWidth);
    BuildValueSection(*m_board, kColumnLeft[1], kColumnTop, kColumnWidth);
    BuildInputSection(*m_board, kColumnLeft[2], kColumnTop, kColumnWidth);
    BuildExtraSection(*m_board, kColumnLeft[3], kColumnTop, kColumnWidth);

    m_status = new MText(this, kStatusId, CRect(22, kPlateBottom + 12, client.right - 22, kPlateBottom + 36),
                         u"Events appear here and on standard output."_qs);
    m_board->Adopt(m_status, CString(), "status");
    m_status->SetFont(CString(), 13, FontStyleRegular);
    m_status->SetTextColor(0xFF9A9A9Au);
    m_status->SetRresponse(0);
}

void GalleryDialog::Describe() const
{
    if (m_board)
        m_board->Describe(m_out);
}

bool GalleryDialog::PrintText(unsigned id)
{
    MControl* control = GetControl(id);
    CString text;
    if (auto* edit = dynamic_cast<MEdit*>(control))
        text = edit->GetEditText();
    else if (auto* list = dynamic_cast<MListBox*>(control))
        text = list->GetItemText(list->GetCurSel());
    else if (auto* combo = dynamic_cast<MComboBox*>(control))
        text = combo->GetItemText(combo->GetCurSel());
    else
        return false;
    // One line whatever the text holds.
    text.replace(u'\n', u' ').replace(u'\r', u' ');
    std::fprintf(m_out, "text id=%u %s\n", id, text.toUtf8().constData());
    std::fflush(m_out);
    return true;
}

void GalleryDialog::Report(const char* line)
{
    std::fprintf(m_out, "%s\n", line);
    std::fflush(m_out);
    if (m_status)
        m_status->SetTitle(QString::fromLatin1(line));
}

long GalleryDialog::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    if (!m_reporting)
        return 0;
    char line[96];
    std::snprintf(line, sizeof line, "notify id=%u code=%u w=%u l=%ld", id, code, wParam, lParam);
    Report(line);
    if (id == kListId && code == 5) {
        // Right-click on the list: the menu opens at the row (or the list).
        CRect at;
        if (auto* list = dynamic_cast<MListBox*>(GetControl(kListId))) {
            at = list->GetItemRect(int(wParam));
            if (at.IsRectEmpty())
                at = list->GetRect();
            else
                at.OffsetRect(0, -list->GetVOffset());
        }
        OpenMenu(CPoint(at.left + 40, at.top + at.Height() / 2));
    } else if (id == kMenuButtonId && code == 2) {
        if (MControl* button = GetControl(kMenuButtonId))
            OpenMenu(CPoint(button->GetRect().left, button->GetRect().bottom));
    } else if (id == kBalloonButtonId && code == 2) {
        ToggleBalloon();
    }
    return 0;
}

long GalleryDialog::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    if (msg == kMenuMessage) {
        char line[96];
        std::snprintf(line, sizeof line, "post msg=%u w=%u l=%ld", msg, wParam, lParam);
        Report(line);
        return 0;
    }
    return MDialog::OnWindowMessage(msg, wParam, lParam);
}

void GalleryDialog::OpenMenu(CPoint clientPoint)
{
    const CPoint screen = ClientToScreen(clientPoint);
    auto* menu = new MenuWnd(this);  // deletes itself once closed
    if (!menu->Create(GetSafeHwnd(), screen, kMenuMessage)) {
        delete menu;
        return;
    }
    menu->AddMenu(u"Rename"_qs, kMenuRename);
    menu->AddSeparator(kMenuSeparator);
    menu->AddMenu(u"Delete"_qs, kMenuDelete);
    menu->AddMenu(u"Show grid"_qs, kMenuGrid, CString(), 0);
    const CRect rect = menu->GetWindowRect();
    std::fprintf(m_out, "menu x=%d y=%d w=%d h=%d items=%u,%u,%u\n", rect.left, rect.top, menu->GetMenuWidth(),
                 menu->GetMenuHeight(), kMenuRename, kMenuDelete, kMenuGrid);
    std::fflush(m_out);
}

void GalleryDialog::ToggleBalloon()
{
    m_balloonShown = !m_balloonShown;
    if (!m_balloonShown) {
        m_manager.ShowAirBladder(0, 0);
        return;
    }
    MControl* button = GetControl(kBalloonButtonId);
    if (!button)
        return;
    const CRect r = button->GetRect();
    // Type 4 stays until hidden; mode 1 puts it to the right of the point.
    m_manager.SetAirBladderMsg(u"A balloon that stays\nuntil the button is clicked again"_qs,
                               ClientToScreen(CPoint(r.right, r.top + r.Height() / 2)), 4, 1);
}

void GalleryDialog::PostNcDestroy()
{
    Manager::PostQuitMessage(0);
}

}  // namespace gallery
