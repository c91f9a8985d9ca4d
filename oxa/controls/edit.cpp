#include "oxa/controls/edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

#include "oxa/controls/text_editing.h"
#include "oxa/core/image_cache.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/window_messages.h"

namespace OXA {

using namespace TextEditing;

MEdit::MEdit(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MControlFont(parent, id, rect, CString(), visible, enabled, 1), m_tip(title)
{
    m_textColor = 0xFE050505u;
}

void MEdit::SetTipInfo(const CString& tip)
{
    m_tip = tip;
    UpdateControl(1, 0);
}

void MEdit::SetEditText(const CString& text)
{
    m_text = text.left(std::max(0, m_limit));
    EndOnWholeCharacter(m_text);
    m_caret = m_anchor = int(m_text.size());
    UpdateControl(1, 0);
}

void MEdit::SetLimitText(int limit) { m_limit = std::max(0, limit); }

void MEdit::EnablePassWord(int enable)
{
    m_password = enable;
    UpdateControl(1, 0);
}

void MEdit::SetTextRect(CRect rect)
{
    m_textRect = rect;
    UpdateControl(1, 0);
}

int MEdit::SetIconImage(const CString& path, int frames)
{
    ImgResInfo* info = m_manager ? m_manager->AddImgResInfo(path, std::max(1, frames)) : nullptr;
    if (!m_icon.Take(info, frames))
        return 0;
    UpdateControl(1, 0);
    return 1;
}

CRect MEdit::IconRect() const
{
    if (!m_icon)
        return CRect();
    const int top = m_rect.top + (m_rect.Height() - m_icon.height) / 2;
    return CRect(m_rect.right - m_icon.width - 4, top, m_rect.right - 4, top + m_icon.height);
}

CRect MEdit::TextRect() const
{
    if (!m_textRect.IsRectEmpty())
        return CRect(m_rect.left + m_textRect.left, m_rect.top + m_textRect.top, m_rect.left + m_textRect.right,
                     m_rect.top + m_textRect.bottom);
    CRect r(m_rect.left + 6, m_rect.top, m_rect.right - 6, m_rect.bottom);
    if (m_icon)
        r.right = IconRect().left - 4;
    return r;
}

CString MEdit::Shown() const { return m_password ? CString(m_text.size(), m_passwordChar) : m_text; }

void MEdit::ShowEdit()
{
    if (m_readOnly || !m_enabled || m_editing)
        return;
    m_editing = 1;
    m_caret = m_anchor = int(m_text.size());
    SetFocusedFlag(1);
    if (m_manager && m_manager->GetFocusControl() != this)
        m_manager->StoreFocusControl(this);
    UpdateControl(1, 0);
    PaintManager::UpdateInputMethod();  // the field takes text now
    SendMessageW(30, 0, 0);
}

void MEdit::HideEdit()
{
    if (!m_editing)
        return;
    m_editing = 0;
    m_preedit.clear();
    m_anchor = m_caret;
    UpdateControl(1, 0);
    PaintManager::UpdateInputMethod();
    SendMessageW(29, 0, 0);
}

int MEdit::SetControlFocus(int focus)
{
    SetFocusedFlag(focus ? 1 : 0);
    if (!focus)
        HideEdit();  // losing the focus ends editing
    return MControlFont::SetControlFocus(focus);
}

void MEdit::SetSel(int anchor, int caret)
{
    const int n = int(m_text.size());
    m_anchor = std::clamp(anchor, 0, n);
    m_caret = std::clamp(caret, 0, n);
    UpdateControl(1, 0);
}

CString MEdit::GetSelText() const { return Selected(m_text, m_anchor, m_caret); }

void MEdit::DeleteSelection() { RemoveSelected(m_text, m_anchor, m_caret); }

void MEdit::Changed()
{
    UpdateControl(1, 0);
    SendMessageW(26, 0, 0);
}

int MEdit::InsertText(const CString& text)
{
    if (m_readOnly || !m_enabled)
        return 0;
    CString clean;
    for (QChar c : text) {
        if (m_numberOnly && !(c >= u'0' && c <= u'9'))
            continue;
        if (c.unicode() < 0x20 && !(m_multiLine && c == u'\n'))
            continue;
        clean.append(c);
    }
    const int added = ReplaceSelected(m_text, m_anchor, m_caret, clean, m_limit);
    if (added < 0)
        return 0;
    Changed();
    return added;
}

int MEdit::OnInputMethod(const CString& commit, const CString& preedit)
{
    if (!m_editing)
        return 0;
    m_preedit = preedit;
    if (!commit.isEmpty())
        InsertText(commit);
    else
        UpdateControl(1, 0);
    return 1;
}

int MEdit::CaretX()
{
    const QFontMetrics fm(GetGDIFont());
    return TextRect().left + fm.horizontalAdvance(Shown().left(m_caret) + m_preedit);
}

int MEdit::GetInputMethodCursor(CRect& rect)
{
    if (!m_editing || m_readOnly || !m_enabled)
        return 0;
    const CRect text = TextRect();
    const int x = CaretX();
    rect = CRect(x, text.top + 5, x + 1, text.bottom - 5);
    return 1;
}

void MEdit::Copy() const
{
    if (HasSelection() && !m_password)
        QGuiApplication::clipboard()->setText(GetSelText());
}

long MEdit::OnWindowMessage(unsigned msg, unsigned wParam, long)
{
    if (msg != WM_CHAR || !m_editing)
        return 0;
    if (!m_charMessages)
        return 1;  // swallowed
    const QChar c(char16_t(wParam & 0xFFFF));
    if (c.unicode() >= 0x20)
        InsertText(CString(c));
    return 1;
}

int MEdit::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    if (m_icon && IconRect().PtInRect(pt)) {
        m_pressed = 2;
        HideEdit();
        SendMessageW(9, 0, 0);
        return 1;
    }
    if (!TextRect().PtInRect(pt))
        return 0;
    m_pressed = 1;
    ShowEdit();
    SendMessageW(1, 0, 0);
    return 1;
}

int MEdit::OnControlLButtonUp(unsigned, CPoint pt)
{
    const int pressed = m_pressed;
    m_pressed = 0;
    if (!m_enabled)
        return 0;
    if (pressed == 2 && IconRect().PtInRect(pt)) {
        SendMessageW(31, 0, 0);
        return 1;
    }
    if (pressed == 1 && TextRect().PtInRect(pt)) {
        SendMessageW(2, 0, 0);
        return 1;
    }
    return 0;
}

int MEdit::OnControlKeyDown(unsigned vk, unsigned, unsigned modifiers)
{
    if (!m_enabled || !m_focused)
        return 0;
    if (!m_editing) {
        if (vk != VK_SPACE)
            return 0;
        SendMessageW(1, 0, 0);
        SendMessageW(2, 0, 0);
        return 1;
    }
    const int n = int(m_text.size());
    const bool extend = ShiftOnly(modifiers);
    auto moveTo = [&](int pos) {
        m_caret = std::clamp(pos, 0, n);
        if (!extend)
            m_anchor = m_caret;
        UpdateControl(1, 0);
    };
    if (CtrlHeld(modifiers)) {
        switch (vk) {
        case 'A':
            SetSel(0, n);
            return 1;
        case 'C':
            Copy();
            return 1;
        case 'X':
            if (!m_readOnly && HasSelection()) {
                Copy();
                DeleteSelection();
                Changed();
            }
            return 1;
        case 'V':
            InsertText(QGuiApplication::clipboard()->text());
            return 1;
        default:
            return 0;
        }
    }
    switch (vk) {
    case kVkLeft:
        moveTo(HasSelection() && !extend ? std::min(m_anchor, m_caret) : m_caret - 1);
        return 1;
    case kVkRight:
        moveTo(HasSelection() && !extend ? std::max(m_anchor, m_caret) : m_caret + 1);
        return 1;
    case kVkHome:
        moveTo(0);
        return 1;
    case kVkEnd:
        moveTo(n);
        return 1;
    case VK_BACK:
    case kVkDelete:
        if (HasSelection()) {
            DeleteSelection();
        } else if (vk == VK_BACK && m_caret > 0) {
            const int len = m_caret >= 2 && m_text[m_caret - 1].isLowSurrogate() ? 2 : 1;
            m_text.remove(m_caret - len, len);
            m_caret = m_anchor = m_caret - len;
        } else if (vk == kVkDelete && m_caret < n) {
            const int len = m_text[m_caret].isHighSurrogate() && m_caret + 1 < n ? 2 : 1;
            m_text.remove(m_caret, len);
        } else {
            return 1;
        }
        Changed();
        return 1;
    case VK_RETURN:
    case VK_ESCAPE:
        HideEdit();
        return 1;
    default:
        return 0;
    }
}

void MEdit::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    if (m_editing)
        MRender::FillSolidRect(p, m_rect, m_editBack);
    if (m_icon) {
        const CRect r = IconRect();
        p.drawImage(r.ToQRect(), *m_icon.image, QRect(0, 0, m_icon.width, m_icon.height));
    }
    const CRect text = TextRect();
    const QFont font = GetGDIFont();
    const ARGB colour = m_enabled ? m_textColor : 0xFF808080u;
    if (m_text.isEmpty() && m_preedit.isEmpty() && !m_editing) {
        MRender::DrawText(p, text, m_tip, 0xFF808080u, font, 0, 4);
    } else {
        const CString shown = Shown();
        const QFontMetrics fm(font);
        const int baseX = text.left;
        if (m_editing && HasSelection()) {
            const int a = std::min(m_anchor, m_caret), b = std::max(m_anchor, m_caret);
            const int x0 = baseX + fm.horizontalAdvance(shown.left(a));
            const int x1 = baseX + fm.horizontalAdvance(shown.left(b));
            MRender::DrawColor(p, CRect(x0, text.top + 4, x1, text.bottom - 4), 0x803399FFu);
        }
        const CString withPreedit = m_editing ? shown.left(m_caret) + m_preedit + shown.mid(m_caret) : shown;
        MRender::DrawText(p, text, withPreedit, colour, font, 0, 4);
        if (m_editing) {
            const int x = CaretX();
            MRender::DrawColor(p, CRect(x, text.top + 5, x + 1, text.bottom - 5), m_textColor | 0xFF000000u);
        }
    }
    p.restore();
}

}  // namespace OXA
