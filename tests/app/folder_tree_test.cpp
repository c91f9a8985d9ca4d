// Folder creation with missing parents, and tree deletion that never leaves
// the tree through a symbolic link.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <unistd.h>

#include "platform/folder_tree.h"
#include "platform/user_folders.h"
#include "tests/app/app_test_support.h"

using namespace apptest;

namespace {

class FolderTreeTest : public ::testing::Test {
protected:
    QString Path(const QString& relative) const { return dir.path() + u'/' + relative; }
    QTemporaryDir dir;
};

TEST_F(FolderTreeTest, CreateFolderPathMakesEveryMissingLevel)
{
    EXPECT_TRUE(CreateFolderPath(Path(u"a/b/c/d"_qs)));
    EXPECT_TRUE(QFileInfo(Path(u"a/b/c/d"_qs)).isDir());
    EXPECT_TRUE(CreateFolderPath(Path(u"a/b/c/d/"_qs)));  // exists: true again
    EXPECT_TRUE(CreateFolderPath(Path(u"a//b/e"_qs)));
    EXPECT_TRUE(QFileInfo(Path(u"a/b/e"_qs)).isDir());
}

TEST_F(FolderTreeTest, CreateFolderPathFailsWhereAFileStands)
{
    WriteBytes(Path(u"file"_qs), "x");
    EXPECT_FALSE(CreateFolderPath(Path(u"file"_qs)));
    EXPECT_FALSE(CreateFolderPath(Path(u"file/sub"_qs)));
    EXPECT_FALSE(CreateFolderPath(QString()));
    EXPECT_FALSE(CreateFolderPath(Path(u"nul\u0000/x"_qs)));
}

TEST_F(FolderTreeTest, DeleteFolderTreeRemovesEverythingInside)
{
    WriteBytes(Path(u"tree/one.txt"_qs), "1");
    WriteBytes(Path(u"tree/sub/two.txt"_qs), "2");
    WriteBytes(Path(u"tree/sub/deeper/.hidden"_qs), "3");
    QDir().mkpath(Path(u"tree/empty"_qs));
    EXPECT_TRUE(DeleteFolderTree(Path(u"tree"_qs)));
    EXPECT_FALSE(QFileInfo::exists(Path(u"tree"_qs)));
    EXPECT_FALSE(DeleteFolderTree(Path(u"tree"_qs)));  // nothing left to delete
}

TEST_F(FolderTreeTest, SymbolicLinksAreRemovedButNeverFollowed)
{
    WriteBytes(Path(u"outside/keep.txt"_qs), "keep");
    WriteBytes(Path(u"outside/sub/keep2.txt"_qs), "keep");
    WriteBytes(Path(u"outside.txt"_qs), "keep");
    WriteBytes(Path(u"tree/own.txt"_qs), "own");
    QDir().mkpath(Path(u"tree/sub"_qs));
    ASSERT_EQ(::symlink(qPrintable(Path(u"outside"_qs)), qPrintable(Path(u"tree/to_folder"_qs))), 0);
    ASSERT_EQ(::symlink(qPrintable(Path(u"outside.txt"_qs)), qPrintable(Path(u"tree/sub/to_file"_qs))), 0);
    ASSERT_EQ(::symlink("../../outside", qPrintable(Path(u"tree/sub/relative"_qs))), 0);
    ASSERT_EQ(::symlink(qPrintable(Path(u"nowhere"_qs)), qPrintable(Path(u"tree/dangling"_qs))), 0);

    EXPECT_TRUE(DeleteFolderTree(Path(u"tree"_qs)));
    EXPECT_FALSE(QFileInfo::exists(Path(u"tree"_qs)));
    EXPECT_EQ(ReadBytes(Path(u"outside/keep.txt"_qs)), "keep");
    EXPECT_EQ(ReadBytes(Path(u"outside/sub/keep2.txt"_qs)), "keep");
    EXPECT_EQ(ReadBytes(Path(u"outside.txt"_qs)), "keep");
}

TEST_F(FolderTreeTest, ALinkGivenAsTheTreeIsRemovedAloneAndPathsAreChecked)
{
    WriteBytes(Path(u"target/keep.txt"_qs), "keep");
    ASSERT_EQ(::symlink(qPrintable(Path(u"target"_qs)), qPrintable(Path(u"edit"_qs))), 0);
    EXPECT_TRUE(DeleteFolderTree(Path(u"edit"_qs)));
    EXPECT_FALSE(QFileInfo(Path(u"edit"_qs)).isSymLink());
    EXPECT_EQ(ReadBytes(Path(u"target/keep.txt"_qs)), "keep");

    // A NUL would shorten the path to the folder above: refused.
    EXPECT_FALSE(DeleteFolderTree(Path(u"target"_qs) + QChar(0) + u"/x"_qs));
    EXPECT_FALSE(DeleteFolderTree(QString()));
    EXPECT_FALSE(DeleteFolderTree(u"/"_qs));
    EXPECT_TRUE(QFileInfo::exists(Path(u"target/keep.txt"_qs)));
}

TEST(UserFolders, DataFolderIsNamedAfterTheSoftwareUnderXdgDataHome)
{
    EnvironmentGuard env;
    env.Set("HOME", "/tmp/home-of-test");
    env.Set("XDG_DATA_HOME", "/tmp/somewhere/data");
    EXPECT_EQ(DataFolder(u"Varnet"_qs), u"/tmp/somewhere/data/Varnet Files/"_qs);
    // Separators in the name cannot lead out of the folder.
    EXPECT_EQ(DataFolder(u"../x"_qs), u"/tmp/somewhere/data/.._x Files/"_qs);
    EXPECT_EQ(DataFolder(QString()), u"/tmp/somewhere/data/Varnet Files/"_qs);
    // Unset or relative: the default under the home folder.
    env.Set("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(DataFolder(u"Varnet"_qs), u"/tmp/home-of-test/.local/share/Varnet Files/"_qs);
    env.Set("XDG_DATA_HOME", "");
    EXPECT_EQ(DataFolder(u"Varnet"_qs), u"/tmp/home-of-test/.local/share/Varnet Files/"_qs);
}

}  // namespace
