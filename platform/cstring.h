#pragma once
// The wide string every interface of the program uses: UTF-16 and implicitly
// shared, like the string class the data formats were designed around.
#include <QString>

using CString = QString;
