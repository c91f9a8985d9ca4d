#include "device/key_tables.h"

namespace {


void Report(LayoutIssues* issues, const LayoutKey& key, const CString& what)
{
    if (issues) issues->push_back({key.line, LayoutKeyLabel(key) + u": "_qs + what});
}

}  // namespace

void KeyTables::Clear()
{
    keyPositions.clear();
    lightPositions.clear();
    fnDisabled.clear();
    matrix.fill(kNoMatrixKey);
    editorKeyMap.fill(0);
}

uint8_t KeyTables::MatrixAt(int row, int col) const
{
    if (row < 0 || row >= kMatrixRows || col < 0 || col >= kMatrixColumns) return kNoMatrixKey;
    return matrix[size_t(row * kMatrixColumns + col)];
}

int MaxLightPosition(const LayoutFile& layout)
{
    return layout.IsRgb() ? kMaxRgbLightPosition : kMaxSingleLightPosition;
}

void BuildKeyTables(const LayoutFile& layout, KeyTables& tables, LayoutIssues* issues)
{
    tables.Clear();
    const int maxLight = MaxLightPosition(layout);
    for (const LayoutKey& key : layout.keys) {
        if (key.fnDisabled) tables.fnDisabled.insert(key.code);

        if (key.keyIndex > 0 && key.lightIndex > 0) {
            if (key.keyIndex <= kMaxKeyPosition)
                tables.keyPositions[key.code] = key.keyIndex;
            else
                Report(issues, key, CString(u"key_index %1 is beyond the key map block (1..%2); "
                                            "the key is not placed in it"_qs)
                                        .arg(key.keyIndex).arg(kMaxKeyPosition));
            if (key.lightIndex <= maxLight)
                tables.lightPositions[key.code] = key.lightIndex;
            else
                Report(issues, key, CString(u"light_index %1 is beyond the colour block (1..%2); "
                                            "the key is not placed in it"_qs)
                                        .arg(key.lightIndex).arg(maxLight));
        }

        // Matrix and editor map hold one byte per key code.
        if (key.code < 0 || key.code > 0xFF) {
            Report(issues, key, u"the code does not fit the key matrix; the key is not placed in it"_qs);
            continue;
        }
        if (key.row < 0 || key.row >= kMatrixRows || key.col < 0 || key.col >= kMatrixColumns) {
            Report(issues, key, CString(u"row_col \"%1\" is outside the %2 x %3 key matrix; "
                                        "the key is not placed in it"_qs)
                                    .arg(key.rowCol).arg(kMatrixRows).arg(kMatrixColumns));
            continue;
        }
        tables.matrix[size_t(key.row * kMatrixColumns + key.col)] = uint8_t(key.code);
        const int editorIndex = key.col * 8 + key.row;  // below 256 inside the matrix
        tables.editorKeyMap[size_t(editorIndex)] = uint8_t(key.code);
    }
}
