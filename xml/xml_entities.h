#pragma once
// Character references in attribute values: "&#65;", "&#x41;" and the HTML 4
// character entity names plus "apos".
#include <QString>
#include <QStringView>

namespace XmlEntities {

// Code point of an entity name (without "&" and ";"), or 0 when unknown.
// An exact match is preferred; otherwise the name is compared in lower case,
// so "AMP" reads as "amp" and "OSLASH" as "oslash".
char32_t Lookup(QStringView name);

// Decodes every reference in text. A reference is "&", at most 8 characters
// below code 128, and ";" (within the 9 characters after "&"); anything that
// does not decode (unknown name, value 0, beyond U+10FFFF, no ";" in reach)
// keeps its "&" and decoding resumes with the character after it.
QString Decode(QStringView text);

// Escapes "<", "&", ">"; for attribute values also "'" and '"'.
QString Escape(QStringView text, bool forAttribute);

}  // namespace XmlEntities
