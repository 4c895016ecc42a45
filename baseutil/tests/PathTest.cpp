#include "baseutil/Path.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

using mb::testing::TempTree;

namespace {

TEST(PathParse, WindowsDrivePathIntoItsPieces) {
    CPath path("C:\\help\\index.htm");
    EXPECT_EQ(path.GetDrive(), "C:");
    EXPECT_EQ(path.GetDirectory(), "\\help\\");
    EXPECT_EQ(path.GetFileTitle(), "index");
    EXPECT_EQ(path.GetExtName(), "htm");
    EXPECT_EQ(path.GetExtension(), ".htm");
    EXPECT_EQ(path.GetFileName(), "index.htm");
    EXPECT_EQ(path.GetLocation(), "C:\\help\\");
    EXPECT_EQ(path.GetLocationNoSlash(), "C:\\help");
    EXPECT_TRUE(path.IsLocalPath());
    EXPECT_FALSE(path.IsRelativePath());
    EXPECT_FALSE(path.IsNetworkPath());
    EXPECT_FALSE(path.IsNativePath());
    EXPECT_TRUE(path.IsFilePath());
    EXPECT_EQ((std::vector<std::string>{"help"}), path.GetDirectoryNames());

    // Forward slashes of a drive path become backslashes.
    CPath mixed("c:/help/sub\\a.b.gif");
    EXPECT_EQ(mixed.GetDirectory(), "\\help\\sub\\");
    EXPECT_EQ(mixed.GetFileTitle(), "a.b");
    EXPECT_EQ(mixed.GetExtName(), "gif");
    EXPECT_EQ(mixed.GetPath(), "c:\\help\\sub\\a.b.gif");
    EXPECT_EQ((std::vector<std::string>{"help", "sub"}), mixed.GetDirectoryNames());

    CPath noExt("C:\\docs\\README");
    EXPECT_EQ(noExt.GetFileName(), "README");
    EXPECT_EQ(noExt.GetExtension(), "");
}

TEST(PathParse, NativePathsKeepSlashes) {
    CPath path("/home/ann/guide/intro.htm");
    EXPECT_TRUE(path.IsNativePath());
    EXPECT_EQ(path.GetDrive(), "");
    EXPECT_EQ(path.GetDirectory(), "/home/ann/guide/");
    EXPECT_EQ(path.GetFileName(), "intro.htm");
    EXPECT_EQ(path.GetPath(), "/home/ann/guide/intro.htm");
    EXPECT_EQ(path.GetLocationNoSlash(), "/home/ann/guide");
    EXPECT_TRUE(path.IsLocalPath());
    EXPECT_FALSE(path.IsRelativePath());
    EXPECT_EQ((std::vector<std::string>{"home", "ann", "guide"}), path.GetDirectoryNames());

    CPath relative("img/a.gif");
    EXPECT_TRUE(relative.IsNativePath());
    EXPECT_FALSE(relative.IsLocalPath());
    EXPECT_FALSE(relative.IsRelativePath());
    EXPECT_EQ(relative.GetLocation(), "img/");

    // A backslash makes it a Windows path.
    CPath windowsRelative("img\\a.gif");
    EXPECT_FALSE(windowsRelative.IsNativePath());
    EXPECT_FALSE(windowsRelative.IsLocalPath());
    EXPECT_EQ(windowsRelative.GetLocation(), "img\\");
}

TEST(PathParse, ProjectRelativeAndNetworkPaths) {
    CPath relative("\\images\\a.gif");
    EXPECT_TRUE(relative.IsRelativePath());
    EXPECT_FALSE(relative.IsLocalPath());
    EXPECT_FALSE(relative.IsNetworkPath());
    EXPECT_EQ(relative.GetLocation(), "\\images\\");

    CPath share("\\\\server\\share\\a.htm");
    EXPECT_TRUE(share.IsNetworkPath());
    EXPECT_FALSE(share.IsRelativePath());
    EXPECT_FALSE(share.IsLocalPath());
    EXPECT_EQ(share.GetLocation(), "\\\\server\\share\\");

    for (const char* address :
         {"http://x.org/a.htm", "HTTPS://x.org/", "Ftp://files/a.zip", "mailto:ann@example.org"}) {
        CPath path(address);
        EXPECT_TRUE(path.IsNetworkPath()) << address;
        EXPECT_FALSE(path.IsLocalPath()) << address;
        EXPECT_FALSE(path.IsRelativePath()) << address;
    }
    EXPECT_FALSE(CPath("/srv/http/a.htm").IsNetworkPath());
    EXPECT_FALSE(CPath("httpdocs/a.htm").IsNetworkPath());
}

TEST(PathParse, AnchorBehindPageName) {
    CPath page("C:\\help\\index.htm#intro");
    EXPECT_EQ(page.GetExtName(), "htm#intro");
    EXPECT_EQ(page.GetRealExtName(), "htm");
    EXPECT_EQ(page.GetRealExtension(), ".htm");
    EXPECT_EQ(page.GetRealFileName(), "index.htm");
    EXPECT_EQ(page.GetEditablePath(), "C:\\help\\index.htm");

    // The letter case of the file name is kept: the file system may care.
    CPath upper("/guide/Page.HTML#Top");
    EXPECT_EQ(upper.GetRealExtName(), "HTML");
    EXPECT_EQ(upper.GetEditablePath(), "/guide/Page.HTML");

    CPath image("/guide/a.gif");
    EXPECT_EQ(image.GetRealExtName(), "gif");
    EXPECT_EQ(image.GetEditablePath(), "/guide/a.gif");
    CPath other("/guide/a.php#x");
    EXPECT_EQ(other.GetRealExtName(), "php#x");
}

TEST(PathParse, FolderFlagTakesTheWholePathAsFolder) {
    CPath windows("C:\\help\\topics", true);
    EXPECT_EQ(windows.GetDirectory(), "\\help\\topics\\");
    EXPECT_EQ(windows.GetFileName(), "");
    EXPECT_FALSE(windows.IsFilePath());
    EXPECT_EQ(windows.GetPath(), "C:\\help\\topics\\");

    CPath trailing("C:\\help\\topics\\", true);
    EXPECT_EQ(trailing.GetDirectory(), "\\help\\topics\\");

    CPath native("/home/ann/book.d", true);
    EXPECT_EQ(native.GetLocation(), "/home/ann/book.d/");
    EXPECT_EQ(native.GetExtName(), "");

    TempTree tree;
    CPath existing(tree.MakeFolder("folder"), true);
    EXPECT_TRUE(existing.ExistLocation());
    EXPECT_FALSE(existing.ExistFile());
}

TEST(PathParse, ResultCodes) {
    CPath path;
    EXPECT_EQ(path.SetPath(""), 2);
    EXPECT_EQ(path.SetPath("\"\""), 2);
    EXPECT_EQ(path.SetPath("  \"\" -x -y", false, true), 2);

    std::string longest(PATH_MAX - 1, 'a');
    longest[0] = '/';
    EXPECT_EQ(path.SetPath(longest), 0);
    std::string tooLong = longest + "a";
    EXPECT_EQ(path.SetPath(tooLong), 1);
    EXPECT_EQ(path.GetOriginalPath(), tooLong);
    EXPECT_EQ(path.GetPath(), "");
    EXPECT_FALSE(path.IsLocalPath());
    EXPECT_FALSE(path.IsNativePath());

    // A parsed path is forgotten by a failing one.
    path.SetPath("C:\\a\\b.htm");
    EXPECT_EQ(path.SetPath(""), 2);
    EXPECT_EQ(path.GetFileName(), "");
    EXPECT_FALSE(path.IsFilePath());
}

TEST(PathParse, ArgumentsAndQuotes) {
    CPath command("\"C:\\Program Files\\Help\\hh.exe\" -decompile out \"my file.chm\"", false,
                  true);
    EXPECT_EQ(command.GetPath(), "C:\\Program Files\\Help\\hh.exe");
    EXPECT_EQ(command.GetArguments(), "-decompile out \"my file.chm\"");
    EXPECT_EQ((std::vector<std::string>{"-decompile", "out", "my file.chm"}),
              command.GetArgumentList());
    EXPECT_EQ(command.GetPath(true),
              "C:\\Program Files\\Help\\hh.exe -decompile out \"my file.chm\"");

    CPath quoted("\"/home/ann/my book/a.htm\"");
    EXPECT_EQ(quoted.GetPath(), "/home/ann/my book/a.htm");
    EXPECT_EQ(quoted.GetArguments(), "");

    // Without the arguments flag a blank is part of the path.
    CPath blank("/home/ann/my book/a.htm");
    EXPECT_EQ(blank.GetLocation(), "/home/ann/my book/");
}

TEST(PathRelative, WindowsPathsLikeTheSystemFunction) {
    CPath file("C:\\proj\\img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\proj"), "img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\proj\\"), "img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("c:\\PROJ"), "img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\proj\\img"), "a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\proj\\doc"), "..\\img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\proj\\doc\\deep"), "..\\..\\img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\"), "proj\\img\\a.gif");
    // Names are compared whole, not as text prefixes.
    EXPECT_EQ(file.GetRelativePath("C:\\pro"), "..\\proj\\img\\a.gif");
    EXPECT_EQ(file.GetRelativePath("D:\\proj"), "");
    EXPECT_EQ(file.GetRelativePath("/home/ann/proj"), "");
    EXPECT_EQ(file.GetRelativePath(""), "");

    CPath folder("C:\\proj", true);
    EXPECT_EQ(folder.GetRelativePath("C:\\proj\\sub"), "..\\");
    EXPECT_EQ(folder.GetRelativePath("C:\\proj"), ".");
    EXPECT_EQ(CPath("C:\\proj\\a\\b", true).GetRelativePath("C:\\proj"), "a\\b\\");

    CPath share("\\\\srv\\docs\\help\\a.htm");
    EXPECT_EQ(share.GetRelativePath("\\\\srv\\docs"), "help\\a.htm");
    EXPECT_EQ(share.GetRelativePath("C:\\docs"), "");

    EXPECT_EQ(CPath("\\images\\a.gif").GetRelativePath("C:\\proj"), "");
}

TEST(PathRelative, NativePathsCompareExactly) {
    CPath file("/home/ann/proj/img/a.gif");
    EXPECT_EQ(file.GetRelativePath("/home/ann/proj"), "img/a.gif");
    EXPECT_EQ(file.GetRelativePath("/home/ann/proj/"), "img/a.gif");
    EXPECT_EQ(file.GetRelativePath("/home/ann/other"), "../proj/img/a.gif");
    EXPECT_EQ(file.GetRelativePath("/usr/share"), "../../home/ann/proj/img/a.gif");
    EXPECT_EQ(file.GetRelativePath("/home/Ann/proj"), "../../ann/proj/img/a.gif");
    EXPECT_EQ(file.GetRelativePath("/home/ann/x/../proj"), "img/a.gif");
    EXPECT_EQ(file.GetRelativePath("C:\\proj"), "");
    EXPECT_EQ(CPath("img/a.gif").GetRelativePath("/home/ann"), "");
}

TEST(PathAbsolute, ProjectRelativeTakesTheFormOfTheBase) {
    CPath relative("\\images\\a.gif");
    EXPECT_EQ(relative.GetAbsolutePath("C:\\proj"), "C:\\proj\\images\\a.gif");
    EXPECT_EQ(relative.GetAbsolutePath("C:\\proj\\"), "C:\\proj\\images\\a.gif");
    EXPECT_EQ(relative.GetAbsolutePath("/home/ann/proj"), "/home/ann/proj/images/a.gif");
    EXPECT_EQ(relative.GetAbsolutePath("/home/ann/proj/"), "/home/ann/proj/images/a.gif");
    EXPECT_EQ(relative.GetAbsolutePath(""), "");

    CPath climbing("\\images\\.\\..\\..\\..\\a.gif");
    EXPECT_EQ(climbing.GetAbsolutePath("C:\\proj"), "C:\\a.gif");
    EXPECT_EQ(climbing.GetAbsolutePath("/home/ann"), "/a.gif");
    EXPECT_EQ(CPath("\\a\\..\\b\\c.htm").GetAbsolutePath("/p"), "/p/b/c.htm");

    EXPECT_EQ(CPath("C:\\proj\\a.gif").GetAbsolutePath("C:\\proj"), "");
    EXPECT_EQ(CPath("/home/a.gif").GetAbsolutePath("/home"), "");
    EXPECT_EQ(CPath("\\\\srv\\a.gif").GetAbsolutePath("C:\\proj"), "");
}

TEST(PathCanonicalize, DotsAndDoubledSeparators) {
    EXPECT_EQ(CPath::Canonicalize("C:\\a\\.\\b\\..\\c"), "C:\\a\\c");
    EXPECT_EQ(CPath::Canonicalize("C:\\a\\..\\.."), "C:\\");
    EXPECT_EQ(CPath::Canonicalize("C:\\a\\\\b\\"), "C:\\a\\b\\");
    EXPECT_EQ(CPath::Canonicalize("c:/a/./b"), "c:\\a\\b");
    EXPECT_EQ(CPath::Canonicalize("\\\\srv\\share\\..\\..\\x"), "\\\\srv\\share\\x");
    EXPECT_EQ(CPath::Canonicalize("/a/b/../../../c"), "/c");
    EXPECT_EQ(CPath::Canonicalize("/a//b/./"), "/a/b/");
    EXPECT_EQ(CPath::Canonicalize("/.."), "/");
    EXPECT_EQ(CPath::Canonicalize("a/../../b"), "../b");
    EXPECT_EQ(CPath::Canonicalize("a/.."), ".");
    EXPECT_EQ(CPath::Canonicalize(""), "");
}

TEST(PathSlashes, AddAndRemoveOneTrailingSeparator) {
    EXPECT_EQ(CPath::AddBackSlash("C:\\a"), "C:\\a\\");
    EXPECT_EQ(CPath::AddBackSlash("/a", true), "/a/");
    EXPECT_EQ(CPath::AddBackSlash("C:\\a\\"), "C:\\a\\");
    EXPECT_EQ(CPath::AddBackSlash("/a/"), "/a/");
    EXPECT_EQ(CPath::AddBackSlash(""), "");
    EXPECT_EQ(CPath::RemoveBackSlash("C:\\a\\"), "C:\\a");
    EXPECT_EQ(CPath::RemoveBackSlash("/a//"), "/a/");
    EXPECT_EQ(CPath::RemoveBackSlash("/a"), "/a");
    EXPECT_EQ(CPath::RemoveBackSlash(""), "");
}

TEST(PathFileSystem, CreateDirAndExistence) {
    TempTree tree;
    std::string deep = tree / "a/b/c";
    EXPECT_EQ(CPath::CreateDir(deep), 1);
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_EQ(CPath::CreateDir(deep), 1) << "an existing folder is there";
    EXPECT_EQ(CPath::CreateDir(deep + "/"), 1);

    std::string file = tree.Write("a/file.htm", "x");
    EXPECT_EQ(CPath::CreateDir(file), 0);
    EXPECT_EQ(CPath::CreateDir(file + "/below"), 0);
    EXPECT_EQ(CPath::CreateDir(""), 0);
    EXPECT_EQ(CPath::CreateDir("C:\\mbtest\\x"), 0);

    EXPECT_TRUE(CPath(file).ExistFile());
    EXPECT_TRUE(CPath(file).ExistLocation());
    CPath missing(tree / "a/missing.htm");
    EXPECT_FALSE(missing.ExistFile());
    EXPECT_TRUE(missing.ExistLocation());
    EXPECT_FALSE(CPath(tree / "none/x.htm").ExistLocation());
    EXPECT_FALSE(CPath(deep).ExistFile()) << "a folder is not a file";
    EXPECT_FALSE(CPath("C:\\a\\file.htm").ExistFile());
}

} // namespace
