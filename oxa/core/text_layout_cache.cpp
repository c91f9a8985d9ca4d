#include "oxa/core/text_layout_cache.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>
#include <cmath>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace OXA {
namespace {

struct Key {
    QString text;
    QFont metricsFont;
    QFont font;  // the painter's: bound to its device
    int width = 0, height = 0, flags = 0;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    bool operator==(const Key& o) const
    {
        return width == o.width && height == o.height && flags == o.flags && direction == o.direction &&
               text == o.text && font == o.font && metricsFont == o.metricsFont;
    }
};

struct KeyHash {
    size_t operator()(const Key& k) const { return qHashMulti(0, k.text, k.font, k.width, k.height, k.flags); }
};

// A laid-out line and where it goes in a box at (0, 0); shown is the text
// drawn, and Qt draws it itself when the layout is not a single line.
struct Entry {
    QString shown;
    std::unique_ptr<QTextLayout> layout;
    QPointF offset;
    bool clip = false;
    uint64_t lastUse = 0;
};

struct Store {
    std::mutex mutex;
    std::unordered_map<Key, Entry, KeyHash> entries;
    uint64_t clock = 0;
    bool cleanupRegistered = false;
};

Store& Shared()
{
    static Store store;
    return store;
}

void ClearAtExit() { TextLayoutCache::Clear(); }

// The text drawn in a box of width: elided at the right when too wide.
QString Shown(const QString& text, const QFont& metricsFont, int width)
{
    const QFontMetrics fm(metricsFont);
    if (fm.horizontalAdvance(text) > width)
        return fm.elidedText(text, Qt::ElideRight, width);
    return text;
}

// What drawing the text in a single line does to it first: line breaks, tabs
// and carriage returns become spaces.
QString SingleLineText(const QString& text)
{
    QString out = text;
    for (QChar& c : out)
        if (c == u'\r' || c == u'\n' || c == u'\t')
            c = u' ';
    return out;
}

// Lays text out as QPainter::drawText does for one line in a box of w x h at
// the origin (left to right, painter moving by whole pixels).
void LayOut(Entry& e, const QFont& font, Qt::LayoutDirection direction, int w, int h, int flags)
{
    const QString text = SingleLineText(e.shown);
    // A line separator breaks the line and a U+009C marks length variants:
    // both are left to Qt.
    if (text.isEmpty() || text.contains(QChar(0x2028)) || text.contains(QChar(0x2029)) ||
        text.contains(QChar(0x9c)))
        return;
    auto layout = std::make_unique<QTextLayout>(text, font);
    layout->setCacheEnabled(true);
    QTextOption option;
    option.setTextDirection(direction);
    option.setAlignment(Qt::AlignLeft);
    layout->setTextOption(option);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (!line.isValid()) {
        layout->endLayout();
        return;
    }
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    // The line's unrounded height (QTextLine::height() rounds it up).
    const qreal height = line.ascent() + line.descent();
    const qreal width = line.naturalTextWidth();
    const bool more = layout->createLine().isValid();
    layout->endLayout();
    if (more || layout->lineCount() != 1)
        return;
    qreal yoff = 0, xoff = 0;
    if (flags & Qt::AlignBottom)
        yoff = h - height;
    else if (flags & Qt::AlignVCenter)
        yoff = (h - height) / 2;
    if (flags & Qt::AlignRight)
        xoff = w - width;
    else if (flags & Qt::AlignHCenter)
        xoff = (w - width) / 2;
    e.clip = !QRectF(0, 0, w, h).contains(QRectF(xoff, yoff, width, height));
    // The line itself is placed by its advance.
    const qreal advance = line.horizontalAdvance();
    qreal lineX = 0;
    if (flags & Qt::AlignRight)
        lineX = w - advance;
    else if (flags & Qt::AlignHCenter)
        lineX = (w - advance) / 2;
    e.offset = QPointF(lineX, yoff);
    e.layout = std::move(layout);
}

}  // namespace

void TextLayoutCache::Draw(QPainter& g, const QRect& rect, int flags, const QString& text, const QFont& metricsFont)
{
    if (rect.isEmpty() || text.isEmpty())
        return;
    const QTransform::TransformationType type = g.transform().type();
    // Painters start with an automatic direction: left to right unless the
    // text itself reads right to left.
    const Qt::LayoutDirection direction = g.layoutDirection();
    const bool leftToRight =
        direction == Qt::LeftToRight || (direction == Qt::LayoutDirectionAuto && !text.isRightToLeft());
    if (type > QTransform::TxTranslate || !leftToRight || (flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere))) {
        g.drawText(rect, flags, Shown(text, metricsFont, rect.width()));
        return;
    }
    Store& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    Key key{text, metricsFont, g.font(), rect.width(), rect.height(), flags, direction};
    auto it = s.entries.find(key);
    if (it == s.entries.end()) {
        if (s.entries.size() >= kCapacity) {
            auto oldest = s.entries.begin();
            for (auto e = s.entries.begin(); e != s.entries.end(); ++e)
                if (e->second.lastUse < oldest->second.lastUse)
                    oldest = e;
            s.entries.erase(oldest);
        }
        if (!s.cleanupRegistered) {
            // The layouts hold font engines: let them go while Qt's fonts
            // still exist.
            qAddPostRoutine(ClearAtExit);
            s.cleanupRegistered = true;
        }
        Entry entry;
        entry.shown = Shown(text, metricsFont, rect.width());
        LayOut(entry, key.font, direction, rect.width(), rect.height(), flags);
        it = s.entries.emplace(std::move(key), std::move(entry)).first;
    }
    Entry& e = it->second;
    e.lastUse = ++s.clock;
    if (!e.layout) {
        g.drawText(rect, flags, e.shown);
        return;
    }
    if (e.clip) {
        g.save();
        g.setClipRect(QRectF(rect), Qt::IntersectClip);
    }
    e.layout->lineAt(0).draw(&g, QPointF(rect.x() + e.offset.x(), rect.y() + e.offset.y()));
    if (e.clip)
        g.restore();
}

void TextLayoutCache::Clear()
{
    Store& s = Shared();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.entries.clear();
    s.cleanupRegistered = false;
}

}  // namespace OXA
