#pragma once
// Conversions between the UTF-16 document text and the bytes of a file.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace XmlCodec {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF, no truncated sequence).
bool IsWellFormedUtf8(const char* data, qsizetype size);

// Decodes UTF-8; each malformed sequence (its longest valid beginning)
// becomes one "?".
QString DecodeUtf8(const char* data, qsizetype size);

// Encodes to UTF-8; a lone surrogate becomes "?" and is counted in *lost.
QByteArray EncodeUtf8(QStringView text, qsizetype* lost);

// Decodes bytes of a code page through iconv; a byte that starts no valid
// character becomes "?". False when iconv has no converter for it.
bool Decode(int codePage, const char* data, qsizetype size, QString& out);

// Encodes through iconv; characters the code page cannot represent become
// its "?" and are counted in *lost. False when iconv has no converter.
bool Encode(int codePage, QStringView text, QByteArray& out, qsizetype* lost);

}  // namespace XmlCodec
