#include "xml/xml_entities.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace XmlEntities {

namespace {

struct Entity {
    const char* name;
    char32_t code;
};

// The HTML 4 character entities (Latin-1, symbols and Greek, special) and
// the XML "apos".
constexpr Entity kEntities[] = {
    // Latin-1
    {"nbsp", 160}, {"iexcl", 161}, {"cent", 162}, {"pound", 163}, {"curren", 164},
    {"yen", 165}, {"brvbar", 166}, {"sect", 167}, {"uml", 168}, {"copy", 169},
    {"ordf", 170}, {"laquo", 171}, {"not", 172}, {"shy", 173}, {"reg", 174},
    {"macr", 175}, {"deg", 176}, {"plusmn", 177}, {"sup2", 178}, {"sup3", 179},
    {"acute", 180}, {"micro", 181}, {"para", 182}, {"middot", 183}, {"cedil", 184},
    {"sup1", 185}, {"ordm", 186}, {"raquo", 187}, {"frac14", 188}, {"frac12", 189},
    {"frac34", 190}, {"iquest", 191}, {"Agrave", 192}, {"Aacute", 193}, {"Acirc", 194},
    {"Atilde", 195}, {"Auml", 196}, {"Aring", 197}, {"AElig", 198}, {"Ccedil", 199},
    {"Egrave", 200}, {"Eacute", 201}, {"Ecirc", 202}, {"Euml", 203}, {"Igrave", 204},
    {"Iacute", 205}, {"Icirc", 206}, {"Iuml", 207}, {"ETH", 208}, {"Ntilde", 209},
    {"Ograve", 210}, {"Oacute", 211}, {"Ocirc", 212}, {"Otilde", 213}, {"Ouml", 214},
    {"times", 215}, {"Oslash", 216}, {"Ugrave", 217}, {"Uacute", 218}, {"Ucirc", 219},
    {"Uuml", 220}, {"Yacute", 221}, {"THORN", 222}, {"szlig", 223}, {"agrave", 224},
    {"aacute", 225}, {"acirc", 226}, {"atilde", 227}, {"auml", 228}, {"aring", 229},
    {"aelig", 230}, {"ccedil", 231}, {"egrave", 232}, {"eacute", 233}, {"ecirc", 234},
    {"euml", 235}, {"igrave", 236}, {"iacute", 237}, {"icirc", 238}, {"iuml", 239},
    {"eth", 240}, {"ntilde", 241}, {"ograve", 242}, {"oacute", 243}, {"ocirc", 244},
    {"otilde", 245}, {"ouml", 246}, {"divide", 247}, {"oslash", 248}, {"ugrave", 249},
    {"uacute", 250}, {"ucirc", 251}, {"uuml", 252}, {"yacute", 253}, {"thorn", 254},
    {"yuml", 255},
    // Symbols, mathematical symbols and Greek letters
    {"fnof", 402},
    {"Alpha", 913}, {"Beta", 914}, {"Gamma", 915}, {"Delta", 916}, {"Epsilon", 917},
    {"Zeta", 918}, {"Eta", 919}, {"Theta", 920}, {"Iota", 921}, {"Kappa", 922},
    {"Lambda", 923}, {"Mu", 924}, {"Nu", 925}, {"Xi", 926}, {"Omicron", 927},
    {"Pi", 928}, {"Rho", 929}, {"Sigma", 931}, {"Tau", 932}, {"Upsilon", 933},
    {"Phi", 934}, {"Chi", 935}, {"Psi", 936}, {"Omega", 937},
    {"alpha", 945}, {"beta", 946}, {"gamma", 947}, {"delta", 948}, {"epsilon", 949},
    {"zeta", 950}, {"eta", 951}, {"theta", 952}, {"iota", 953}, {"kappa", 954},
    {"lambda", 955}, {"mu", 956}, {"nu", 957}, {"xi", 958}, {"omicron", 959},
    {"pi", 960}, {"rho", 961}, {"sigmaf", 962}, {"sigma", 963}, {"tau", 964},
    {"upsilon", 965}, {"phi", 966}, {"chi", 967}, {"psi", 968}, {"omega", 969},
    {"thetasym", 977}, {"upsih", 978}, {"piv", 982},
    {"bull", 8226}, {"hellip", 8230}, {"prime", 8242}, {"Prime", 8243}, {"oline", 8254},
    {"frasl", 8260},
    {"weierp", 8472}, {"image", 8465}, {"real", 8476}, {"trade", 8482}, {"alefsym", 8501},
    {"larr", 8592}, {"uarr", 8593}, {"rarr", 8594}, {"darr", 8595}, {"harr", 8596},
    {"crarr", 8629}, {"lArr", 8656}, {"uArr", 8657}, {"rArr", 8658}, {"dArr", 8659},
    {"hArr", 8660},
    {"forall", 8704}, {"part", 8706}, {"exist", 8707}, {"empty", 8709}, {"nabla", 8711},
    {"isin", 8712}, {"notin", 8713}, {"ni", 8715}, {"prod", 8719}, {"sum", 8721},
    {"minus", 8722}, {"lowast", 8727}, {"radic", 8730}, {"prop", 8733}, {"infin", 8734},
    {"ang", 8736}, {"and", 8743}, {"or", 8744}, {"cap", 8745}, {"cup", 8746},
    {"int", 8747}, {"there4", 8756}, {"sim", 8764}, {"cong", 8773}, {"asymp", 8776},
    {"ne", 8800}, {"equiv", 8801}, {"le", 8804}, {"ge", 8805}, {"sub", 8834},
    {"sup", 8835}, {"nsub", 8836}, {"sube", 8838}, {"supe", 8839}, {"oplus", 8853},
    {"otimes", 8855}, {"perp", 8869}, {"sdot", 8901},
    {"lceil", 8968}, {"rceil", 8969}, {"lfloor", 8970}, {"rfloor", 8971}, {"lang", 9001},
    {"rang", 9002}, {"loz", 9674}, {"spades", 9824}, {"clubs", 9827}, {"hearts", 9829},
    {"diams", 9830},
    // Markup-significant and internationalisation characters
    {"quot", 34}, {"amp", 38}, {"lt", 60}, {"gt", 62}, {"OElig", 338}, {"oelig", 339},
    {"Scaron", 352}, {"scaron", 353}, {"Yuml", 376}, {"circ", 710}, {"tilde", 732},
    {"ensp", 8194}, {"emsp", 8195}, {"thinsp", 8201}, {"zwnj", 8204}, {"zwj", 8205},
    {"lrm", 8206}, {"rlm", 8207}, {"ndash", 8211}, {"mdash", 8212}, {"lsquo", 8216},
    {"rsquo", 8217}, {"sbquo", 8218}, {"ldquo", 8220}, {"rdquo", 8221}, {"bdquo", 8222},
    {"dagger", 8224}, {"Dagger", 8225}, {"permil", 8240}, {"lsaquo", 8249},
    {"rsaquo", 8250}, {"euro", 8364},
    // XML
    {"apos", 39},
};
constexpr size_t kEntityCount = sizeof(kEntities) / sizeof(kEntities[0]);

constexpr size_t kMaxName = 8;  // "&" + 8 characters + ";" fills the 9 after "&"

struct Key {
    char text[kMaxName + 1];
    char32_t code;
    bool lowerOriginal;  // the table spells the name in lower case already
};

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

// Two sorted views of the table: exact names, and lower-cased names where a
// name that is lower case in the table wins over its capitalised twin.
struct Tables {
    std::array<Key, kEntityCount> exact{};
    std::array<Key, kEntityCount> folded{};
    size_t foldedCount = 0;

    Tables()
    {
        for (size_t i = 0; i < kEntityCount; ++i) {
            Key& e = exact[i];
            Key& f = folded[i];
            std::strncpy(e.text, kEntities[i].name, kMaxName);
            e.code = f.code = kEntities[i].code;
            bool lower = true;
            for (size_t k = 0; k <= kMaxName; ++k) {
                f.text[k] = Lower(e.text[k]);
                lower = lower && f.text[k] == e.text[k];
            }
            e.lowerOriginal = f.lowerOriginal = lower;
        }
        auto less = [](const Key& a, const Key& b) { return std::strcmp(a.text, b.text) < 0; };
        std::sort(exact.begin(), exact.end(), less);
        std::sort(folded.begin(), folded.end(), [](const Key& a, const Key& b) {
            const int c = std::strcmp(a.text, b.text);
            return c != 0 ? c < 0 : (a.lowerOriginal && !b.lowerOriginal);
        });
        // Keep the first of each run of equal folded names (the lower-case one).
        size_t n = 0;
        for (size_t i = 0; i < kEntityCount; ++i)
            if (n == 0 || std::strcmp(folded[n - 1].text, folded[i].text) != 0)
                folded[n++] = folded[i];
        foldedCount = n;
    }
};

const Tables& GetTables()
{
    static const Tables tables;
    return tables;
}

char32_t Find(const Key* begin, const Key* end, const char* name)
{
    const Key* it = std::lower_bound(begin, end, name, [](const Key& k, const char* n) {
        return std::strcmp(k.text, n) < 0;
    });
    return (it != end && std::strcmp(it->text, name) == 0) ? it->code : 0;
}

char32_t LookupAscii(const char* exactName, const char* foldedName)
{
    const Tables& t = GetTables();
    if (char32_t c = Find(t.exact.data(), t.exact.data() + t.exact.size(), exactName))
        return c;
    return Find(t.folded.data(), t.folded.data() + t.foldedCount, foldedName);
}

// Numeric reference body after "#" (already lower-cased): decimal digits, or
// "x" and hexadecimal digits. 0 when malformed.
char32_t ParseNumber(const char* s)
{
    int base = 10;
    if (*s == 'x') {
        base = 16;
        ++s;
    }
    if (!*s)
        return 0;
    uint32_t value = 0;
    for (; *s; ++s) {
        int d;
        if (*s >= '0' && *s <= '9')
            d = *s - '0';
        else if (base == 16 && *s >= 'a' && *s <= 'f')
            d = *s - 'a' + 10;
        else
            return 0;
        value = value * base + d;  // at most 7 digits: no overflow
    }
    return value;
}

}  // namespace

char32_t Lookup(QStringView name)
{
    if (name.isEmpty() || size_t(name.size()) > kMaxName)
        return 0;
    char exact[kMaxName + 1] = {};
    char folded[kMaxName + 1] = {};
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t c = name[i].unicode();
        if (c == 0 || c >= 128)
            return 0;
        exact[i] = char(c);
        folded[i] = Lower(char(c));
    }
    return LookupAscii(exact, folded);
}

QString Decode(QStringView text)
{
    const qsizetype n = text.size();
    const char16_t* t = reinterpret_cast<const char16_t*>(text.utf16());
    qsizetype amp = text.indexOf(u'&');
    if (amp < 0)
        return text.toString();
    QString out;
    out.reserve(n);
    qsizetype copied = 0;
    for (; amp >= 0; amp = text.indexOf(u'&', amp + 1)) {
        if (amp < copied)
            continue;  // inside a reference already decoded
        char exact[kMaxName + 2] = {};
        char folded[kMaxName + 2] = {};
        qsizetype semi = -1;
        for (qsizetype k = 1; k <= qsizetype(kMaxName) + 1 && amp + k < n; ++k) {
            const char16_t c = t[amp + k];
            if (c >= 128 || c == 0)
                break;
            if (c == u';') {
                semi = amp + k;
                break;
            }
            if (k <= qsizetype(kMaxName)) {
                exact[k - 1] = char(c);
                folded[k - 1] = Lower(char(c));
            }
        }
        if (semi < 0)
            continue;
        char32_t code = 0;
        if (folded[0] == '#')
            code = ParseNumber(folded + 1);
        else if (folded[0] != 0)
            code = LookupAscii(exact, folded);
        if (code == 0 || code > 0x10FFFF)
            continue;
        out.append(QStringView(t + copied, amp - copied));
        if (code >= 0x10000) {
            const char32_t v = code - 0x10000;
            out.append(QChar(char16_t(0xD800 + (v >> 10))));
            out.append(QChar(char16_t(0xDC00 + (v & 0x3FF))));
        } else {
            out.append(QChar(char16_t(code)));
        }
        copied = semi + 1;
    }
    out.append(QStringView(t + copied, n - copied));
    return out;
}

QString Escape(QStringView text, bool forAttribute)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar qc : text) {
        switch (qc.unicode()) {
        case u'<': out.append(u"&lt;"); break;
        case u'&': out.append(u"&amp;"); break;
        case u'>': out.append(u"&gt;"); break;
        case u'\'':
            if (forAttribute) out.append(u"&apos;"); else out.append(qc);
            break;
        case u'"':
            if (forAttribute) out.append(u"&quot;"); else out.append(qc);
            break;
        default:
            out.append(qc);
        }
    }
    return out;
}

}  // namespace XmlEntities
