#pragma once
// Encoding names as XML and HTML files declare them, mapped to Windows code
// page numbers (the currency of the file formats), and code pages mapped to
// the converter names of iconv.
#include <QStringView>

namespace XmlEncoding {

constexpr int kUtf16LE = 1200;
constexpr int kUtf16BE = 1201;
constexpr int kUtf32 = 65005;  // any name beginning "UTF-32"
constexpr int kUtf8 = 65001;

// Code page of a charset name, compared without regard to case; 0 when the
// name is unknown.
int CodePageFromName(QStringView name);

// Stand-in for the system ANSI code page: derived from the language of the
// locale (LC_ALL, else LC_CTYPE, else LANG): Chinese of mainland China and
// Singapore 936, of Taiwan, Hong Kong and Macao 950, Japanese 932, Korean
// 949, anything else 1252.
int SystemAnsiCodePage();

// iconv converter name for a code page; nullptr when iconv has none.
const char* IconvName(int codePage);

}  // namespace XmlEncoding
