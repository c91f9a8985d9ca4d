#include "oxa/core/library_resources.h"

#include <QFileInfo>
#include <QPainter>
#include <map>
#include <mutex>

#include "oxa/core/manager.h"

namespace OXA {
namespace {

// The scroll bar strip: three equal parts (track, thumb under the mouse,
// thumb), laid side by side along the bar's thickness.
QImage ScrollStrip(int width, int height, bool vertical)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[3] = {QColor(255, 255, 255, 28), QColor(0xEE, 0x6E, 0x01, 255), QColor(0x8A, 0x8A, 0x8A, 230)};
    for (int i = 0; i < 3; ++i) {
        QRectF part = vertical ? QRectF(i * (width / 3), 0, width / 3, height)
                               : QRectF(0, i * (height / 3), width, height / 3);
        const qreal r = (vertical ? part.width() : part.height()) / 2.0;
        p.setPen(Qt::NoPen);
        p.setBrush(colours[i]);
        p.drawRoundedRect(part, r, r);
    }
    return image;
}

std::mutex& ProgramMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::map<std::pair<unsigned, CString>, QByteArray>& ProgramResources()
{
    static std::map<std::pair<unsigned, CString>, QByteArray> resources;
    return resources;
}

}  // namespace

QImage LibraryImage(unsigned id)
{
    switch (id) {
    case IDR_SCROLL_H:
        return ScrollStrip(22, 20, false);
    case IDR_SCROLL_V:
        return ScrollStrip(12, 72, true);
    default:
        return QImage();
    }
}

CString LibraryFontFile(unsigned id)
{
    if (id != IDR_FONT)
        return CString();
    const CString candidates[] = {
        Manager::GetFontFolder() + u"OpenSans-Semibold.ttf"_qs,
        u"/usr/share/fonts/truetype/open-sans/OpenSans-Semibold.ttf"_qs,
    };
    for (const CString& c : candidates)
        if (QFileInfo::exists(c))
            return c;
    return CString();
}

void RegisterProgramResource(unsigned id, const CString& type, const QByteArray& data)
{
    std::lock_guard<std::mutex> lock(ProgramMutex());
    ProgramResources()[{id, type.toUpper()}] = data;
}

QByteArray ProgramResource(unsigned id, const CString& type)
{
    std::lock_guard<std::mutex> lock(ProgramMutex());
    auto it = ProgramResources().find({id, type.toUpper()});
    return it == ProgramResources().end() ? QByteArray() : it->second;
}

}  // namespace OXA
