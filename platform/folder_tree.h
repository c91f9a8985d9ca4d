#pragma once
// Creating a folder with its missing parents, and deleting a folder with
// everything in it.
#include "platform/cstring.h"

// Creates the folder and every missing parent. True when the folder exists
// as a folder afterwards (also when it existed before).
bool CreateFolderPath(const CString& path);

// Deletes the folder and all it contains, silently. Symbolic links inside
// the tree are removed as links: what they point to is never touched, and
// the deletion never leaves the tree through them. When the path itself is
// a symbolic link, only the link is removed. Mounted file systems inside the
// tree are not entered. True when everything is gone; false when the path
// does not exist or something could not be removed (what could be removed
// is removed).
bool DeleteFolderTree(const CString& path);
