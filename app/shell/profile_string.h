#pragma once
// Reading one entry of an INI-format text file, the way the language files
// are read: the file is read afresh on every call, nothing is cached.
//
// Files are UTF-8 (with or without a byte-order mark), or UTF-16 in either
// byte order with a byte-order mark. Section and key names are compared
// without regard to case and surrounding blanks; the value is trimmed and
// one pair of enclosing quotes (" or ') is removed. The first section of the
// name and the first key of the name in it count.
#include <QByteArray>

#include "platform/cstring.h"

// The entry's value, cut to at most maxLength UTF-16 units (never inside a
// surrogate pair). Empty when the file, the section or the key is missing,
// or the file is not text.
CString ReadProfileString(const CString& path, const CString& section, const CString& key, int maxLength);

// The text of a file's bytes by the encodings above.
CString DecodeProfileText(const QByteArray& bytes);
