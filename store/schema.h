#pragma once
// The statements that create a new database, in the order they run, and
// the rows of the default configuration.
#include <array>

// The 25 schema statements: tables and the indexes on their primary keys.
const std::array<const char*, 25>& SchemaStatements();

struct DefaultConfigEntry {
    const char* key;
    const char* value;  // decimal text; colours are COLORREF numbers
};

// The 23 rows of t_config_data of a new database, in insertion order.
const std::array<DefaultConfigEntry, 23>& DefaultConfigEntries();
