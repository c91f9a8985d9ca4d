// Key bindings, key actions, macros and their events.
#include "store_fixture.h"

namespace {

class KeyMacroTest : public StoreTest {
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        ASSERT_TRUE(Open());
    }
    static KeyBindingRecord Binding(int profile, int layer, int keyCode, int type, int value, int value2 = 0)
    {
        KeyBindingRecord b;
        b.profile = profile;
        b.fn_layer = layer;
        b.key_code = keyCode;
        b.macro_type = type;
        b.macro_value = value;
        b.macro_value2 = value2;
        return b;
    }
    int RowCount(const char* table)
    {
        RawDatabase db(PathOf(u"vn87"_qs));
        return db.Number((QByteArray("SELECT count(*) FROM ") + table).constData());
    }
};

TEST_F(KeyMacroTest, SaveKeyBindingKeepsOneRowPerKey)
{
    KeyBindingRecord b = Binding(1, 0, 41, 2, 7);
    b.layout_value = 0x29;
    b.layout_desc = u"Esc"_qs;
    b.macro_value3 = 9;
    b.macro_desc = u"说明"_qs;
    const int first = Store().SaveKeyBinding(b);
    EXPECT_EQ(first, 1);

    KeyBindingRecord read;
    ASSERT_TRUE(Store().GetKeyBinding(1, 0, 41, read));
    EXPECT_EQ(read.key_id, 1);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.fn_layer, 0);
    EXPECT_EQ(read.key_code, 41);
    EXPECT_EQ(read.layout_value, 0x29);
    EXPECT_EQ(read.layout_desc, u"Esc"_qs);
    EXPECT_EQ(read.macro_type, 2);
    EXPECT_EQ(read.macro_value, 7);
    EXPECT_EQ(read.macro_value2, 0);
    EXPECT_EQ(read.macro_value3, 9);
    EXPECT_EQ(read.macro_desc, u"说明"_qs);

    // The same key on the other layer and in another profile is another row.
    EXPECT_GT(Store().SaveKeyBinding(Binding(1, 1, 41, 2, 8)), 0);
    EXPECT_GT(Store().SaveKeyBinding(Binding(2, 0, 41, 2, 9)), 0);

    // Saving again replaces, never duplicates; only macro_value2 set counts.
    const int replaced = Store().SaveKeyBinding(Binding(1, 0, 41, 5, 0, 3));
    EXPECT_GT(replaced, first);
    ASSERT_TRUE(Store().GetKeyBinding(1, 0, 41, read));
    EXPECT_EQ(read.key_id, replaced);
    EXPECT_EQ(read.macro_type, 5);
    EXPECT_EQ(read.macro_value2, 3);
    EXPECT_EQ(RowCount("t_key_macro_data"), 3);

    // Both values 0: back to default, no row.
    EXPECT_EQ(Store().SaveKeyBinding(Binding(1, 0, 41, 2, 0, 0)), 0);
    EXPECT_FALSE(Store().GetKeyBinding(1, 0, 41, read));
    EXPECT_EQ(RowCount("t_key_macro_data"), 2);

    // key_code 0 is never stored and touches nothing.
    EXPECT_EQ(Store().SaveKeyBinding(Binding(1, 1, 0, 2, 7)), 0);
    EXPECT_EQ(RowCount("t_key_macro_data"), 2);
}

TEST_F(KeyMacroTest, ListBindingsByLayerAndProfile)
{
    Store().SaveKeyBinding(Binding(1, 0, 4, 2, 1));
    Store().SaveKeyBinding(Binding(1, 1, 5, 2, 1));
    Store().SaveKeyBinding(Binding(1, 0, 6, 2, 1));
    Store().SaveKeyBinding(Binding(2, 0, 7, 2, 1));
    std::vector<KeyBindingRecord> list;
    ASSERT_EQ(Store().ListLayerBindings(1, 0, list), 2);
    EXPECT_EQ(list[0].key_code, 4);
    EXPECT_EQ(list[1].key_code, 6);
    EXPECT_EQ(Store().ListLayerBindings(1, 1, list), 1);
    EXPECT_EQ(Store().ListProfileBindings(1, list), 3);
    EXPECT_EQ(Store().ListProfileBindings(3, list), 0);
    EXPECT_TRUE(list.empty());
}

TEST_F(KeyMacroTest, KeyActionsReadBackAndMissingOnesKeepTheOutputs)
{
    const int id = Store().InsertKeyAction(u"记事本"_qs, u"/usr/bin/editor --new"_qs, 4);
    EXPECT_EQ(id, 1);
    CString desc, param;
    int type = 0;
    EXPECT_TRUE(Store().GetKeyAction(id, desc, param, type));
    EXPECT_EQ(desc, u"记事本"_qs);
    EXPECT_EQ(param, u"/usr/bin/editor --new"_qs);
    EXPECT_EQ(type, 4);

    desc = u"caller's"_qs;
    param = u"values"_qs;
    type = -5;
    EXPECT_TRUE(Store().GetKeyAction(99, desc, param, type));
    EXPECT_EQ(desc, u"caller's"_qs);
    EXPECT_EQ(param, u"values"_qs);
    EXPECT_EQ(type, -5);
}

TEST_F(KeyMacroTest, MacroSettings)
{
    const int plain = Store().InsertMacro(u"plain"_qs);
    MacroRecord m;
    ASSERT_TRUE(Store().GetMacro(plain, m));
    EXPECT_EQ(m.macro_id, plain);
    EXPECT_EQ(m.play_times, 1);
    EXPECT_EQ(m.delay_type, 1);
    EXPECT_EQ(m.delay_time, 0);
    EXPECT_EQ(m.link_count, 0);
    EXPECT_EQ(m.name, u"plain"_qs);

    MacroRecord set{0, 3, 2, 250, 4, u"set"_qs};
    const int withSettings = Store().InsertMacroWithSettings(set);
    ASSERT_TRUE(Store().GetMacro(withSettings, m));
    EXPECT_EQ((std::vector<int>{m.play_times, m.delay_type, m.delay_time, m.link_count}),
              (std::vector<int>{3, 2, 250, 4}));

    // Playback update changes the three playback values only.
    EXPECT_TRUE(Store().UpdateMacroPlayback({plain, 9, 3, 40, 77, u"ignored"_qs}));
    EXPECT_TRUE(Store().RenameMacro(plain, u"renamed"_qs));
    ASSERT_TRUE(Store().GetMacro(plain, m));
    EXPECT_EQ((std::vector<int>{m.play_times, m.delay_type, m.delay_time, m.link_count}),
              (std::vector<int>{9, 3, 40, 0}));
    EXPECT_EQ(m.name, u"renamed"_qs);
    EXPECT_FALSE(Store().GetMacro(99, m));

    std::vector<MacroRecord> list;
    ASSERT_EQ(Store().ListMacros(list), 2);
    EXPECT_EQ(list[1].name, u"set"_qs);
}

TEST_F(KeyMacroTest, EventsListInRecordOrder)
{
    const int macro = Store().InsertMacro(u"m"_qs);
    const int other = Store().InsertMacro(u"other"_qs);
    std::vector<MacroEventRecord> events;
    for (int index : {2, 0, 3, 1}) {
        MacroEventRecord e;
        e.record_id = 500 + index;  // ignored: new identifiers are assigned
        e.macro_id = macro;
        e.type = 1;
        e.record_index = index;
        e.desc = QString(u"键%1"_qs).arg(index);
        e.value = 4 + index;
        e.delay_time = 10 * index;
        events.push_back(e);
    }
    Store().InsertMacroEvents(events);
    EXPECT_EQ(Store().InsertMacroEvent(other, 2, 0, u"x"_qs, 1, 5), 5);

    std::vector<MacroEventRecord> read;
    ASSERT_EQ(Store().ListMacroEvents(macro, read), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(read[i].record_index, i);
        EXPECT_EQ(read[i].desc, QString(u"键%1"_qs).arg(i));
        EXPECT_EQ(read[i].value, 4 + i);
        EXPECT_EQ(read[i].delay_time, 10 * i);
        EXPECT_LE(read[i].record_id, 4);
    }
    EXPECT_EQ(Store().CountMacroEvents(macro), 4);
    EXPECT_EQ(Store().CountAllMacroEvents(), 5);
    EXPECT_TRUE(Store().DeleteMacroEvents(macro));
    EXPECT_EQ(Store().CountMacroEvents(macro), 0);
    EXPECT_EQ(Store().CountAllMacroEvents(), 1);
}

TEST_F(KeyMacroTest, DeleteMacroRemovesItsBindingsInEveryProfile)
{
    const int macro = Store().InsertMacro(u"gone"_qs);
    const int kept = Store().InsertMacro(u"kept"_qs);
    Store().InsertMacroEvent(macro, 1, 0, u"a"_qs, 4, 0);
    Store().InsertMacroEvent(kept, 1, 0, u"b"_qs, 5, 0);
    Store().SaveKeyBinding(Binding(1, 0, 10, 3, macro));
    Store().SaveKeyBinding(Binding(2, 0, 11, 3, macro));
    Store().SaveKeyBinding(Binding(3, 1, 12, 3, macro));
    Store().SaveKeyBinding(Binding(1, 0, 13, 3, kept));
    Store().SaveKeyBinding(Binding(1, 0, 14, 2, macro));  // not a macro binding, same value

    EXPECT_TRUE(Store().DeleteMacro(macro));
    MacroRecord m;
    EXPECT_FALSE(Store().GetMacro(macro, m));
    EXPECT_TRUE(Store().GetMacro(kept, m));
    EXPECT_EQ(Store().CountMacroEvents(macro), 0);
    EXPECT_EQ(Store().CountMacroEvents(kept), 1);
    RawDatabase db(PathOf(u"vn87"_qs));
    EXPECT_EQ(db.Rows("SELECT key_code FROM t_key_macro_data ORDER BY key_code"),
              (QStringList{u"13"_qs, u"14"_qs}));
}

}  // namespace
