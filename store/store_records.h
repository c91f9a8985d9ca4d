#pragma once
// In-memory rows of the store's tables. Each record has one field per table
// column, in column order and named like the column; integers are 32-bit,
// text is UTF-16 (stored as UTF-8). A null text column reads as empty.
#include "platform/cstring.h"

// t_profile_data
struct ProfileRecord {
    int profile = 0;
    CString name;
    int status = 0;  // 1 = the chosen profile
    CString app;
    int type = 0;
};

// t_key_macro_data: one reassigned key.
struct KeyBindingRecord {
    int key_id = 0;
    int profile = 0;
    int fn_layer = 0;
    int key_code = 0;
    int layout_value = 0;
    CString layout_desc;
    int macro_type = 0;
    int macro_value = 0;
    int macro_value2 = 0;
    int macro_value3 = 0;
    CString macro_desc;
};

// t_macro_data
struct MacroRecord {
    int macro_id = 0;
    int play_times = 0;
    int delay_type = 0;
    int delay_time = 0;
    int link_count = 0;
    CString name;
};

// t_macrorecord: one event of a macro.
struct MacroEventRecord {
    int record_id = 0;
    int macro_id = 0;
    int type = 0;
    int record_index = 0;
    CString desc;
    int value = 0;
    int delay_time = 0;
};

// t_light_data: one preset light mode.
struct LightModeRecord {
    int light_id = 0;
    int profile = 0;
    CString name;
    int mode = 0;
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    int color_value = 0;
    int config_func = 0;
    int reserved = 0;
    int status = 0;
};

// t_userlight_data: a per-key static colour set.
struct UserLightRecord {
    int userlight_id = 0;
    int profile = 0;
    CString name;
    int speed = 0;
    int brightness = 0;
    int status = 0;
};

// t_userlightrgb_data: one key's colour in a set.
struct UserLightColourRecord {
    int userlightrgb_id = 0;
    int profile = 0;
    int userlight_id = 0;
    int key_code = 0;
    int key_rgb = 0;  // COLORREF
};

// t_customlight_data: a per-key animated effect.
struct CustomLightRecord {
    int customlight_id = 0;
    int profile = 0;
    CString name;
    int speed = 0;
    int brightness = 0;
    int status = 0;
};

// t_customrgb_data: one key of an effect.
struct CustomKeyRecord {
    int customrgb_id = 0;
    int customlight_id = 0;
    int keycode = 0;
    int rgbvalue = 0;
    int light_mode = 0;
    int colortype = 0;
    int light_type = 0;
};

// t_musiclayer_data
struct MusicLayerRecord {
    int layer_id = 0;
    int profile = 0;
    CString name;
    int deviceindex = 0;
    int foremode = 0;
    int fore_amplitude = 0;
    int backmode = 0;
    int backb_right = 0;
    int sel = 0;
};

// t_ledlayer_data: a screen animation layer.
struct ScreenLayerRecord {
    int led_id = 0;
    int profile = 0;
    int type = 0;
    CString name;
    int frame_size = 0;
    CString file_dir;
    CString first_file;
};

// t_ledframe_data: one frame of a screen layer.
struct ScreenFrameRecord {
    int frame_id = 0;
    int led_id = 0;
    CString name;
    int delay_time = 0;
    int frame_index = 0;
    CString file_name;
};
