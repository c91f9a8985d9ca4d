#include "oxa/keyboard/keyboard_tips.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "oxa/core/library_resources.h"
#include "oxa/core/manager.h"
#include "oxa/core/native_window.h"
#include "oxa/core/render.h"

namespace OXA {
namespace {

constexpr QRgb kBorder = 0xFF505050u;
constexpr QRgb kInside = 0xFF141414u;
constexpr int kCornerRadius = 3;
constexpr int kTextMargin = 10;  // left and right of every line
constexpr int kLineHeight = 20;
// The anchor sits under the middle of the bottom edge.
constexpr int kAnchorDx = 95;
constexpr int kAnchorDy = 100;

struct Line {
    int top;
    int pixelSize;
};
constexpr Line kLines[3] = {{8, 14}, {35, 14}, {63, 18}};

}  // namespace

CKeyboardTips::CKeyboardTips() = default;

CKeyboardTips::~CKeyboardTips()
{
    // Destroyed here, while the handlers of this class still run.
    if (m_hWnd)
        DestroyWindow();
}

const char16_t* CKeyboardTips::GetWindowClassName() const { return u"KeyboardTips"; }

HWND CKeyboardTips::CreateTipWindow(HWND owner)
{
    // Not visible at creation: the user shows it once it is placed. It does
    // not take the activation from its owner, whose keys and hover go on.
    return Create(owner, u"KeyboardTip Window"_qs, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                  WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CRect(0, 0, kWidth, kHeight));
}

int CKeyboardTips::OnInitDialog()
{
    // The generic rounded region of oxa windows is replaced by the tip's own.
    if (m_hWnd)
        m_hWnd->SetRoundRegion(false);
    ApplyShape();
    return 1;
}

long CKeyboardTips::OnWindowMessage(unsigned msg, unsigned wParam, long lParam)
{
    switch (msg) {
    case WM_PAINT:
        PaintNow();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        ApplyShape();
        return 0;
    case WM_KILLFOCUS:
        ShowWindow(SW_HIDE);
        return 0;
    case WM_TIMER:
        if (wParam == kHideTimerId)
            ShowWindow(SW_HIDE);
        return 0;
    case WM_OXA_CLOSE:
        PostMessageW(WM_CLOSE, wParam, lParam);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return 0;  // the tip only shows text
    default:
        return MWindow::OnWindowMessage(msg, wParam, lParam);
    }
}

int CKeyboardTips::SetAirBladderMsg(const CString& title, const CString& line2, const CString& line3, CPoint anchor)
{
    if (title == m_title && line2 == m_line2 && line3 == m_line3 && anchor == m_anchor)
        return 1;
    m_title = title;
    m_line2 = line2;
    m_line3 = line3;
    m_anchor = anchor;
    if (!m_title.isEmpty() && m_hWnd) {
        SetWindowPos(anchor.x - kAnchorDx, anchor.y - kAnchorDy, kWidth, kHeight);
        PaintNow();
    }
    return 0;
}

int CKeyboardTips::LoadBKImage(const CString& relativePath)
{
    m_bkImage = MRender::LoadImage(Manager::GetSkinFolder() + Manager::NormalizePath(relativePath));
    return m_bkImage.isNull() ? 0 : 1;
}

int CKeyboardTips::LoadBKImage(unsigned resourceId, const CString& type)
{
    m_bkImage = MRender::LoadImageFromIDResource(resourceId, type, 1);
    return m_bkImage.isNull() ? 0 : 1;
}

void CKeyboardTips::SetBackMode(int mode, int border)
{
    m_backMode = mode;
    m_backBorder = border;
}

void CKeyboardTips::CloseWindow() { PostMessageW(WM_CLOSE, 0, 0); }

QRegion CKeyboardTips::ShapeRegion(int width, int height)
{
    if (width <= 0 || height <= 0)
        return QRegion();
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, width, height), kCornerRadius, kCornerRadius);
    return QRegion(path.toFillPolygon().toPolygon());
}

void CKeyboardTips::ApplyShape()
{
    if (!m_hWnd)
        return;
    // Platforms without window shapes (offscreen) would only warn.
    if (QGuiApplication::platformName() == u"offscreen"_qs)
        return;
    m_hWnd->setMask(ShapeRegion(m_hWnd->width(), m_hWnd->height()));
}

QFont CKeyboardTips::LineFont(int pixelSize)
{
    if (!m_familyLoaded) {
        m_family = RegisterFontFile(LibraryFontFile(IDR_FONT));
        m_familyLoaded = true;
    }
    return MakeFont(m_family.family.isEmpty() ? nullptr : &m_family, pixelSize, 0);  // regular
}

QImage CKeyboardTips::RenderImage()
{
    const int w = m_hWnd ? std::max(1, m_hWnd->width()) : kWidth;
    const int h = m_hWnd ? std::max(1, m_hWnd->height()) : kHeight;
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.fillRect(0, 0, w, h, QColor::fromRgba(kBorder));
    // (1, 1) to (w - 2, h - 2): one pixel of border left and top, two right
    // and bottom.
    if (w > 3 && h > 3)
        p.fillRect(1, 1, w - 3, h - 3, QColor::fromRgba(kInside));
    if (!m_title.isEmpty()) {
        const CString* texts[3] = {&m_title, &m_line2, &m_line3};
        for (int i = 0; i < 3; ++i) {
            const CRect box(kTextMargin, kLines[i].top, w - kTextMargin, kLines[i].top + kLineHeight);
            MRender::DrawText(p, box, *texts[i], 0xFFFFFFFFu, LineFont(kLines[i].pixelSize), 1, 4);
        }
    }
    return image;
}

void CKeyboardTips::PaintNow()
{
    if (!m_hWnd)
        return;
    const QRect dirty = m_hWnd->TakeUpdateRect();
    const QImage image = RenderImage();
    m_hWnd->Present(image, dirty.isEmpty() ? QRect(QPoint(0, 0), image.size()) : dirty);
}

}  // namespace OXA
