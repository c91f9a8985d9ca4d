#include "cli/send_values.h"

bool SendValues::Parse(const QStringList& words, CString& error)
{
    for (const CString& w : words) {
        const int equals = w.indexOf(u'=');
        if (equals <= 0) {
            error = u"expected NAME=VALUE, not \""_qs + w + u"\""_qs;
            return false;
        }
        m_values[w.left(equals).toLower()] = w.mid(equals + 1);
        m_ordered.emplace_back(w.left(equals).toLower(), w.mid(equals + 1));
    }
    return true;
}

CString SendValues::Text(const CString& name, const CString& fallback) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? fallback : it->second;
}

bool SendValues::Int(const CString& name, int& value, CString& error) const
{
    const auto it = m_values.find(name);
    if (it == m_values.end()) return true;
    const std::optional<int> n = ParseNumber(it->second);
    if (!n) {
        error = name + u"= needs a number, not \""_qs + it->second + u"\""_qs;
        return false;
    }
    value = *n;
    return true;
}

std::map<int, CString> SendValues::KeyWords(const CString& prefix) const
{
    std::map<int, CString> keys;
    for (const auto& [name, value] : m_values) {
        if (!name.startsWith(prefix)) continue;
        const CString code = name.mid(prefix.size());
        bool ok = false;
        const int k = code.toInt(&ok, 16);
        if (ok && !code.isEmpty() && code.size() <= 2) keys[k] = value;
    }
    return keys;
}

QStringList SendValues::All(const CString& prefix) const
{
    QStringList values;
    for (const auto& [name, value] : m_ordered)
        if (name.startsWith(prefix)) values << value;
    return values;
}

QStringList SendValues::Unused(const QStringList& known) const
{
    QStringList unused;
    for (const auto& [name, value] : m_values) {
        bool keyWord = false;
        const CString code = name.contains(u'.') ? name.section(u'.', 1) : name;
        code.toInt(&keyWord, 16);
        if (!known.contains(name) && !(keyWord && code.size() <= 2)) unused << name;
    }
    return unused;
}

std::optional<int> ParseNumber(const CString& text)
{
    bool ok = false;
    const CString t = text.trimmed();
    const int v = t.startsWith(u"0x"_qs, Qt::CaseInsensitive) ? t.mid(2).toInt(&ok, 16) : t.toInt(&ok);
    if (!ok) return std::nullopt;
    return v;
}

std::optional<uint32_t> ParseColour(const CString& text)
{
    CString t = text.trimmed();
    if (t.startsWith(u'#')) t = t.mid(1);
    bool ok = false;
    const uint32_t rgb = t.toUInt(&ok, 16);
    if (!ok || t.size() != 6) return std::nullopt;
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::optional<KeyAssignment> ParseAssignment(int keyCode, const CString& text)
{
    const QStringList parts = text.split(u':');
    if (parts.isEmpty() || parts.size() > 4) return std::nullopt;
    int v[4] = {};
    for (int i = 0; i < parts.size(); ++i) {
        const std::optional<int> n = ParseNumber(parts[i]);
        if (!n) return std::nullopt;
        v[i] = *n;
    }
    return KeyAssignment{keyCode, v[0], v[1], v[2], v[3]};
}

std::optional<Macro> ParseMacro(const CString& text)
{
    const int colon = text.indexOf(u':');
    if (colon <= 0) return std::nullopt;
    const std::optional<int> id = ParseNumber(text.left(colon));
    if (!id) return std::nullopt;
    Macro m{*id, {}};
    for (const CString& r : text.mid(colon + 1).split(u',', Qt::SkipEmptyParts)) {
        const QStringList f = r.split(u'/');
        if (f.size() != 3) return std::nullopt;
        const std::optional<int> type = ParseNumber(f[0]), value = ParseNumber(f[1]), delay = ParseNumber(f[2]);
        if (!type || !value || !delay) return std::nullopt;
        m.records.push_back({*type, *value, *delay});
    }
    return m;
}
