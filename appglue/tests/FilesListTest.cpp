#include "appglue/AppHelper.h"
#include "appglue/tests/GlueFakes.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "runconfig/RunEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using namespace mb::testing;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class FilesListTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* file : {"m/a.htm", "m/b.htm", "m/movie.SWF"})
            tree.Write(file, "x");
    }

    TempTree tree;
    ScriptedPrompt prompt;
    CRunEnv env;
    mb::PickerAddDirectoryDialog picker{prompt, env};
    CAppHelper helper{picker, prompt, env};
};

TEST_F(FilesListTest, PickedFilesShareTheirFolder) {
    prompt.pickedFiles.push_back(
        std::vector<std::string>{tree / "m/a.htm", tree / "m/movie.SWF", tree / "m/b.htm"});
    prompt.pickedFiles.push_back(std::vector<std::string>{tree / "m/movie.SWF"});
    CXML list("FilesList");
    EXPECT_EQ(helper.GetFilesList1(&list, tree / "m", "", 1), 1);
    EXPECT_EQ(prompt.picks[0].initialPath, tree / "m");
    EXPECT_THAT(Outline(list, tree.Root()),
                ElementsAre("0 ~/m/a.htm -> =", "0 ~/m/movie_swf.htm -> =", "0 ~/m/b.htm -> ="));
    EXPECT_EQ(list.GetAttr("PublicPath"), tree / "m");

    CXML one("FilesList");
    EXPECT_EQ(helper.GetFilesList1(&one, "", "", 0), 1);
    EXPECT_THAT(Outline(one, tree.Root()), ElementsAre("0 ~/m/movie.SWF -> =")) << "not wrapped";
    EXPECT_EQ(one.GetAttr("PublicPath"), tree / "m");
    EXPECT_EQ(env.GetNeedCopiedFlashFileCount(), 1);

    CXML cancelled("FilesList");
    EXPECT_EQ(helper.GetFilesList4(&cancelled, tree / "m"), 0);
    EXPECT_THAT(prompt.picks.back().filter, HasSubstr("*.chm"));
    EXPECT_EQ(cancelled.GetChildCount() + cancelled.GetAttrCount(), 0);
}

// The Flash wrapper page.
TEST_F(FilesListTest, WrapperPageNamesTheMovieAsSpelledOnDisk) {
    std::string page;
    ASSERT_EQ(helper.Swf2Html(tree / "m/movie.SWF", page), 1);
    EXPECT_EQ(page, tree / "m/movie_swf.htm");
    std::string text = TempTree::Read(page);
    EXPECT_EQ(text.rfind("<html>\r\n<head>\r\n", 0), 0u);
    EXPECT_THAT(text, HasSubstr("<title>movie.swf</title></head>\r\n"));
    EXPECT_THAT(text, HasSubstr("<a href=\"movie.SWF\"></a>\r\n"));
    EXPECT_THAT(text, HasSubstr(" id=movie ALIGN=\"\">\r\n"));
    EXPECT_THAT(text, HasSubstr("<PARAM NAME=movie VALUE=\"movie.SWF\">"));
    EXPECT_THAT(text, HasSubstr("</EMBED></OBJECT>\r\n</p>\r\n</body>\r\n</html>"));
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << "every line ends in CR LF";
}

TEST_F(FilesListTest, WrapperPageEscapesNamesAndReportsFailures) {
    std::string page;
    ASSERT_EQ(helper.Swf2Html(tree.Write("m/a&b \"#1%.swf", "x"), page), 1);
    EXPECT_EQ(page, tree / "m/a&b \"#1%_swf.htm");
    std::string text = TempTree::Read(page);
    EXPECT_THAT(text, HasSubstr("<title>a&amp;b &quot;#1%.swf</title>"));
    EXPECT_THAT(text, HasSubstr("src=\"a&amp;b &quot;%231%25.swf\""));

    for (std::string movie : {tree / "missing/movie.swf", std::string("D:\\m\\movie.swf")}) {
        EXPECT_EQ(helper.Swf2Html(movie, page), 0) << movie;
        EXPECT_EQ(page, "");
    }
}

} // namespace
