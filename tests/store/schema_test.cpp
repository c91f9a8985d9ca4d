// A new database holds exactly the 25 schema objects, in creation order,
// with the columns and types of the stored format, and no rows; the default
// configuration is the 23 rows of the stored format.
#include <QFileInfo>

#include "store/sqlite_statement.h"
#include "store_fixture.h"

namespace {

struct SchemaObject {
    const char* type;
    const char* name;
    const char* table;
    const char* columns;  // "name TYPE, ..." for a table; the indexed column for an index
};

const SchemaObject kSchema[] = {
    {"table", "t_config_data", "t_config_data", "config_id INTEGER, profile INTEGER, key TEXT, value TEXT"},
    {"table", "t_profile_data", "t_profile_data",
     "profile INTEGER, name TEXT, status INTEGER, app TEXT, type INTEGER"},
    {"index", "profileindex", "t_profile_data", "profile"},
    {"table", "t_key_macro_data", "t_key_macro_data",
     "key_id INTEGER, profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, "
     "layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, "
     "macro_value3 INTEGER, macro_desc TEXT"},
    {"index", "keyindex", "t_key_macro_data", "key_id"},
    {"table", "t_key_otherdata", "t_key_otherdata", "macro_value INTEGER, macro_desc TEXT, param TEXT, type INTEGER"},
    {"index", "otheridindex", "t_key_otherdata", "macro_value"},
    {"table", "t_macro_data", "t_macro_data",
     "macro_id INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER, link_count INTEGER, name TEXT"},
    {"index", "macroidindex", "t_macro_data", "macro_id"},
    {"table", "t_macrorecord", "t_macrorecord",
     "record_id INTEGER, macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
     "delay_time INTEGER"},
    {"index", "macrorecordindex", "t_macrorecord", "record_id"},
    {"table", "t_light_data", "t_light_data",
     "light_id INTEGER, profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
     "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, config_func INTEGER, "
     "reserved INTEGER, status INTEGER"},
    {"index", "lightindex", "t_light_data", "light_id"},
    {"table", "t_userlight_data", "t_userlight_data",
     "userlight_id INTEGER, profile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER"},
    {"index", "userlightindex", "t_userlight_data", "userlight_id"},
    {"table", "t_userlightrgb_data", "t_userlightrgb_data",
     "userlightrgb_id INTEGER, profile INTEGER, userlight_id INTEGER, key_code INTEGER, key_rgb INTEGER"},
    {"index", "userlightrgbindex", "t_userlightrgb_data", "userlightrgb_id"},
    {"table", "t_customlight_data", "t_customlight_data",
     "customlight_id INTEGER, profile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER"},
    {"index", "customlightindex", "t_customlight_data", "customlight_id"},
    {"table", "t_customrgb_data", "t_customrgb_data",
     "customrgb_id INTEGER, customlight_id INTEGER, keycode INTEGER, rgbvalue INTEGER, light_mode INTEGER, "
     "colortype INTEGER, light_type INTEGER"},
    {"index", "customrgbindex", "t_customrgb_data", "customrgb_id"},
    {"table", "t_musiclayer_data", "t_musiclayer_data",
     "layer_id INTEGER, profile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, "
     "fore_amplitude INTEGER, backmode INTEGER, backb_right INTEGER, sel INTEGER"},
    {"index", "musiclayerindex", "t_musiclayer_data", "layer_id"},
    {"table", "t_ledlayer_data", "t_ledlayer_data",
     "led_id INTEGER, profile INTEGER, type INTEGER, name TEXT, frame_size INTEGER, file_dir TEXT, first_file TEXT"},
    {"table", "t_ledframe_data", "t_ledframe_data",
     "frame_id INTEGER, led_id INTEGER, name TEXT, delay_time INTEGER, frame_index INTEGER, file_name TEXT"},
};

// Column list of a table as "name TYPE, ..."; also checks that only the
// first column is the key and no column has a default or NOT NULL.
QString TableColumns(RawDatabase& db, const QString& table)
{
    QStringList columns;
    const QStringList rows = db.Rows(("PRAGMA table_info(" + table + ")").toUtf8().constData());
    for (const QString& row : rows) {
        // cid|name|type|notnull|dflt_value|pk
        const QStringList f = row.split(u'|');
        const bool first = columns.isEmpty();
        EXPECT_EQ(f[3], u"0"_qs) << table.toStdString() << " " << f[1].toStdString();
        EXPECT_EQ(f[4], u"<null>"_qs) << table.toStdString() << " " << f[1].toStdString();
        EXPECT_EQ(f[5], first ? u"1"_qs : u"0"_qs) << table.toStdString() << " " << f[1].toStdString();
        columns << f[1] + u' ' + f[2];
    }
    return columns.join(u", "_qs);
}

TEST_F(StoreTest, NewDatabaseHoldsTheSchemaInCreationOrder)
{
    ASSERT_TRUE(Open(u"vn87"_qs));
    ASSERT_TRUE(QFileInfo::exists(PathOf(u"vn87"_qs)));
    RawDatabase db(PathOf(u"vn87"_qs));
    ASSERT_TRUE(db.IsOpen());

    // sqlite_sequence is SQLite's own bookkeeping table for AUTOINCREMENT.
    const QStringList objects =
        db.Rows("SELECT type, name, tbl_name, sql FROM sqlite_master WHERE name <> 'sqlite_sequence' ORDER BY rowid");
    ASSERT_EQ(objects.size(), static_cast<qsizetype>(std::size(kSchema)));
    for (size_t i = 0; i < std::size(kSchema); ++i) {
        const SchemaObject& want = kSchema[i];
        const QStringList got = objects[static_cast<qsizetype>(i)].split(u'|');
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got[0], QLatin1String(want.type));
        EXPECT_EQ(got[1], QLatin1String(want.name));
        EXPECT_EQ(got[2], QLatin1String(want.table));
        if (got[0] == u"table") {
            EXPECT_EQ(TableColumns(db, got[1]), QLatin1String(want.columns));
            EXPECT_TRUE(got[3].contains(u"INTEGER PRIMARY KEY AUTOINCREMENT"_qs)) << got[3].toStdString();
        } else {
            const QStringList indexed =
                db.Rows(("SELECT name FROM pragma_index_info('" + got[1] + "')").toUtf8().constData());
            EXPECT_EQ(indexed, QStringList{QLatin1String(want.columns)});
        }
    }
    EXPECT_EQ(db.Rows("SELECT name FROM sqlite_master WHERE type NOT IN ('table', 'index')"), QStringList{});

    // No rows anywhere.
    for (const SchemaObject& o : kSchema) {
        if (QLatin1String(o.type) == u"table") {
            EXPECT_EQ(db.Number(("SELECT count(*) FROM " + QByteArray(o.name)).constData()), 0) << o.name;
        }
    }
}

TEST_F(StoreTest, ConnectionUsesWriteAheadLogWithNormalSync)
{
    ASSERT_TRUE(Open());
    std::lock_guard guard(Store().Lock());
    SQLiteStatement st;
    ASSERT_EQ(Store().Connection().Prepare(st, "PRAGMA journal_mode", -1), 0);
    ASSERT_EQ(st.Step(), 100);
    EXPECT_STREQ(st.ColumnText(0), "wal");
    ASSERT_EQ(Store().Connection().Prepare(st, "PRAGMA synchronous", -1), 0);
    ASSERT_EQ(st.Step(), 100);
    EXPECT_EQ(st.ColumnInt(0), 1);  // NORMAL
}

TEST_F(StoreTest, DefaultConfigurationRowsInOrder)
{
    ASSERT_TRUE(Open());
    Store().InsertDefaultConfig();
    const QStringList expected = {
        u"1|version|1.0.1"_qs,         u"1|keyboard_layout|1"_qs,      u"1|fn_layer|0"_qs,
        u"1|fn_switch|0"_qs,           u"1|lightmode|1"_qs,            u"1|sleep_time|1"_qs,
        u"1|key_respondtime|2"_qs,     u"1|sleep_light|0"_qs,          u"1|userlight|0"_qs,
        u"1|customlight|0"_qs,         u"1|customlight_run|0"_qs,      u"1|gamemode|0"_qs,
        u"1|disable_alttab|0"_qs,      u"1|disable_altf4|0"_qs,        u"1|disable_win|0"_qs,
        u"1|default_color1|8331093"_qs, u"1|default_color2|4114939"_qs, u"1|default_color3|65280"_qs,
        u"1|default_color4|16776960"_qs, u"1|default_color5|255"_qs,   u"1|default_color6|14237951"_qs,
        u"1|default_color7|14237951"_qs, u"1|default_color8|16777215"_qs,
    };
    RawDatabase db(PathOf(u"vn87"_qs));
    EXPECT_EQ(db.Rows("SELECT profile, key, value FROM t_config_data ORDER BY config_id"), expected);
    // Stored as text, as the format wants.
    EXPECT_EQ(db.Rows("SELECT DISTINCT typeof(value) FROM t_config_data"), QStringList{u"text"_qs});

    CString value;
    EXPECT_TRUE(Store().GetConfigValue(1, u"default_color2"_qs, value));
    EXPECT_EQ(value, u"4114939"_qs);
}

}  // namespace
