// Draws Varnet's skin (every picture the program names) into a program
// folder at build time:
//   oxa_make_skin PROGRAM_FOLDER DATA_FOLDER
// writes PROGRAM_FOLDER/skins/theme1/..., the keyboard pictures of the
// layouts in DATA_FOLDER/layouts and the device pictures named by
// DATA_FOLDER/config.xml under PROGRAM_FOLDER/device.
#include <QConicalGradient>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdio>

#include "gif_writer.h"
#include "keyboard_pictures.h"
#include "skin_painter.h"

using namespace skin;

namespace {

int g_failures = 0;

void Put(const QImage& image, const QString& path)
{
    if (!Save(image, path)) {
        std::fprintf(stderr, "oxa_make_skin: cannot write %s\n", qPrintable(path));
        ++g_failures;
    }
}

// A window background: dark gradient, a caption bar of 50 pixels and a faint
// accent glow; `glow` moves the glow (animation frames).
QImage Background(int w, int h, double glow, bool home)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, QColor(0x20, 0x21, 0x25));
    g.setColorAt(1, QColor(0x15, 0x16, 0x19));
    p.fillRect(image.rect(), g);
    QRadialGradient light(QPointF(w * (0.25 + 0.5 * glow), h * (home ? 0.55 : 0.8)), w * 0.45);
    light.setColorAt(0, QColor(0xEE, 0x6E, 0x01, home ? 70 : 38));
    light.setColorAt(1, QColor(0xEE, 0x6E, 0x01, 0));
    p.fillRect(image.rect(), light);
    p.fillRect(QRect(0, 0, w, 50), QColor(0x12, 0x13, 0x15, 230));
    p.fillRect(QRect(0, 50, w, 1), QColor(0xEE, 0x6E, 0x01, 120));
    if (!home)
        p.fillRect(QRect(0, 51, 80, h - 51), QColor(0x12, 0x13, 0x15, 180));
    p.setPen(QColor(255, 255, 255, 8));
    for (int x = -h; x < w; x += 24)
        p.drawLine(x, h, x + h, 0);
    return image;
}

QImage DialogBackground(int w, int h)
{
    QImage image = Canvas(w, h);
    QPainter p(&image);
    Plate(p, QRectF(0, 0, w, h), 12, kPanel, QColor(0x57, 0x57, 0x57), 1);
    p.fillRect(QRectF(12, 44, w - 24, 1), QColor(0xEE, 0x6E, 0x01, 140));
    return image;
}

QImage Icon(int size, const QString& glyph, const QColor& colour, qreal scale = 0.62)
{
    QImage image = Canvas(size, size);
    QPainter p(&image);
    Glyph(p, QRectF(0, 0, size, size), glyph, colour, size * scale);
    return image;
}

QImage ColourWheel(int size)
{
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QConicalGradient hue(size / 2.0, size / 2.0, 0);
    for (int i = 0; i <= 6; ++i)
        hue.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(hue);
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    QRadialGradient white(size / 2.0, size / 2.0, size / 2.0);
    white.setColorAt(0, QColor(255, 255, 255, 255));
    white.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(white);
    p.drawEllipse(QRectF(1, 1, size - 2, size - 2));
    return image;
}

std::vector<QImage> Spinner(int size, int frames)
{
    std::vector<QImage> out;
    for (int f = 0; f < frames; ++f) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(0x33, 0x33, 0x33));
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 12; ++i) {
            const double a = (i * 30 - f * 30) * M_PI / 180.0;
            const int age = (i + 12) % 12;
            QColor c = kAccent;
            c.setAlpha(40 + age * 215 / 11);
            p.setBrush(c);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(size / 2.0 + std::cos(a) * size * 0.32, size / 2.0 - std::sin(a) * size * 0.32),
                          size * 0.06, size * 0.06);
        }
        out.push_back(image);
    }
    return out;
}

void Buttons()
{
    Put(ButtonStrip(30, 30, 6, u"\u2715"_qs, 15, false), u"main_sysbtn_close.png"_qs);
    Put(ButtonStrip(30, 30, 6, u"\u2014"_qs, 15, false), u"main_sysbtn_min.png"_qs);
    Put(ButtonStrip(30, 30, 6, u"\u25CE"_qs, 16, false), u"main_sysbtn_website.png"_qs);
    Put(ButtonStrip(20, 20, 4, u"\u2715"_qs, 11, false), u"sysbtn_close.png"_qs);
    Put(ButtonStrip(100, 36, 8, QString(), 0), u"btn_apply.png"_qs);
    Put(ButtonStrip(120, 36, 8, QString(), 0), u"img_btn_layer_n.png"_qs);
    Put(Strip(120, 36, 4,
              [](QPainter& p, const QRectF& r, int s) {
                  Plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 8, s == 3 ? kControlOff : (s == 1 ? kAccentHi : kAccent));
              }),
        u"img_btn_layer_p.png"_qs);
    const struct {
        const char16_t* file;
        const char16_t* glyph;
    } small[] = {
        {u"imgbtn_add.png", u"+"},           {u"imgbtn_del.png", u"\u2212"},        {u"imgbtn_edit.png", u"\u270E"},
        {u"imgbtn_import.png", u"\u21E9"},   {u"imgbtn_export.png", u"\u21E7"},     {u"btn_record_up.png", u"\u25B2"},
        {u"btn_record_down.png", u"\u25BC"}, {u"btn_record_del.png", u"\u2715"},    {u"btn_openfile.png", u"\u2026"},
        {u"imgbtn_lcd_addtext.png", u"T"},   {u"imgbtn_lcd_add.png", u"+"},         {u"imgbtn_lcd_copy.png", u"\u274F"},
        {u"imgbtn_lcd_edit.png", u"\u270E"}, {u"imgbtn_lcd_erase.png", u"\u232B"},  {u"imgbtn_lcd_del.png", u"\u2715"},
        {u"imgbtn_lcd_revoke.png", u"\u21B6"},
    };
    for (const auto& b : small) {
        const bool lcd = QStringView(b.file).startsWith(u"imgbtn_lcd");
        const int size = lcd ? 32 : (QStringView(b.file).startsWith(u"btn_") ? 24 : 28);
        Put(ButtonStrip(size, size, 6, QString::fromUtf16(b.glyph), size * 0.55),
            QString::fromUtf16(b.file));
    }
    Put(ButtonStrip(30, 30, 6, u"\u2026"_qs, 16), u"btn_openfile.png"_qs);
}

void Boxes()
{
    Put(CheckStrip(20, true), u"btn_radiobox.png"_qs);
    Put(CheckStrip(20, false), u"btn_checkbox.png"_qs);
    const struct {
        const char16_t* file;
        const char16_t* glyph;
    } dirs[] = {{u"img_direction_right.png", u"\u2192"}, {u"img_direction_left.png", u"\u2190"},
                {u"img_direction_top.png", u"\u2191"}, {u"img_direction_bottom.png", u"\u2193"}};
    for (const auto& d : dirs)
        Put(Strip(36, 36, 8,
                  [&](QPainter& p, const QRectF& r, int f) {
                      const int s = f % 4;
                      const bool on = f >= 4;
                      Plate(p, r.adjusted(1, 1, -1, -1), 6, on ? kAccent : StateFill(s),
                            s == 1 ? kAccentHi : QColor(255, 255, 255, 30));
                      Glyph(p, r, QString::fromUtf16(d.glyph), s == 3 ? kTextDim : Qt::white, 20);
                  }),
            QString::fromUtf16(d.file));
}

void Fields()
{
    Put(Strip(40, 30, 4,
              [](QPainter& p, const QRectF& r, int s) {
                  Plate(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 6, s == 3 ? kControlOff : QColor(0x17, 0x18, 0x1B),
                        s == 0 ? QColor(0x57, 0x57, 0x57) : s == 3 ? QColor(0x3A, 0x3A, 0x3A) : kAccent);
              }),
        u"img_edit.png"_qs);
    QImage key = Canvas(200, 36);
    {
        QPainter p(&key);
        Plate(p, QRectF(0.5, 0.5, 199, 35), 6, QColor(0x17, 0x18, 0x1B), kAccent);
    }
    Put(key, u"img_key_edit.png"_qs);
    QImage combo = Canvas(160, 36);
    {
        QPainter p(&combo);
        Plate(p, QRectF(0.5, 0.5, 159, 35), 6, kControl, QColor(0x57, 0x57, 0x57));
        p.fillRect(QRectF(133, 6, 1, 24), QColor(255, 255, 255, 40));
        Glyph(p, QRectF(134, 0, 26, 36), u"\u25BE"_qs, kText, 14);
    }
    Put(combo, u"img_combobox.png"_qs);
    Put(Strip(12, 12, 2,
              [](QPainter& p, const QRectF& r, int f) {
                  p.setRenderHint(QPainter::Antialiasing);
                  p.setPen(Qt::NoPen);
                  p.setBrush(f ? QColor(Qt::white) : kAccent);
                  p.drawEllipse(r.adjusted(3, 3, -3, -3));
              }),
        u"icon/icon_circle.png"_qs);
    QImage tip = Canvas(40, 30);
    {
        QPainter p(&tip);
        Plate(p, QRectF(0.5, 0.5, 39, 29), 6, QColor(0x2E, 0x30, 0x36, 245), kAccent);
    }
    Put(tip, u"img_tip_bk.png"_qs);
    const struct {
        const char16_t* file;
        QPolygonF shape;
        int w, h;
    } arrows[] = {
        {u"img_tip_arrow_left.png", QPolygonF({QPointF(10, 0), QPointF(0, 7), QPointF(10, 14)}), 10, 14},
        {u"img_tip_arrow_right.png", QPolygonF({QPointF(0, 0), QPointF(10, 7), QPointF(0, 14)}), 10, 14},
        {u"img_tip_arrow_top.png", QPolygonF({QPointF(0, 10), QPointF(7, 0), QPointF(14, 10)}), 14, 10},
    };
    for (const auto& a : arrows) {
        QImage img = Canvas(a.w, a.h);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kAccent);
        p.drawPolygon(a.shape);
        p.end();
        Put(img, QString::fromUtf16(a.file));
    }
    // Scroll bar fallbacks: three parts (track, thumb under the mouse, thumb).
    Put(Strip(4, 72, 3,
              [](QPainter& p, const QRectF& r, int f) {
                  const QColor c[3] = {QColor(255, 255, 255, 28), kAccent, QColor(0x8A, 0x8A, 0x8A)};
                  Plate(p, r, 2, c[f]);
              }),
        u"img_scroll_v.png"_qs);
    QImage h = Canvas(22, 18);
    {
        QPainter p(&h);
        const QColor c[3] = {QColor(255, 255, 255, 28), kAccent, QColor(0x8A, 0x8A, 0x8A)};
        for (int i = 0; i < 3; ++i)
            Plate(p, QRectF(0, i * 6, 22, 6), 3, c[i]);
    }
    Put(h, u"img_scroll_h.png"_qs);
}

void Icons()
{
    const struct {
        const char16_t* name;
        const char16_t* glyph;
    } pages[] = {
        {u"home", u"\u2302"},        {u"customkey", u"\u2328"}, {u"macro", u"M"},     {u"light", u"\u2600"},
        {u"tft", u"\u25A3"},         {u"userlight", u"\u25C9"}, {u"customlight", u"\u2726"},
        {u"music", u"\u266B"},       {u"config", u"\u2699"},
    };
    for (const auto& pg : pages) {
        const QString glyph = QString::fromUtf16(pg.glyph);
        Put(Strip(60, 60, 4,
                  [&](QPainter& p, const QRectF& r, int s) {
                      if (s == 1 || s == 2)
                          Plate(p, r.adjusted(4, 4, -4, -4), 10, s == 2 ? QColor(0xEE, 0x6E, 0x01, 60) : QColor(255, 255, 255, 20));
                      if (s == 2)
                          p.fillRect(QRectF(r.left(), r.top() + 14, 3, 32), kAccent);
                      Glyph(p, r, glyph, s == 3 ? kTextDim : (s == 0 ? kText : kAccent), 28);
                  }),
            u"icon/tab_"_qs + QString::fromUtf16(pg.name) + u".png"_qs);
        const QString page = QString::fromUtf16(pg.name);
        if (page != u"home" && page != u"customkey")
            Put(Icon(36, glyph, kAccent), u"icon/icon_"_qs + page + u".png"_qs);
    }
    Put(Icon(36, u"\u2328"_qs, kAccent), u"icon/icon_keyboard.png"_qs);
    Put(Icon(36, u"\u2328"_qs, kAccent), u"logo/icon_keyboard.png"_qs);
    const struct {
        const char16_t* name;
        const char16_t* glyph;
    } functions[] = {
        {u"pc", u"\u25AD"},       {u"cal", u"\u00B1"},      {u"email", u"\u2709"},       {u"multimedia", u"\u266A"},
        {u"playpause", u"\u25BA"}, {u"stop", u"\u25A0"},    {u"pre", u"\u00AB"},         {u"next", u"\u00BB"},
        {u"vol_up", u"+"},        {u"vol_down", u"\u2212"}, {u"vol_mute", u"\u2715"},    {u"home", u"\u2302"},
        {u"web_refresh", u"\u21BB"}, {u"web_stop", u"\u25A0"}, {u"web_backward", u"\u2190"}, {u"web_foreward", u"\u2192"},
        {u"favorites", u"\u2605"}, {u"web_search", u"\u2315"},
    };
    for (const auto& f : functions)
        Put(Icon(20, QString::fromUtf16(f.glyph), kText, 0.75), u"icon/icon_"_qs + QString::fromUtf16(f.name) + u".png"_qs);
    // Battery: outline, level bar (cropped by the level), charging mark.
    QImage outline = Canvas(44, 22), level = Canvas(44, 22), charge = Canvas(14, 22);
    {
        QPainter p(&outline);
        Plate(p, QRectF(1, 1, 38, 20), 4, Qt::transparent, kText, 1.5);
        p.fillRect(QRectF(40, 7, 3, 8), kText);
        QPainter q(&level);
        Plate(q, QRectF(4, 4, 32, 14), 2, QColor(0x4C, 0xD9, 0x64));
        QPainter c(&charge);
        Glyph(c, QRectF(0, 0, 14, 22), u"\u26A1"_qs, kAccent, 16);
    }
    Put(outline, u"icon/icon_battery_bkg.png"_qs);
    Put(level, u"icon/icon_batteryvalue.png"_qs);
    Put(charge, u"icon/icon_charge.png"_qs);
    const struct {
        const char16_t* file;
        const char16_t* text;
    } modes[] = {{u"icon/usb_mode.png", u"USB"}, {u"icon/bt_mode.png", u"BT"}, {u"icon/24g_mode.png", u"2.4G"}};
    for (const auto& m : modes) {
        // The pill fills the left 46 pixels only: the website button sits
        // over the right part of the mode picture's place.
        QImage img = Canvas(79, 28);
        QPainter p(&img);
        Plate(p, QRectF(0.5, 0.5, 45, 27), 6, QColor(255, 255, 255, 16), QColor(255, 255, 255, 60));
        Glyph(p, QRectF(0, 0, 46, 28), QString::fromUtf16(m.text), kText, 12);
        p.end();
        Put(img, QString::fromUtf16(m.file));
    }
    QImage help = Canvas(21, 21);
    {
        QPainter p(&help);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kAccent, 1.5));
        p.drawEllipse(QRectF(1, 1, 19, 19));
        Glyph(p, QRectF(0, 0, 21, 21), u"?"_qs, kAccent, 13);
    }
    Put(help, u"img_help.png"_qs);
    // Narrow enough that the page title beside it ends before the page icon.
    QImage logo = Canvas(104, 36);
    {
        QPainter p(&logo);
        Plate(p, QRectF(0, 6, 24, 24), 6, kAccent);
        Glyph(p, QRectF(0, 6, 24, 24), u"V"_qs, Qt::white, 16, true);
        Glyph(p, QRectF(28, 0, 76, 36), u"VARNET"_qs, kText, 16, true);
    }
    Put(logo, u"logo/logo.png"_qs);
    Put(ColourWheel(130), u"img_circlepalette.png"_qs);
    QImage marker = Canvas(8, 8), hue = Canvas(20, 30);
    {
        QPainter p(&marker);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 1.5));
        p.drawEllipse(QRectF(1, 1, 6, 6));
        QPainter q(&hue);
        q.setRenderHint(QPainter::Antialiasing);
        q.setPen(Qt::NoPen);
        q.setBrush(Qt::white);
        q.drawPolygon(QPolygonF({QPointF(4, 0), QPointF(16, 0), QPointF(10, 8)}));
    }
    Put(marker, u"icon/icon_palette_bar2.png"_qs);
    Put(hue, u"icon/icon_palette_bar1.png"_qs);
}

void Screens()
{
    for (int hover = 0; hover < 2; ++hover) {
        QImage tile = Canvas(178, 131);
        QPainter p(&tile);
        Plate(p, QRectF(0.5, 0.5, 177, 130), 8, QColor(255, 255, 255, hover ? 24 : 10), hover ? kAccent : QColor(0x57, 0x57, 0x57),
              hover ? 2 : 1);
        p.end();
        Put(tile, hover ? u"lcdlist_item_hover.png"_qs : u"lcdlist_item_normal.png"_qs);
    }
    QImage add = Canvas(169, 100);
    {
        QPainter p(&add);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kTextDim, 1.5, Qt::DashLine));
        p.drawRoundedRect(QRectF(1, 1, 167, 98), 8, 8);
        Glyph(p, QRectF(0, 0, 169, 100), u"+"_qs, kTextDim, 40);
    }
    Put(add, u"icon/icon_lcd_add.png"_qs);
    Put(DialogBackground(380, 200), u"bk_prompt.png"_qs);
    Put(DialogBackground(634, 310), u"updatetips_bkg.png"_qs);
    Put(DialogBackground(395, 150), u"img_loading_bkg.png"_qs);
}

// The program's icon (window and notification area), beside the program.
void ProgramIcon(const QString& programFolder)
{
    QImage icon = Canvas(64, 64);
    {
        QPainter p(&icon);
        Plate(p, QRectF(2, 2, 60, 60), 14, kAccent);
        Glyph(p, QRectF(0, 2, 64, 60), u"V"_qs, Qt::white, 40, true);
    }
    QImageWriter writer(programFolder + u"/Varnet.ico"_qs, "ico");
    if (!writer.write(icon)) {
        std::fprintf(stderr, "oxa_make_skin: cannot write Varnet.ico: %s\n", qPrintable(writer.errorString()));
        ++g_failures;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: oxa_make_skin PROGRAM_FOLDER DATA_FOLDER\n");
        return 2;
    }
    const QString program = QString::fromLocal8Bit(argv[1]);
    const QString data = QString::fromLocal8Bit(argv[2]);
    SetOutputFolder(program + u"/skins/theme1"_qs);
    Put(Background(1280, 720, 0.5, false), u"main_bkg.png"_qs);
    Put(Background(1280, 720, 0.5, true), u"home_bkg.png"_qs);
    std::vector<QImage> frames;
    for (int i = 0; i < 8; ++i)
        frames.push_back(Background(1280, 720, 0.5 + 0.4 * std::sin(i * M_PI / 4), true));
    if (!WriteAnimatedGif(OutputFolder() + u"/main_bkg.gif"_qs, frames, 100))
        ++g_failures;
    if (!WriteAnimatedGif(OutputFolder() + u"/loading.gif"_qs, Spinner(102, 12), 80))
        ++g_failures;
    Buttons();
    Boxes();
    Fields();
    Icons();
    Screens();
    ProgramIcon(program);
    const int keyboards = WriteKeyboardPictures(data + u"/layouts"_qs);
    const int devices = WriteDevicePictures(data + u"/config.xml"_qs, program + u"/device"_qs);
    std::printf("oxa_make_skin: skin written to %s (%d keyboard, %d device pictures)\n", qPrintable(OutputFolder()),
                keyboards, devices);
    return g_failures ? 1 : 0;
}
