#include "baseutil/tests/support/TempTree.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/TopicPath.h"

#include <gtest/gtest.h>

using mb::testing::TempTree;

namespace {

std::string ToRelative(const CProjectFile& project, std::string path, int* result = nullptr) {
    int converted = project.AbsolutePathToRelativePath(path);
    if (result)
        *result = converted;
    return path;
}

std::string ToAbsolute(CProjectFile& project, std::string path) {
    project.RelativePathToAbsolutePath(path);
    return path;
}

TEST(ProjectFolder, KeepsOneTrailingSeparatorOfItsOwnForm) {
    CProjectFile project;
    project.SetProjectFolder("D:\\x");
    EXPECT_EQ(project.GetProjectFolder(), "D:\\x\\");
    EXPECT_EQ(project.GetProjectFolder2(), "D:\\x");
    EXPECT_TRUE(project.IsModified());

    project.SetProjectFolder("/home/ann/proj");
    EXPECT_EQ(project.GetProjectFolder(), "/home/ann/proj/");
    EXPECT_EQ(project.GetProjectFolder2(), "/home/ann/proj");
    project.SetProjectFolder("/home/ann/proj/");
    EXPECT_EQ(project.GetProjectFolder(), "/home/ann/proj/");

    project.SetModified(0);
    project.GetProjectFolderByHHPFile("/srv/help/guide.hhp");
    EXPECT_EQ(project.GetProjectFolder(), "/srv/help/");
    EXPECT_FALSE(project.IsModified());
}

TEST(ProjectFolder, FileNamesDeriveFromTheProjectPath) {
    CProjectFile project;
    project.SetMBKFileName("/home/ann/proj/My Guide.mbk");
    EXPECT_EQ(project.GetMBKFileName(), "/home/ann/proj/My Guide.mbk");
    EXPECT_EQ(project.GetProjectFileTitle(), "My Guide");
    EXPECT_EQ(project.GetProjectFolder(), "/home/ann/proj/");
    EXPECT_EQ(project.GetCHMFileName(), "/home/ann/proj/My Guide.chm");
    EXPECT_EQ(project.GetHHPFileName_FullPath(), "/home/ann/proj/My Guide.hhp");
    EXPECT_EQ(project.GetHHCFileName_FullPath(), "/home/ann/proj/My Guide.hhc");
    EXPECT_EQ(project.GetHHKFileName_FullPath(), "/home/ann/proj/My Guide.hhk");
    EXPECT_EQ(project.GetMBKMBKFileName(), "/home/ann/proj/My Guide.mbkmbk");
}

TEST(ProjectPaths, WindowsFolderRulesBothWays) {
    CProjectFile project;
    project.SetProjectFolder("D:\\proj\\");
    int result = -1;
    EXPECT_EQ(ToRelative(project, "D:\\proj\\sub\\page.htm", &result), "sub\\page.htm");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ToRelative(project, "d:\\PROJ\\a.htm"), "a.htm"); // Windows paths ignore case
    EXPECT_EQ(ToRelative(project, "D:\\other\\a.htm", &result), "D:\\other\\a.htm");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ToRelative(project, "E:\\a.htm", &result), "E:\\a.htm");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ToRelative(project, "D:\\proj\\help.chm::/a.htm", &result), "help.chm::/a.htm");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ToRelative(project, "D:\\proj\\Help.CHM::/dir/a.htm"), "Help.CHM::/dir/a.htm");

    EXPECT_EQ(ToAbsolute(project, "\\sub\\page.htm"), "D:\\proj\\sub\\page.htm");
    // Only exactly one leading backslash makes a path project-relative.
    EXPECT_EQ(ToAbsolute(project, "sub\\page.htm"), "sub\\page.htm");
    EXPECT_EQ(ToAbsolute(project, "\\\\server\\share\\a.htm"), "\\\\server\\share\\a.htm");
    EXPECT_EQ(ToAbsolute(project, "C:\\x\\a.htm"), "C:\\x\\a.htm");
}

TEST(ProjectPaths, NativeFolderRulesBothWays) {
    TempTree tree;
    tree.Write("sub/page.htm", "x");
    CProjectFile project;
    project.SetProjectFolder(tree.Root());
    const std::string folder = tree.Root() + "/";

    int result = -1;
    EXPECT_EQ(ToRelative(project, folder + "sub/page.htm", &result), "sub\\page.htm");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ToRelative(project, folder + "help.chm::/dir/a.htm", &result),
              "help.chm::/dir/a.htm");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ToRelative(project, folder + ".hidden/a.htm", &result), ".hidden\\a.htm");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ToRelative(project, folder + "notes.", &result), "notes."); // names kept exactly
    EXPECT_EQ(ToRelative(project, folder + "..sub/a.htm"), "..sub\\a.htm");
    EXPECT_EQ(ToRelative(project, folder + "sub/a.htm#part/two"), "sub\\a.htm#part/two");
    EXPECT_EQ(ToRelative(project, "/elsewhere/a.htm", &result), "/elsewhere/a.htm");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ToRelative(project, folder, &result), folder); // the folder itself
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ToRelative(project, "http://example.org/a.htm", &result), "http://example.org/a.htm");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ToRelative(project, "C:\\win\\a.htm", &result), "C:\\win\\a.htm");
    EXPECT_EQ(result, 0);

    EXPECT_EQ(ToAbsolute(project, "\\sub\\page.htm"), folder + "sub/page.htm");
    EXPECT_EQ(ToAbsolute(project, "\\sub\\..\\sub\\.\\page.htm"), folder + "sub/page.htm");
    EXPECT_EQ(ToAbsolute(project, "\\help.chm::/a.htm"), folder + "help.chm::/a.htm");
    EXPECT_EQ(ToAbsolute(project, "\\notes."), folder + "notes.");
    EXPECT_EQ(ToAbsolute(project, "/elsewhere/a.htm"), "/elsewhere/a.htm");
    EXPECT_EQ(ToAbsolute(project, "C:\\win\\a.htm"), "C:\\win\\a.htm");
}

TEST(ProjectPaths, TopicsNamedInAnotherCaseFindTheirFiles) {
    TempTree tree;
    tree.Write("Sub Dir/Page One.htm", "x");
    tree.Write("guide.chm", "x");
    CProjectFile project;
    project.SetProjectFolder(tree.Root());
    const std::string folder = tree.Root() + "/";

    EXPECT_EQ(ToAbsolute(project, "\\SUB DIR\\page one.HTM"), folder + "Sub Dir/Page One.htm");
    EXPECT_EQ(ToAbsolute(project, "\\sub dir\\page one.htm#part2"),
              folder + "Sub Dir/Page One.htm#part2");
    EXPECT_EQ(ToAbsolute(project, "\\GUIDE.CHM::/Inner/A.htm"), folder + "guide.chm::/Inner/A.htm");
    // A file that exists in no spelling keeps the spelling it was given.
    EXPECT_EQ(ToAbsolute(project, "\\Missing\\X.htm"), folder + "Missing/X.htm");
}

TEST(ProjectPaths, FixedLocationsAreNeverResolved) {
    for (const char* fixed :
         {"C:\\help\\a.htm", "c:/help/a.htm", "/usr/share/doc/a.htm", "/odd\\name.htm",
          "\\\\server\\share\\a.htm", "http://x.org/", "HTTPS://x.org/", "ftp://x.org/f",
          "mailto:ann@x.org", "ms-its:a.chm::/b.htm", "mk:@MSITStore:a.chm::/b.htm",
          "javascript:void(0)"})
        EXPECT_TRUE(mb::IsFixedLocation(fixed)) << fixed;
    for (const char* relative : {"a.htm", "\\a.htm", "sub\\a.htm", "a.chm::/b.htm", "..\\a.htm"})
        EXPECT_FALSE(mb::IsFixedLocation(relative)) << relative;
}

TEST(ProjectPaths, LastOpenFolderGoesToTheRunEnvironment) {
    CProjectFile project;
    project.SetLastOpenDir("/home/ann/docs");
    EXPECT_EQ(project.Settings().env.GetLastOpenFolder(), "/home/ann/docs");
    EXPECT_EQ(project.GetLastOpenDir(), "/home/ann/docs");
    project.SetLastOpenDir2("/home/ann/proj/guide.mbk");
    EXPECT_EQ(project.GetLastOpenDir(), "/home/ann/proj");
}

int ProgressStub(int code, CXML*) {
    return code;
}

TEST(ProjectPaths, ProgressCallbackIsStoredAndReturned) {
    EXPECT_EQ(PR_SetCallBackFunction(&ProgressStub), &ProgressStub);
    EXPECT_EQ(PR_SetCallBackFunction(nullptr), nullptr);
}

} // namespace
