#include "store/schema.h"

// Every table's first column is an AUTOINCREMENT key, so identifiers are
// never reused after deletes and rows left under an old identifier never
// attach to a new object.
const std::array<const char*, 25>& SchemaStatements()
{
    static const std::array<const char*, 25> statements = {
        "CREATE TABLE IF NOT EXISTS t_config_data (config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "profile INTEGER, key TEXT, value TEXT);",

        "CREATE TABLE IF NOT EXISTS t_profile_data (profile INTEGER PRIMARY KEY AUTOINCREMENT, "
        "name TEXT, status INTEGER, app TEXT, type INTEGER);",
        "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile);",

        "CREATE TABLE IF NOT EXISTS t_key_macro_data (key_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, "
        "macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, "
        "macro_desc TEXT);",
        "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id);",

        "CREATE TABLE IF NOT EXISTS t_key_otherdata (macro_value INTEGER PRIMARY KEY AUTOINCREMENT, "
        "macro_desc TEXT, param TEXT, type INTEGER);",
        "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value);",

        "CREATE TABLE IF NOT EXISTS t_macro_data (macro_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "play_times INTEGER, delay_type INTEGER, delay_time INTEGER, link_count INTEGER, name TEXT);",
        "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id);",

        "CREATE TABLE IF NOT EXISTS t_macrorecord (record_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
        "delay_time INTEGER);",
        "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id);",

        "CREATE TABLE IF NOT EXISTS t_light_data (light_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
        "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, "
        "config_func INTEGER, reserved INTEGER, status INTEGER);",
        "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id);",

        "CREATE TABLE IF NOT EXISTS t_userlight_data (userlight_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "profile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, status INTEGER);",
        "CREATE INDEX IF NOT EXISTS userlightindex ON t_userlight_data(userlight_id);",

        "CREATE TABLE IF NOT EXISTS t_userlightrgb_data (userlightrgb_id INTEGER PRIMARY KEY "
        "AUTOINCREMENT, profile INTEGER, userlight_id INTEGER, key_code INTEGER, key_rgb INTEGER);",
        "CREATE INDEX IF NOT EXISTS userlightrgbindex ON t_userlightrgb_data(userlightrgb_id);",

        "CREATE TABLE IF NOT EXISTS t_customlight_data (customlight_id INTEGER PRIMARY KEY "
        "AUTOINCREMENT, profile INTEGER, name TEXT, speed INTEGER, brightness INTEGER, "
        "status INTEGER);",
        "CREATE INDEX IF NOT EXISTS customlightindex ON t_customlight_data(customlight_id);",

        "CREATE TABLE IF NOT EXISTS t_customrgb_data (customrgb_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "customlight_id INTEGER, keycode INTEGER, rgbvalue INTEGER, light_mode INTEGER, "
        "colortype INTEGER, light_type INTEGER);",
        "CREATE INDEX IF NOT EXISTS customrgbindex ON t_customrgb_data(customrgb_id);",

        "CREATE TABLE IF NOT EXISTS t_musiclayer_data (layer_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "profile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, fore_amplitude INTEGER, "
        "backmode INTEGER, backb_right INTEGER, sel INTEGER);",
        "CREATE INDEX IF NOT EXISTS musiclayerindex ON t_musiclayer_data(layer_id);",

        "CREATE TABLE IF NOT EXISTS t_ledlayer_data (led_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "profile INTEGER, type INTEGER, name TEXT, frame_size INTEGER, file_dir TEXT, "
        "first_file TEXT);",

        "CREATE TABLE IF NOT EXISTS t_ledframe_data (frame_id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "led_id INTEGER, name TEXT, delay_time INTEGER, frame_index INTEGER, file_name TEXT);",
    };
    return statements;
}

const std::array<DefaultConfigEntry, 23>& DefaultConfigEntries()
{
    static const std::array<DefaultConfigEntry, 23> entries = {{
        {"version", "1.0.1"},
        {"keyboard_layout", "1"},
        {"fn_layer", "0"},
        {"fn_switch", "0"},
        {"lightmode", "1"},
        {"sleep_time", "1"},
        {"key_respondtime", "2"},
        {"sleep_light", "0"},
        {"userlight", "0"},
        {"customlight", "0"},
        {"customlight_run", "0"},
        {"gamemode", "0"},
        {"disable_alttab", "0"},
        {"disable_altf4", "0"},
        {"disable_win", "0"},
        {"default_color1", "8331093"},   // 0x7F1F55
        {"default_color2", "4114939"},   // 0x3EC9FB
        {"default_color3", "65280"},     // 0x00FF00
        {"default_color4", "16776960"},  // 0xFFFF00
        {"default_color5", "255"},       // 0x0000FF
        {"default_color6", "14237951"},  // 0xD940FF
        {"default_color7", "14237951"},
        {"default_color8", "16777215"},  // white
    }};
    return entries;
}
