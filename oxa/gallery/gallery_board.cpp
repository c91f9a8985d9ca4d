#include "oxa/gallery/gallery_board.h"

#include <algorithm>

#include "oxa/controls/text.h"
#include "oxa/core/control_factory.h"
#include "oxa/core/dialog.h"
#include "oxa/gallery/gallery_ids.h"

namespace gallery {

using namespace OXA;

namespace {

constexpr ARGB kHeadingColour = 0xFFEE6E01u;
constexpr ARGB kCaptionColour = 0xFF9A9A9Au;
constexpr ARGB kDimColour = 0xFF5A5A5Au;
constexpr int kMinCaptionWidth = 100;

}  // namespace

GalleryBoard::GalleryBoard(MDialog& dialog) : m_dialog(dialog), m_nextCaptionId(kFirstCaptionId) {}

int GalleryBoard::Heading(int x, int y, int width, const CString& text)
{
    auto* heading = new MText(&m_dialog, m_nextCaptionId++, CRect(x, y, x + width, y + kHeadingHeight), text);
    Attach(heading, CString(), nullptr);
    heading->SetFont(CString(), 14, FontStyleRegular);
    heading->SetTextColor(kHeadingColour);
    heading->SetRresponse(0);
    return y + kHeadingHeight;
}

void GalleryBoard::Caption(CRect rect, const CString& text, bool dim)
{
    if (text.isEmpty())
        return;
    // Captions may be wider than small controls; their text is short enough
    // not to reach the next caption of a row.
    const int width = std::max(rect.Width(), kMinCaptionWidth);
    const CRect line(rect.left, rect.top - kCaptionHeight, rect.left + width, rect.top - 1);
    auto* caption = new MText(&m_dialog, m_nextCaptionId++, line, text);
    caption->SetManager(&m_dialog.GetPaintManager());
    m_dialog.GetPaintManager().AddControl(caption);
    caption->SetFont(CString(), 11, FontStyleRegular);
    caption->SetTextColor(dim ? kDimColour : kCaptionColour);
    caption->SetRresponse(0);
}

MControl* GalleryBoard::Create(const CString& className, unsigned id, CRect rect, const CString& title,
                               const CString& caption, const char* name, int enabled)
{
    MControl* control = m_dialog.CreateControl(className, id, rect, title, 1, enabled);
    if (!control) {
        // Some classes are made only by the panel factory; the window takes
        // them the same way.
        control = CreatePanelControl(className, &m_dialog, id, rect, title, 1, enabled);
        if (control) {
            control->SetManager(&m_dialog.GetPaintManager());
            m_dialog.GetPaintManager().AddControl(control);
        }
    }
    if (!control) {
        Caption(rect, className + u" \u2014 not available"_qs, true);
        return nullptr;
    }
    // Not every class takes the enabled flag at construction.
    if (!enabled && control->IsEnabled())
        control->SetEnabled(0);
    Caption(rect, caption);
    Record(control, className, name);
    return control;
}

void GalleryBoard::Attach(MControl* control, const CString& caption, const char* name)
{
    control->SetManager(&m_dialog.GetPaintManager());
    m_dialog.GetPaintManager().AddControl(control);
    Caption(control->GetRect(), caption);
    Record(control, CString::fromUtf16(control->GetClassNameW()), name);
}

void GalleryBoard::Record(MControl* control, const CString& className, const char* name)
{
    if (name)
        m_entries.push_back({CString::fromUtf8(name), control->GetControlID(), className, control->GetRect()});
}

void GalleryBoard::Describe(std::FILE* out) const
{
    for (const Entry& e : m_entries)
        std::fprintf(out, "control name=%s id=%u class=%s rect=%d,%d,%d,%d\n", e.name.toUtf8().constData(), e.id,
                     e.className.toUtf8().constData(), e.rect.left, e.rect.top, e.rect.right, e.rect.bottom);
    std::fflush(out);
}

}  // namespace gallery
