#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/commands.h"
#include "device/catalogue.h"
#include "device/layout_check.h"

namespace {

CString PageNames(int flags)
{
    static const struct {
        int bit;
        const char16_t* name;
    } pages[] = {{kPageKeys, u"keys"},         {kPageMacro, u"macro"},          {kPageLightMode, u"light_mode"},
                 {kPageCustomLight, u"custom_light"}, {kPageUserLight, u"user_light"}, {kPageMusic, u"music"},
                 {kPageSettings, u"settings"}, {kPageScreen, u"screen"},        {kPageSideLight, u"sidelight"}};
    QStringList names;
    for (const auto& p : pages)
        if (flags & p.bit) names << CString::fromUtf16(p.name);
    return CString(u"0x%1 (%2)"_qs).arg(CString::number(flags, 16).toUpper(), names.join(u' '));
}

CString HexCode(int code)
{
    return CString::number(code, 16).toUpper().rightJustified(2, u'0');
}

QJsonObject LayoutJson(const CString& path, const LayoutCheck& check)
{
    const LayoutFile& l = check.layout;
    QJsonArray keys;
    for (const LayoutKey& k : l.keys) {
        keys.append(QJsonObject{{u"code"_qs, HexCode(k.code)},
                                {u"name"_qs, k.name},
                                {u"desc"_qs, k.desc},
                                {u"key_index"_qs, k.keyIndex},
                                {u"light_index"_qs, k.lightIndex},
                                {u"icon"_qs, k.icon},
                                {u"fnlayer_disable"_qs, k.fnDisabled},
                                {u"rect"_qs, QJsonArray{k.rect.left, k.rect.top, k.rect.right, k.rect.bottom}},
                                {u"row_col"_qs, k.rowCol},
                                {u"row"_qs, k.row},
                                {u"col"_qs, k.col},
                                {u"line"_qs, k.line}});
    }
    QJsonArray issues;
    for (const LayoutIssue& i : check.issues)
        issues.append(QJsonObject{{u"line"_qs, i.line}, {u"message"_qs, i.message}});
    const KeyboardPicture& p = l.picture;
    return QJsonObject{
        {u"file"_qs, path},
        {u"loaded"_qs, check.loaded},
        {u"page_flags_cable"_qs, l.pageFlagsCable},
        {u"page_flags_receiver"_qs, l.pageFlagsReceiver},
        {u"fn_layer"_qs, l.fnLayer},
        {u"sleep_time"_qs, l.sleepTime},
        {u"key_respondtime"_qs, l.keyRespondTime},
        {u"firmware"_qs, QJsonObject{{u"version"_qs, l.firmware.version}, {u"file"_qs, l.firmware.file},
                                     {u"url"_qs, l.firmware.url}}},
        {u"cmd_delaytime"_qs, l.commandDelay},
        {u"screen"_qs, l.hasScreen ? QJsonValue(QJsonObject{{u"gif_headlength"_qs, l.screen.headLength},
                                                           {u"gif_maxframes"_qs, l.screen.maxFrames},
                                                           {u"gif_count"_qs, l.screen.count},
                                                           {u"width"_qs, l.screen.width},
                                                           {u"height"_qs, l.screen.height}})
                                   : QJsonValue()},
        {u"light"_qs, QJsonObject{{u"rgb_keyboard"_qs, l.light.rgbKeyboard},
                                  {u"default_mode"_qs, l.light.defaultMode},
                                  {u"default_brightness"_qs, l.light.defaultBrightness},
                                  {u"default_speed"_qs, l.light.defaultSpeed},
                                  {u"brightness_max"_qs, l.light.brightnessMax},
                                  {u"speed_max"_qs, l.light.speedMax}}},
        {u"keyboard"_qs, QJsonObject{{u"bk_color"_qs, CString::number(p.bkColor, 16).toUpper()},
                                     {u"xpos"_qs, p.xpos}, {u"ypos"_qs, p.ypos},
                                     {u"width"_qs, p.width}, {u"height"_qs, p.height},
                                     {u"image"_qs, p.image},
                                     {u"row_count"_qs, p.rowCount}, {u"col_count"_qs, p.colCount}}},
        {u"keys"_qs, keys},
        {u"issues"_qs, issues},
    };
}

CString LayoutText(const CString& path, const LayoutCheck& check)
{
    const LayoutFile& l = check.layout;
    CString t = CString(u"layout %1\n"_qs).arg(path);
    if (!check.loaded) return t;
    t += u"  pages (cable)     "_qs + PageNames(l.pageFlagsCable) + u"\n"_qs;
    t += u"  pages (receiver)  "_qs + PageNames(l.pageFlagsReceiver) + u"\n"_qs;
    t += CString(u"  function          fn_layer %1, sleep_time %2, key_respondtime %3\n"_qs)
             .arg(l.fnLayer).arg(l.sleepTime).arg(l.keyRespondTime);
    t += CString(u"  firmware          version \"%1\", file \"%2\", url %3\n"_qs)
             .arg(l.firmware.version, l.firmware.file, l.firmware.url);
    t += CString(u"  command delay     %1 ms\n"_qs).arg(l.commandDelay);
    if (l.hasScreen)
        t += CString(u"  screen            %1 x %2, head %3 bytes, %4 frames, %5 slots\n"_qs)
                 .arg(l.screen.width).arg(l.screen.height).arg(l.screen.headLength)
                 .arg(l.screen.maxFrames).arg(l.screen.count);
    t += CString(u"  light             %1, mode %2, brightness %3/%4, speed %5/%6\n"_qs)
             .arg(l.IsRgb() ? u"per-key RGB"_qs : u"single colour"_qs)
             .arg(l.light.defaultMode).arg(l.light.defaultBrightness).arg(l.light.brightnessMax)
             .arg(l.light.defaultSpeed).arg(l.light.speedMax);
    const KeyboardPicture& p = l.picture;
    t += CString(u"  picture           %1, %2 x %3 at (%4, %5), background 0x%6, grid %7 x %8\n"_qs)
             .arg(p.image).arg(p.width).arg(p.height).arg(p.xpos).arg(p.ypos)
             .arg(CString::number(p.bkColor, 16).toUpper().rightJustified(8, u'0'))
             .arg(p.rowCount).arg(p.colCount);
    t += CString(u"  keys              %1\n"_qs).arg(l.keys.size());
    t += u"    code  name          key light  rect (l, t, r, b)       row_col  fn\n"_qs;
    for (const LayoutKey& k : l.keys) {
        t += CString(u"    %1    %2 %3 %4  %5 %6  %7\n"_qs)
                 .arg(HexCode(k.code), k.name.leftJustified(13))
                 .arg(k.keyIndex, 3).arg(k.lightIndex, 5)
                 .arg(CString(u"(%1, %2, %3, %4)"_qs).arg(k.rect.left).arg(k.rect.top).arg(k.rect.right)
                          .arg(k.rect.bottom).leftJustified(22))
                 .arg(k.rowCol.leftJustified(7))
                 .arg(k.fnDisabled ? u"off"_qs : CString());
    }
    return t;
}

// Layout names of the catalogue, or the words given (names or file paths).
QStringList LayoutPaths(const CommandLine& line, CString& error)
{
    QStringList paths;
    QStringList names = line.words;
    if (names.isEmpty()) {
        Catalogue catalogue;
        if (!ReadCatalogue(line.programFolder + u"/config.xml"_qs, line.programFolder, catalogue)) {
            error = u"cannot read the catalogue in "_qs + line.programFolder;
            return paths;
        }
        for (const DeviceEntry& k : catalogue.keyboards)
            if (!names.contains(k.deviceInfo)) names << k.deviceInfo;
    }
    for (const CString& n : names) {
        if (n.endsWith(u".xml"_qs) || n.contains(u'/'))
            paths << n;
        else
            paths << line.programFolder + u"/layouts/"_qs + n + u".xml"_qs;
    }
    return paths;
}

}  // namespace

int RunLayoutCommand(const CommandLine& line)
{
    CString error;
    const QStringList paths = LayoutPaths(line, error);
    if (!error.isEmpty()) {
        PrintError(u"varnetctl: "_qs + error + u"\n"_qs);
        return 1;
    }
    bool anyProblem = false;
    QJsonArray all;
    for (const CString& path : paths) {
        const LayoutCheck check = CheckLayout(path);
        anyProblem = anyProblem || !check.issues.empty();
        if (line.json) {
            all.append(LayoutJson(path, check));
            continue;
        }
        Print(LayoutText(path, check));
        for (const LayoutIssue& i : check.issues)
            PrintError(CString(u"%1:%2: %3\n"_qs).arg(path).arg(i.line).arg(i.message));
        Print(check.issues.empty() ? u"  check             ok\n\n"_qs
                                   : CString(u"  check             %1 problem(s)\n\n"_qs).arg(check.issues.size()));
    }
    if (line.json) Print(QString::fromUtf8(QJsonDocument(all).toJson()));
    return anyProblem ? 1 : 0;
}
