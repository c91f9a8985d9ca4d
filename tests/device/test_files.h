#pragma once
// Small helpers for tests that write data files into a temporary folder.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/cstring.h"

inline void WriteTextFile(const CString& path, const CString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(text.toUtf8());
}

// The program folder of the build: installation data copied beside the tools.
inline CString BuiltProgramFolder() { return QString::fromUtf8(VARNET_BIN_DIR); }
