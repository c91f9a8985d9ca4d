#include "oxa/controls/rich_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

#include "oxa/controls/text_editing.h"
#include "oxa/core/paint_manager.h"
#include "oxa/core/render.h"
#include "oxa/core/scroll_bar.h"
#include "oxa/core/window_messages.h"

namespace OXA {

using namespace TextEditing;

namespace {
constexpr int kPadding = 4;
constexpr ARGB kSelection = 0x803399FFu;

// Line feeds become line separators so that the layout breaks there; the
// positions stay the same.
QString ForLayout(const QString& text)
{
    QString shown = text;
    shown.replace(u'\n', QChar::LineSeparator);
    return shown;
}
}  // namespace

MRichEdit::MRichEdit(MObject* parent, unsigned id, CRect rect, const CString& title, int visible, int enabled)
    : MPanel(parent, id, rect, visible), m_text(title)
{
    m_enabled = enabled ? 1 : 0;
    m_caret = m_anchor = int(m_text.size());
    SetDblClk(1);
    Remeasure();
}

MRichEdit::~MRichEdit()
{
    if (m_manager && m_manager->GetCurrentCaretObject() == this) {
        m_manager->ShowCaret(0);
        m_manager->CreateCaret(nullptr, 0, 0);
    }
}

CRect MRichEdit::TextArea() const
{
    CRect r = m_rect;
    r.DeflateRect(kPadding, kPadding);
    if (m_vbar && m_vbar->IsVisible())
        r.right -= m_barThickness;
    return r;
}

QTextLayout& MRichEdit::Layout()
{
    if (!m_layout)
        m_layout = std::make_unique<QTextLayout>();
    const QFont font = GetGDIFont();
    if (m_layoutValid && m_layout->font() == font)
        return *m_layout;
    m_layoutValid = true;
    QTextLayout& l = *m_layout;
    l.clearLayout();
    l.setText(ForLayout(m_text));
    l.setFont(font);
    QTextOption option;
    option.setWrapMode(m_multiLine ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    l.setTextOption(option);
    l.setPreeditArea(m_preedit.isEmpty() ? -1 : m_caret, m_preedit);
    const qreal width = std::max(1, TextArea().Width());
    qreal y = 0;
    l.beginLayout();
    for (QTextLine line = l.createLine(); line.isValid(); line = l.createLine()) {
        line.setLineWidth(m_multiLine ? width : 1e6);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    l.endLayout();
    return l;
}

void MRichEdit::Invalidate()
{
    m_layoutValid = false;
    Remeasure();
    UpdateControl(1, 0);
}

void MRichEdit::Remeasure()
{
    MPanel::SetControlRect(m_rect);
    // The height is measured against the text width without the bar; a bar
    // that appears narrows the text, so measure once more then.
    for (int pass = 0; pass < 2; ++pass) {
        const bool barBefore = m_vbar && m_vbar->IsVisible();
        m_layoutValid = false;
        const int height = int(std::ceil(Layout().boundingRect().height())) + 2 * kPadding;
        m_contentHeight = m_multiLine ? height : 0;
        if (m_vbar) {
            m_vbar->SetScrollRange(std::max(1, m_contentHeight));
            m_vbar->SetControlVisible(m_contentHeight > m_rect.Height());
        }
        if ((m_vbar && m_vbar->IsVisible()) == barBefore)
            break;
    }
}

void MRichEdit::InitControl(PaintManager* manager)
{
    MPanel::InitControl(manager);
    ClearGDIFont();  // the window's fonts are known now
    Invalidate();
}

void MRichEdit::SetControlVisible(int visible)
{
    MPanel::SetControlVisible(visible);
    PlaceCaret();
}

void MRichEdit::SetControlEnabled(int enabled)
{
    MPanel::SetControlEnabled(enabled);
    PlaceCaret();
}

void MRichEdit::SetControlRect(CRect rect)
{
    m_rect = rect;
    Invalidate();
}

void MRichEdit::SetText(const CString& text)
{
    m_text = m_multiLine ? text : CString(text).replace(u'\n', u' ');
    if (m_text.size() > m_limit) {
        m_text.truncate(m_limit);
        EndOnWholeCharacter(m_text);  // never half a character
    }
    m_caret = m_anchor = int(m_text.size());
    m_preedit.clear();
    // New text shows its beginning.
    m_hScroll = 0;
    if (m_vbar)
        m_vbar->SetScrollPos(0);
    Invalidate();
    PlaceCaret();
}

void MRichEdit::SetReadOnly(int readOnly)
{
    m_readOnly = readOnly ? 1 : 0;
    PlaceCaret();
    if (IsFocusControl())
        PaintManager::UpdateInputMethod();
}

void MRichEdit::SetMultiLine(int multiLine)
{
    m_multiLine = multiLine ? 1 : 0;
    if (!m_multiLine)
        m_text.replace(u'\n', u' ');
    Invalidate();
}

void MRichEdit::SetLimitText(int limit) { m_limit = std::max(0, limit); }

void MRichEdit::SetBackColor(ARGB colour)
{
    m_back = colour;
    UpdateControl(1, 0);
}

void MRichEdit::SetSel(int anchor, int caret)
{
    const int n = int(m_text.size());
    m_anchor = std::clamp(anchor, 0, n);
    m_caret = std::clamp(caret, 0, n);
    ScrollToCaret();
    UpdateControl(1, 0);
}

CString MRichEdit::GetSelText() const { return Selected(m_text, m_anchor, m_caret); }

void MRichEdit::DeleteSelection() { RemoveSelected(m_text, m_anchor, m_caret); }

int MRichEdit::ReplaceSel(const CString& text)
{
    if (m_readOnly || !m_enabled)
        return 0;
    CString clean;
    for (QChar c : text) {
        if (c == u'\r')
            continue;
        if (c == u'\n' || c == u'\t')
            c = m_multiLine && c == u'\n' ? c : QChar(u' ');
        else if (c.unicode() < 0x20)
            continue;
        clean.append(c);
    }
    const int added = ReplaceSelected(m_text, m_anchor, m_caret, clean, m_limit);
    if (added < 0)
        return 0;
    Invalidate();
    ScrollToCaret();
    OnTextChanged();
    return added;
}

int MRichEdit::GetLineCount() { return Layout().lineCount(); }

int MRichEdit::LineOf(int pos)
{
    QTextLayout& l = Layout();
    for (int i = 0; i < l.lineCount(); ++i) {
        const QTextLine line = l.lineAt(i);
        if (pos < line.textStart() + line.textLength() || i == l.lineCount() - 1)
            return i;
    }
    return 0;
}

QPointF MRichEdit::Origin()
{
    QTextLayout& l = Layout();
    const CRect area = TextArea();
    // A single line sits in the vertical middle.
    if (!m_multiLine && l.lineCount() == 1)
        return QPointF(area.left - m_hScroll, area.top + (area.Height() - l.lineAt(0).height()) / 2.0);
    return QPointF(area.left - m_hScroll, area.top - GetVOffset());
}

int MRichEdit::PositionAt(CPoint pt)
{
    QTextLayout& l = Layout();
    const QPointF origin = Origin();
    const qreal x = pt.x - origin.x();
    const qreal y = pt.y - origin.y();
    for (int i = 0; i < l.lineCount(); ++i) {
        const QTextLine line = l.lineAt(i);
        if (y < line.y() + line.height() || i == l.lineCount() - 1)
            return std::clamp(line.xToCursor(x), 0, int(m_text.size()));
    }
    return 0;
}

CRect MRichEdit::CaretRect()
{
    QTextLayout& l = Layout();
    const CRect area = TextArea();
    if (l.lineCount() == 0) {
        const int h = QFontMetrics(GetGDIFont()).height();
        return CRect(area.left, area.top, area.left + 1, area.top + h);
    }
    const int pos = m_caret + int(m_preedit.size());
    const QTextLine line = l.lineAt(LineOf(m_caret));
    const QPointF origin = Origin();
    const int x = int(std::floor(origin.x() + line.cursorToX(pos)));
    const int y = int(std::floor(origin.y() + line.y()));
    return CRect(x, y, x + 1, y + int(std::ceil(line.height())));
}

void MRichEdit::ScrollToCaret()
{
    const CRect area = TextArea();
    if (!m_multiLine) {
        const CRect caret = CaretRect();
        if (caret.left > area.right - 1)
            m_hScroll += caret.left - (area.right - 1);
        else if (caret.left < area.left)
            m_hScroll = std::max(0, m_hScroll - (area.left - caret.left));
        return;
    }
    if (!OverflowsV() || !m_vbar)
        return;
    const CRect caret = CaretRect();
    const int overflow = m_contentHeight - m_rect.Height();
    int offset = GetVOffset();
    if (caret.top < area.top)
        offset -= area.top - caret.top;
    else if (caret.bottom > area.bottom)
        offset += caret.bottom - area.bottom;
    else
        return;
    offset = std::clamp(offset, 0, overflow);
    // The bar's position maps to the offset over its range (the content height).
    m_vbar->SetScrollPos(int((long long)offset * m_vbar->GetScrollRange() / overflow));
}

void MRichEdit::PlaceCaret()
{
    if (!m_manager)
        return;
    const bool owns = m_manager->GetCurrentCaretObject() == this;
    if (!m_focused || m_readOnly || !m_enabled || !m_visible) {
        if (owns)
            m_manager->ShowCaret(0);
        return;
    }
    const CRect caret = CaretRect();
    m_manager->CreateCaret(this, 1, caret.Height());
    m_manager->SetCaretPos(CPoint(caret.left, caret.top));
    const CRect area = TextArea();
    const bool inside = caret.top >= m_rect.top && caret.bottom <= m_rect.bottom && caret.left >= area.left - 1 &&
                        caret.left <= area.right;
    m_manager->ShowCaret(inside && IsParentVisible() ? 1 : 0);
}

void MRichEdit::MoveCaret(int pos, bool extend)
{
    m_caret = std::clamp(pos, 0, int(m_text.size()));
    if (!extend)
        m_anchor = m_caret;
    ScrollToCaret();
    UpdateControl(1, 0);
    PlaceCaret();
}

int MRichEdit::SetControlFocus(int focus)
{
    SetFocusedFlag(focus ? 1 : 0);
    if (!focus) {
        m_preedit.clear();
        m_layoutValid = false;
        m_selecting = false;
    }
    PlaceCaret();
    UpdateControl(1, 0);
    return MPanel::SetControlFocus(focus);
}

long MRichEdit::OnMessage(unsigned id, unsigned code, unsigned wParam, long lParam)
{
    // Our own bar moved: the text moves with it.
    if ((id == 1 || id == 2) && code == 8) {
        UpdateControl(1, 0);
        PlaceCaret();
    }
    return MPanel::OnMessage(id, code, wParam, lParam);
}

long MRichEdit::OnWindowMessage(unsigned msg, unsigned wParam, long)
{
    if (msg != WM_CHAR || !m_focused || !m_enabled)
        return 0;
    const QChar c(char16_t(wParam & 0xFFFF));
    if (c == u'\r' && m_multiLine)
        ReplaceSel(u"\n"_qs);
    else if (c.unicode() >= 0x20)
        ReplaceSel(CString(c));
    PlaceCaret();
    return 1;
}

int MRichEdit::OnInputMethod(const CString& commit, const CString& preedit)
{
    if (!m_focused || m_readOnly || !m_enabled)
        return 0;
    m_preedit = preedit;
    if (!commit.isEmpty())
        ReplaceSel(commit);
    Invalidate();
    ScrollToCaret();
    PlaceCaret();
    return 1;
}

int MRichEdit::GetInputMethodCursor(CRect& rect)
{
    if (!m_focused || m_readOnly || !m_enabled)
        return 0;
    rect = CaretRect();
    return 1;
}

int MRichEdit::OnControlLButtonDown(unsigned, CPoint pt)
{
    if (!m_enabled)
        return 0;
    // Points arrive in content coordinates; positions are taken in the view.
    const CPoint view(pt.x - GetHOffset(), pt.y - GetVOffset());
    if (!TextArea().PtInRect(view) && !m_rect.PtInRect(view))
        return 0;
    m_pressed = true;
    m_selecting = true;
    MoveCaret(PositionAt(view), false);
    SendMessageW(1, 0, 0);
    return 1;
}

int MRichEdit::OnControlMouseMove(unsigned, CPoint pt)
{
    const CPoint view(pt.x - GetHOffset(), pt.y - GetVOffset());
    if (m_selecting && m_enabled) {
        const int pos = PositionAt(view);
        if (pos != m_caret)
            MoveCaret(pos, true);
    }
    // A text cursor over the text; the arrow again once the mouse left.
    const bool inside = m_rect.PtInRect(view);
    if (m_manager && (inside || m_mouseInside))
        m_manager->SetCursor(inside ? Qt::IBeamCursor : Qt::ArrowCursor);
    m_mouseInside = inside;
    return inside ? 1 : 0;
}

int MRichEdit::OnControlLButtonUp(unsigned, CPoint pt)
{
    const bool pressed = m_pressed;
    m_pressed = false;
    m_selecting = false;
    const CPoint view(pt.x - GetHOffset(), pt.y - GetVOffset());
    if (!pressed || !m_enabled || !m_rect.PtInRect(view))
        return 0;
    SendMessageW(2, 0, 0);
    return 1;
}

int MRichEdit::OnControlLButtonDblClk(unsigned flags, CPoint pt)
{
    if (!OnControlLButtonDown(flags, pt))
        return 0;
    // Selects the word under the mouse.
    int from = m_caret, to = m_caret;
    const auto word = [this](int i) { return m_text[i].isLetterOrNumber() || m_text[i] == u'_'; };
    while (from > 0 && word(from - 1))
        --from;
    while (to < int(m_text.size()) && word(to))
        ++to;
    m_selecting = false;
    SetSel(from, to);
    PlaceCaret();
    return 1;
}

int MRichEdit::OnControlKeyDown(unsigned vk, unsigned, unsigned modifiers)
{
    if (!m_enabled || !m_focused)
        return 0;
    const int n = int(m_text.size());
    const bool extend = ShiftOnly(modifiers);
    const bool hasSelection = m_anchor != m_caret;
    if (CtrlHeld(modifiers)) {
        switch (vk) {
        case 'A':
            SetSel(0, n);
            PlaceCaret();
            return 1;
        case 'C':
            if (hasSelection)
                QGuiApplication::clipboard()->setText(GetSelText());
            return 1;
        case 'X':
            if (hasSelection && !m_readOnly) {
                QGuiApplication::clipboard()->setText(GetSelText());
                ReplaceSel(CString());
                PlaceCaret();
            }
            return 1;
        case 'V':
            ReplaceSel(QGuiApplication::clipboard()->text());
            PlaceCaret();
            return 1;
        case kVkHome:
            MoveCaret(0, extend);
            return 1;
        case kVkEnd:
            MoveCaret(n, extend);
            return 1;
        default:
            return 0;
        }
    }
    QTextLayout& l = Layout();
    const int lineIndex = LineOf(m_caret);
    const QTextLine line = l.lineCount() ? l.lineAt(lineIndex) : QTextLine();
    switch (vk) {
    case kVkLeft:
        MoveCaret(hasSelection && !extend ? std::min(m_anchor, m_caret)
                                          : l.previousCursorPosition(m_caret), extend);
        return 1;
    case kVkRight:
        MoveCaret(hasSelection && !extend ? std::max(m_anchor, m_caret) : l.nextCursorPosition(m_caret), extend);
        return 1;
    case kVkUp:
    case kVkDown: {
        const int target = lineIndex + (vk == kVkUp ? -1 : 1);
        if (!line.isValid() || target < 0 || target >= l.lineCount()) {
            MoveCaret(vk == kVkUp ? 0 : n, extend);
            return 1;
        }
        MoveCaret(l.lineAt(target).xToCursor(line.cursorToX(m_caret)), extend);
        return 1;
    }
    case kVkHome:
        MoveCaret(line.isValid() ? line.textStart() : 0, extend);
        return 1;
    case kVkEnd: {
        int end = line.isValid() ? std::min(n, line.textStart() + line.textLength()) : n;
        // A broken or wrapped line ends before its line feed or trailing space.
        if (line.isValid() && end > 0 && end > line.textStart() && lineIndex + 1 < l.lineCount() &&
            m_text[end - 1].isSpace())
            --end;
        MoveCaret(end, extend);
        return 1;
    }
    case VK_BACK:
    case kVkDelete:
        if (m_readOnly)
            return 1;
        if (!hasSelection) {
            if (vk == VK_BACK && m_caret > 0)
                m_anchor = l.previousCursorPosition(m_caret);
            else if (vk == kVkDelete && m_caret < n)
                m_anchor = l.nextCursorPosition(m_caret);
            else
                return 1;
        }
        DeleteSelection();
        Invalidate();
        ScrollToCaret();
        OnTextChanged();
        PlaceCaret();
        return 1;
    case VK_RETURN:
        if (!m_multiLine || m_readOnly)
            return 0;
        // The character message inserts the line feed.
        return 1;
    default:
        return 0;
    }
}

int MRichEdit::DrawSubControls(HDC& hdc, CRect paint)
{
    // The text is drawn by DrawControl; only the bars are children here.
    std::lock_guard<std::recursive_mutex> lock(m_childrenLock);
    for (MControl* bar : {static_cast<MControl*>(m_vbar), static_cast<MControl*>(m_hbar)})
        if (bar && bar->IsVisible())
            bar->Draw(hdc, paint);
    return 1;
}

void MRichEdit::DrawControl(HDC& hdc, CRect)
{
    m_update = 1;
    if (!hdc.painter)
        return;
    QPainter& p = *hdc.painter;
    p.save();
    p.setClipRect(m_rect.ToQRect());
    MRender::DrawColor(p, m_rect, m_back);
    const CRect area = TextArea();
    p.setClipRect(area.ToQRect().adjusted(-1, 0, 1, 0), Qt::IntersectClip);
    const ARGB colour = m_enabled ? m_textColor : 0xFF808080u;
    if (m_text.isEmpty() && m_preedit.isEmpty() && !m_focused) {
        MRender::DrawText(p, area, PlaceholderText(), 0xFF808080u, GetGDIFont(), 0, m_multiLine ? 0 : 4);
        p.restore();
        return;
    }
    QTextLayout& l = Layout();
    QVector<QTextLayout::FormatRange> selections;
    if (m_anchor != m_caret && m_focused) {
        QTextLayout::FormatRange range;
        range.start = std::min(m_anchor, m_caret);
        if (!m_preedit.isEmpty() && range.start >= m_caret)
            range.start += int(m_preedit.size());
        range.length = std::abs(m_caret - m_anchor);
        range.format.setBackground(QColor::fromRgba(kSelection));
        range.format.setForeground(QColor::fromRgba(colour));
        selections.append(range);
    }
    p.setPen(QColor::fromRgba(colour));
    l.draw(&p, Origin(), selections);
    p.restore();
}

}  // namespace OXA
