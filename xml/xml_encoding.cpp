#include "xml/xml_encoding.h"

#include <cstdlib>
#include <cstring>

namespace XmlEncoding {

namespace {

struct NamedCodePage {
    const char* name;
    int codePage;
};

// Charset names of the Windows code page identifiers, with their common
// aliases. Earlier entries win when a name appears twice.
constexpr NamedCodePage kNames[] = {
    {"IBM037", 37}, {"IBM437", 437}, {"IBM500", 500}, {"ASMO-708", 708}, {"DOS-720", 720},
    {"ibm737", 737}, {"ibm775", 775}, {"ibm850", 850}, {"ibm852", 852}, {"IBM855", 855},
    {"ibm857", 857}, {"IBM00858", 858}, {"IBM860", 860}, {"ibm861", 861}, {"DOS-862", 862},
    {"IBM863", 863}, {"IBM864", 864}, {"IBM865", 865}, {"cp866", 866}, {"ibm866", 866},
    {"ibm869", 869}, {"IBM870", 870}, {"windows-874", 874}, {"tis-620", 874},
    {"cp875", 875},
    {"shift_jis", 932}, {"shift-jis", 932}, {"sjis", 932}, {"ms_kanji", 932},
    {"csShiftJIS", 932}, {"x-sjis", 932}, {"windows-31j", 932}, {"cp932", 932},
    {"gb2312", 936}, {"gbk", 936}, {"cp936", 936}, {"csGB2312", 936}, {"GB2312-80", 936},
    {"GB_2312-80", 936}, {"iso-ir-58", 936}, {"chinese", 936}, {"x-gbk", 936},
    {"ks_c_5601-1987", 949}, {"ks_c_5601", 949}, {"ks_c_5601_1987", 949},
    {"ksc_5601", 949}, {"ksc5601", 949}, {"korean", 949}, {"csKSC56011987", 949},
    {"iso-ir-149", 949}, {"ks_c_5601-1989", 949}, {"cp949", 949}, {"uhc", 949},
    {"big5", 950}, {"big5-hkscs", 950}, {"cn-big5", 950}, {"csbig5", 950}, {"x-x-big5", 950},
    {"cp950", 950},
    {"IBM1026", 1026}, {"IBM01047", 1047}, {"IBM01140", 1140}, {"IBM01141", 1141},
    {"IBM01142", 1142}, {"IBM01143", 1143}, {"IBM01144", 1144}, {"IBM01145", 1145},
    {"IBM01146", 1146}, {"IBM01147", 1147}, {"IBM01148", 1148}, {"IBM01149", 1149},
    {"utf-16", 1200}, {"utf-16le", 1200}, {"unicode", 1200}, {"ucs-2", 1200},
    {"iso-10646-ucs-2", 1200},
    {"utf-16be", 1201}, {"unicodeFFFE", 1201},
    {"windows-1250", 1250}, {"x-cp1250", 1250}, {"cp1250", 1250},
    {"windows-1251", 1251}, {"x-cp1251", 1251}, {"cp1251", 1251},
    {"windows-1252", 1252}, {"x-ansi", 1252}, {"cp1252", 1252},
    {"windows-1253", 1253}, {"cp1253", 1253},
    {"windows-1254", 1254}, {"cp1254", 1254},
    {"windows-1255", 1255}, {"cp1255", 1255},
    {"windows-1256", 1256}, {"cp1256", 1256},
    {"windows-1257", 1257}, {"cp1257", 1257},
    {"windows-1258", 1258}, {"cp1258", 1258},
    {"Johab", 1361},
    {"macintosh", 10000}, {"x-mac-japanese", 10001}, {"x-mac-chinesetrad", 10002},
    {"x-mac-korean", 10003}, {"x-mac-arabic", 10004}, {"x-mac-hebrew", 10005},
    {"x-mac-greek", 10006}, {"x-mac-cyrillic", 10007}, {"x-mac-chinesesimp", 10008},
    {"x-mac-romanian", 10010}, {"x-mac-ukrainian", 10017}, {"x-mac-thai", 10021},
    {"x-mac-ce", 10029}, {"x-mac-icelandic", 10079}, {"x-mac-turkish", 10081},
    {"x-mac-croatian", 10082},
    {"utf-32", 12000}, {"utf-32le", 12000}, {"utf-32BE", 12001},
    {"x-Chinese-CNS", 20000}, {"x-cp20001", 20001}, {"x-Chinese-Eten", 20002},
    {"x-cp20003", 20003}, {"x-cp20004", 20004}, {"x-cp20005", 20005}, {"x-IA5", 20105},
    {"x-IA5-German", 20106}, {"x-IA5-Swedish", 20107}, {"x-IA5-Norwegian", 20108},
    {"us-ascii", 20127}, {"ascii", 20127}, {"us", 20127}, {"ANSI_X3.4-1968", 20127},
    {"ANSI_X3.4-1986", 20127}, {"cp367", 20127}, {"csASCII", 20127}, {"IBM367", 20127},
    {"iso-ir-6", 20127}, {"ISO646-US", 20127}, {"ISO_646.irv:1991", 20127},
    {"x-cp20261", 20261}, {"x-cp20269", 20269}, {"IBM273", 20273}, {"IBM277", 20277},
    {"IBM278", 20278}, {"IBM280", 20280}, {"IBM284", 20284}, {"IBM285", 20285},
    {"IBM290", 20290}, {"IBM297", 20297}, {"IBM420", 20420}, {"IBM423", 20423},
    {"IBM424", 20424}, {"x-EBCDIC-KoreanExtended", 20833}, {"IBM-Thai", 20838},
    {"koi8-r", 20866}, {"koi8", 20866}, {"koi", 20866}, {"csKOI8R", 20866}, {"koi8r", 20866},
    {"IBM871", 20871}, {"IBM880", 20880}, {"IBM905", 20905}, {"IBM00924", 20924},
    {"x-cp20936", 20936}, {"x-cp20949", 20949}, {"cp1025", 21025},
    {"koi8-u", 21866}, {"koi8-ru", 21866},
    {"iso-8859-1", 28591}, {"iso8859-1", 28591}, {"latin1", 28591}, {"l1", 28591},
    {"iso_8859-1", 28591}, {"iso_8859-1:1987", 28591}, {"iso-ir-100", 28591},
    {"cp819", 28591}, {"csISOLatin1", 28591}, {"IBM819", 28591},
    {"iso-8859-2", 28592}, {"iso8859-2", 28592}, {"latin2", 28592}, {"l2", 28592},
    {"iso_8859-2", 28592}, {"csISOLatin2", 28592},
    {"iso-8859-3", 28593}, {"iso8859-3", 28593}, {"latin3", 28593}, {"iso_8859-3", 28593},
    {"iso-8859-4", 28594}, {"iso8859-4", 28594}, {"latin4", 28594}, {"iso_8859-4", 28594},
    {"iso-8859-5", 28595}, {"iso8859-5", 28595}, {"cyrillic", 28595}, {"iso_8859-5", 28595},
    {"iso-8859-6", 28596}, {"iso8859-6", 28596}, {"arabic", 28596}, {"iso_8859-6", 28596},
    {"iso-8859-7", 28597}, {"iso8859-7", 28597}, {"greek", 28597}, {"greek8", 28597},
    {"iso_8859-7", 28597},
    {"iso-8859-8", 28598}, {"iso8859-8", 28598}, {"hebrew", 28598}, {"iso_8859-8", 28598},
    {"visual", 28598},
    {"iso-8859-9", 28599}, {"iso8859-9", 28599}, {"latin5", 28599}, {"iso_8859-9", 28599},
    {"iso-8859-13", 28603}, {"iso8859-13", 28603},
    {"iso-8859-15", 28605}, {"iso8859-15", 28605}, {"latin9", 28605}, {"latin-9", 28605},
    {"iso_8859-15", 28605}, {"csISOLatin9", 28605},
    {"x-Europa", 29001}, {"iso-8859-8-i", 38598}, {"logical", 38598},
    {"iso-2022-jp", 50221}, {"csISO2022JP", 50221}, {"iso-2022-kr", 50225},
    {"csISO2022KR", 50225}, {"x-cp50227", 50227},
    {"euc-jp", 51932}, {"x-euc-jp", 51932}, {"cseucpkdfmtjapanese", 51932},
    {"EUC-CN", 51936}, {"x-euc-cn", 51936},
    {"euc-kr", 51949}, {"cseuckr", 51949},
    {"hz-gb-2312", 52936}, {"GB18030", 54936},
    {"x-iscii-de", 57002}, {"x-iscii-be", 57003}, {"x-iscii-ta", 57004},
    {"x-iscii-te", 57005}, {"x-iscii-as", 57006}, {"x-iscii-or", 57007},
    {"x-iscii-ka", 57008}, {"x-iscii-ma", 57009}, {"x-iscii-gu", 57010},
    {"x-iscii-pa", 57011},
    {"utf-7", 65000}, {"x-unicode-1-1-utf-7", 65000}, {"csUnicode11UTF7", 65000},
    {"utf-8", 65001}, {"utf8", 65001}, {"unicode-1-1-utf-8", 65001},
    {"unicode-2-0-utf-8", 65001}, {"x-unicode20utf8", 65001},
};

struct CodePageConverter {
    int codePage;
    const char* iconvName;
};

constexpr CodePageConverter kConverters[] = {
    {37, "IBM037"}, {437, "CP437"}, {500, "IBM500"}, {708, "ISO-8859-6"}, {737, "CP737"},
    {775, "CP775"}, {850, "CP850"}, {852, "CP852"}, {855, "CP855"}, {857, "CP857"},
    {858, "CP858"}, {860, "CP860"}, {861, "CP861"}, {862, "CP862"}, {863, "CP863"},
    {864, "CP864"}, {865, "CP865"}, {866, "CP866"}, {869, "CP869"}, {870, "IBM870"},
    {874, "CP874"}, {875, "CP875"}, {932, "CP932"}, {936, "CP936"}, {949, "CP949"},
    {950, "CP950"}, {1026, "IBM1026"}, {1047, "IBM1047"}, {1140, "IBM1140"},
    {1141, "IBM1141"}, {1142, "IBM1142"}, {1143, "IBM1143"}, {1144, "IBM1144"},
    {1145, "IBM1145"}, {1146, "IBM1146"}, {1147, "IBM1147"}, {1148, "IBM1148"},
    {1149, "IBM1149"}, {1200, "UTF-16LE"}, {1201, "UTF-16BE"}, {1250, "CP1250"},
    {1251, "CP1251"}, {1252, "CP1252"}, {1253, "CP1253"}, {1254, "CP1254"},
    {1255, "CP1255"}, {1256, "CP1256"}, {1257, "CP1257"}, {1258, "CP1258"},
    {1361, "JOHAB"}, {10000, "MACINTOSH"}, {10007, "MAC-CYRILLIC"}, {10017, "MAC-UK"},
    {10029, "MAC-CENTRALEUROPE"}, {10079, "MAC-IS"}, {12000, "UTF-32LE"},
    {12001, "UTF-32BE"}, {20127, "ASCII"}, {20273, "IBM273"}, {20277, "IBM277"},
    {20278, "IBM278"}, {20280, "IBM280"}, {20284, "IBM284"}, {20285, "IBM285"},
    {20290, "IBM290"}, {20297, "IBM297"}, {20420, "IBM420"}, {20423, "IBM423"},
    {20424, "IBM424"}, {20866, "KOI8-R"}, {20871, "IBM871"},
    {20880, "IBM880"}, {20905, "IBM905"}, {20932, "EUC-JP"}, {20936, "GB2312"},
    {21025, "IBM1025"}, {21866, "KOI8-U"}, {28591, "ISO-8859-1"}, {28592, "ISO-8859-2"},
    {28593, "ISO-8859-3"}, {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"}, {28597, "ISO-8859-7"}, {28598, "ISO-8859-8"},
    {28599, "ISO-8859-9"}, {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"},
    {38598, "ISO-8859-8"}, {50220, "ISO-2022-JP"}, {50221, "ISO-2022-JP"},
    {50222, "ISO-2022-JP"}, {50225, "ISO-2022-KR"}, {51932, "EUC-JP"}, {51936, "EUC-CN"},
    {51949, "EUC-KR"}, {54936, "GB18030"}, {65000, "UTF-7"}, {65001, "UTF-8"},
    {65005, "UTF-32LE"},
};

bool EqualsIgnoringCase(QStringView a, const char* b)
{
    const size_t n = std::strlen(b);
    if (size_t(a.size()) != n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char16_t c = a[qsizetype(i)].unicode();
        char d = b[i];
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (d >= 'A' && d <= 'Z')
            d = char(d - 'A' + 'a');
        if (c != char16_t(static_cast<unsigned char>(d)))
            return false;
    }
    return true;
}

}  // namespace

int CodePageFromName(QStringView name)
{
    name = name.trimmed();
    if (name.startsWith(u"UTF-32", Qt::CaseInsensitive))
        return kUtf32;
    for (const NamedCodePage& entry : kNames)
        if (EqualsIgnoringCase(name, entry.name))
            return entry.codePage;
    return 0;
}

int SystemAnsiCodePage()
{
    const char* locale = nullptr;
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(var);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    if (!locale)
        return 1252;
    auto startsWith = [locale](const char* prefix) {
        return std::strncmp(locale, prefix, std::strlen(prefix)) == 0;
    };
    if (startsWith("zh_TW") || startsWith("zh_HK") || startsWith("zh_MO"))
        return 950;
    if (startsWith("zh"))
        return 936;
    if (startsWith("ja"))
        return 932;
    if (startsWith("ko"))
        return 949;
    return 1252;
}

const char* IconvName(int codePage)
{
    for (const CodePageConverter& entry : kConverters)
        if (entry.codePage == codePage)
            return entry.iconvName;
    return nullptr;
}

}  // namespace XmlEncoding
