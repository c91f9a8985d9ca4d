#pragma once
// Values of `varnetctl send` as written on the command line: NAME=VALUE
// words, numbers in decimal or 0x-hexadecimal, key codes in hexadecimal,
// colours as RRGGBB, key assignments and macros in short forms.
#include <QStringList>
#include <map>
#include <vector>
#include <optional>

#include "link/key_entry.h"
#include "platform/cstring.h"
#include "link/macro_command.h"

class SendValues {
public:
    // Words of the form NAME=VALUE; anything else is an error.
    bool Parse(const QStringList& words, CString& error);

    bool Has(const CString& name) const { return m_values.count(name) != 0; }
    CString Text(const CString& name, const CString& fallback = {}) const;
    // Numbers: "12", "0x0C". False (with a message) when present but not a number.
    bool Int(const CString& name, int& value, CString& error) const;
    // The words whose name is a hexadecimal key code ("04=..."), by code,
    // optionally behind a prefix ("fn.04=...").
    std::map<int, CString> KeyWords(const CString& prefix = {}) const;
    // Values of every word whose name starts with the prefix, in command-line order.
    QStringList All(const CString& prefix) const;
    // Names not taken by the command (to report mistakes).
    QStringList Unused(const QStringList& known) const;

private:
    std::map<CString, CString> m_values;
    std::vector<std::pair<CString, CString>> m_ordered;
};

std::optional<int> ParseNumber(const CString& text);
// RRGGBB -> 0x00BBGGRR.
std::optional<uint32_t> ParseColour(const CString& text);
// TYPE[:VALUE[:VALUE2[:VALUE3]]] for a key.
std::optional<KeyAssignment> ParseAssignment(int keyCode, const CString& text);
// ID:TYPE/VALUE/DELAY,TYPE/VALUE/DELAY,... ("ID:" alone: a macro without records).
std::optional<Macro> ParseMacro(const CString& text);
