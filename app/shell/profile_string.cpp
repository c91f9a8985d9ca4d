#include "app/shell/profile_string.h"

#include <QFile>
#include <QStringDecoder>

namespace {

// Language files are a few tens of kilobytes; what lies beyond this is not
// read, so a huge file cannot stall every text lookup.
constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

QStringView Trimmed(QStringView s) { return s.trimmed(); }

QStringView Unquoted(QStringView value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\''))
        return value.mid(1, value.size() - 2);
    return value;
}

bool SameName(QStringView a, const CString& b) { return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0; }

}  // namespace

CString DecodeProfileText(const QByteArray& bytes)
{
    QByteArray data = bytes;
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    if (data.startsWith("\xFF\xFE")) {
        encoding = QStringConverter::Utf16LE;
    } else if (data.startsWith("\xFE\xFF")) {
        encoding = QStringConverter::Utf16BE;
    } else if (data.startsWith("\xEF\xBB\xBF")) {
        data.remove(0, 3);
    }
    if (encoding != QStringConverter::Utf8) {
        data.remove(0, 2);
        if (data.size() % 2 != 0) data.chop(1);  // a file cut inside a character
    }
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    return decoder.decode(data);
}

CString ReadProfileString(const CString& path, const CString& section, const CString& key, int maxLength)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const CString text = DecodeProfileText(file.read(kMaxFileBytes));

    bool inSection = false;
    bool sectionSeen = false;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') ++end;
        const QStringView line = Trimmed(QStringView(text).mid(pos, end - pos));
        pos = end + 1;

        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close < 0) continue;
            // Only the first section of the name is searched.
            if (inSection) return {};
            inSection = !sectionSeen && SameName(Trimmed(line.mid(1, close - 1)), section);
            sectionSeen = sectionSeen || inSection;
            continue;
        }
        if (!inSection) continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || !SameName(Trimmed(line.left(equals)), key)) continue;

        QStringView value = Unquoted(Trimmed(line.mid(equals + 1)));
        if (const qsizetype nul = value.indexOf(QChar(0)); nul >= 0) value = value.left(nul);
        if (maxLength < 0) maxLength = 0;
        if (value.size() > maxLength) {
            qsizetype cut = maxLength;
            if (cut > 0 && value[cut - 1].isHighSurrogate()) --cut;
            value = value.left(cut);
        }
        return value.toString();
    }
    return {};
}
