#include "appglue/AppHelper.h"
#include "appglue/UriList.h"
#include "appglue/tests/GlueFakes.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/DropFileFilterSet.h"
#include "runconfig/RunEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <arpa/inet.h>

using namespace mb::testing;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

constexpr const char* kUriList = "text/uri-list";
constexpr const char* kText = "text/plain";
const std::string kContent = CDragDropHelper::GetCF_View_Content();
const std::string kIndex = CDragDropHelper::GetCF_View_Index();
const std::string kFiles = CDragDropHelper::GetCF_View_Files();
const std::string kArchive = CDragDropHelper::GetCF_ArchiveView();

class DropTest : public ::testing::Test {
protected:
    int Drop(std::map<std::string, std::string> formats, CXML* node = nullptr) {
        FakeDropData data;
        data.formats = std::move(formats);
        data.node = node;
        return helper.DropHelper(data, 0);
    }
    FakeAddDirectoryDialog dialog;
    ScriptedPrompt prompt;
    CRunEnv env;
    CAppHelper helper{dialog, prompt, env};
    CDragDropHelper& drop = *helper.GetDragDropHelper();
};

TEST_F(DropTest, EachFormatGivesItsKind) {
    EXPECT_EQ(Drop({{kContent, "/p/a.htm"}}), DDOT_VIEW_CONTENT);
    EXPECT_EQ(helper.GetDroppedTopicFileName(), "/p/a.htm");
    EXPECT_EQ(Drop({{kIndex, std::string("/p/b.htm\0junk", 13)}}), DDOT_VIEW_INDEX);
    EXPECT_EQ(helper.GetDroppedTopicFileName(), "/p/b.htm") << "text ends at a zero";
    EXPECT_EQ(Drop({{kFiles, "/p/c.htm"}}), DDOT_VIEW_FILES);
    CXML node("entry");
    EXPECT_EQ(Drop({{kArchive, ""}}, &node), DDOT_ARCHIVE_NODE);
    EXPECT_EQ(drop.GetDroppedNode(), &node);
    EXPECT_EQ(Drop({{kUriList, "file:///p/a%20b.htm\r\n"}}), DDOT_FILES);
    EXPECT_THAT(drop.GetDroppedFiles(), ElementsAre("/p/a b.htm"));
    EXPECT_EQ(Drop({{kText, "Chapter one"}}), DDOT_TEXT);
    EXPECT_EQ(helper.GetDroppedString(), "Chapter one");
    EXPECT_EQ(drop.GetDroppedNode(), nullptr) << "each drop forgets the one before";
    EXPECT_EQ(Drop({}), DDOT_NONE);
    EXPECT_EQ(Drop({{"image/png", "...."}}), DDOT_NONE);

    FakeDropData own;
    own.formats[kUriList] = "file:///p/a.htm";
    EXPECT_EQ(helper.DropHelper(own, 1), DDOT_SELF);
    EXPECT_THAT(drop.GetDroppedFiles(), IsEmpty());
}

TEST_F(DropTest, TextDropKeepsOnlyTheFirstLine) {
    for (const char* text : {"first\r\nsecond", "first\nsecond", "first", "first\nx\r\ny"}) {
        ASSERT_EQ(Drop({{kText, text}}), DDOT_TEXT);
        EXPECT_EQ(helper.GetDroppedString(), "first") << text;
    }
}

TEST_F(DropTest, MostSpecificFormatDecides) {
    // File managers offer files also as text; browsers offer links as a URI
    // list; another process's CHM explorer offers the format without any
    // element of ours behind it.
    EXPECT_EQ(Drop({{kText, "file:///p/a.htm"}, {kUriList, "file:///p/a.htm"}}), DDOT_FILES);
    EXPECT_EQ(Drop({{kUriList, "file:///p/a.htm"}, {kIndex, "/p/k.htm"}}), DDOT_VIEW_INDEX);
    EXPECT_EQ(Drop({{kUriList, "https://example.org/a.htm"}, {kText, "https://example.org"}}),
              DDOT_TEXT);
    EXPECT_EQ(Drop({{kArchive, "\x10\x20\x30\x40"}}), DDOT_NONE);
    CXML list("FilesList");
    EXPECT_EQ(helper.GetFilesListFromArchiveView_Content(&list), 0);
    EXPECT_EQ(list.GetChildCount(), 0);
}

TEST(UriListTest, OnlyLocalFileUrisDecoded) {
    std::string list = "# comment\r\nfile:///a%20b.htm\r\nhttp://x.org/x.htm\r\n"
                       "file://localhost/c.htm\nfile://box/d.htm\nfile://elsewhere/e.htm\n"
                       "FILE:///%E4%B8%AD\nfile:///bad%2\nfile:///nul%00\nfile:rel\n\nfile:/f";
    EXPECT_THAT(mb::LocalFilesFromUriList(list, "box"),
                ElementsAre("/a b.htm", "/c.htm", "/d.htm", "/\xE4\xB8\xAD", "/f"));
}

// Turning dropped files and folders into a file list.
class DroppedFilesTest : public DropTest {
protected:
    void SetUp() override {
        for (const char* file : {"one/a.htm", "one/inner/b.htm", "two/c.htm", "two/movie.swf",
                                 "loose/d.htm", "Images_files/e.htm"})
            tree.Write(file, "x");
        filters.UseDefaultData();
        helper.SetDropFileFilterSet(&filters);
        helper.SetAddDirectoryOption(&options);
    }

    std::vector<std::string> DropAndList(const std::vector<std::string>& names, int wrapFlash,
                                         int expected = 1) {
        std::string uris;
        for (const std::string& name : names)
            uris += "file://" + tree / name + "\r\n";
        EXPECT_EQ(Drop({{kUriList, uris}}), DDOT_FILES);
        list.ResetContents();
        EXPECT_EQ(helper.GetFilesListFromFolderView(&list, wrapFlash), expected);
        return Outline(list, tree.Root());
    }

    TempTree tree;
    CDropFileFilterSet filters;
    tagAddDirectoryOption options;
    CXML list;
};

TEST_F(DroppedFilesTest, FoldersAskTheDialogOnceAndFollowIt) {
    dialog.includeSubDir = 0;
    EXPECT_THAT(DropAndList({"one", "two", "loose/d.htm", "Images_files", "gone.htm"}, 1),
                ElementsAre("1 one", "  0 ~/one/a.htm -> =", "1 two", "  0 ~/two/c.htm -> =",
                            "  0 ~/two/movie_swf.htm -> =", "0 ~/loose/d.htm -> ="));
    EXPECT_EQ(dialog.calls, 1);
    EXPECT_EQ(dialog.filtersShown, &filters);
    EXPECT_EQ(list.GetAttr("PublicPath"), tree.Root());
    EXPECT_EQ(env.GetNeedCopiedFlashFile(0), tree / "two/movie.swf");
    EXPECT_EQ(prompt.busyDepth, 0);

    dialog.includeSubDir = 1;
    EXPECT_THAT(
        DropAndList({"one/"}, 0),
        ElementsAre("1 one", "  1 inner", "    0 ~/one/inner/b.htm -> =", "  0 ~/one/a.htm -> ="));
    EXPECT_EQ(list.GetAttr("PublicPath"), tree / "one") << "a single folder is its own";
}

TEST_F(DroppedFilesTest, FilesNeedNoDialogAndCancelAddsNothing) {
    EXPECT_THAT(DropAndList({"two/c.htm", "two/movie.swf"}, 0),
                ElementsAre("0 ~/two/c.htm -> =", "0 ~/two/movie.swf -> ="));
    EXPECT_EQ(list.GetAttr("PublicPath"), tree / "two");
    EXPECT_EQ(dialog.calls, 0);

    dialog.confirmDrop = false;
    EXPECT_THAT(DropAndList({"loose/d.htm", "one"}, 1, 0), IsEmpty());
    EXPECT_THAT(DropAndList({"Images_files"}, 1, 0), IsEmpty()) << "skipped by the filter";
    EXPECT_EQ(list.FindAttr("PublicPath"), nullptr);
}

// Entries dragged from the CHM explorer.
TEST_F(DropTest, ArchiveStorageBecomesHeadingWithItsDirectEntries) {
    CXML root("FILES_TREE_ROOT");
    auto entry = [](CXML* parent, const std::string& name, int type) {
        CXML* node = parent->AddChild("entry");
        node->SetAttr("Name", name);
        node->SetAttr("Type", type);
        node->SetAttr("Local", "a.chm::/" + name);
        return node;
    };
    auto listed = [&](CXML* node, bool index) {
        EXPECT_EQ(Drop({{kArchive, ""}}, node), DDOT_ARCHIVE_NODE);
        CXML list("FilesList");
        EXPECT_EQ(index ? helper.GetFilesListFromArchiveView_Index(&list)
                        : helper.GetFilesListFromArchiveView_Content(&list),
                  1);
        return Outline(list);
    };
    CXML* storage = entry(&root, "html", 0);
    entry(storage, "a.htm", 3);
    entry(entry(storage, "pics", 0), "deep.gif", 8);
    entry(storage, "toc.hhc", 2);
    for (bool index : {false, true})
        EXPECT_THAT(listed(storage, index), ElementsAre("1 html", "  2 a.htm -> a.chm::/a.htm",
                                                        "  2 toc.hhc -> a.chm::/toc.hhc"));
    EXPECT_THAT(listed(entry(&root, "t.hhk", 2), false), ElementsAre("3 t.hhk -> a.chm::/t.hhk"));
    EXPECT_THAT(listed(entry(&root, "b.gif", 8), true), ElementsAre("2 b.gif -> a.chm::/b.gif"));
}

TEST(SystemNamesTest, NamesAndAddressHaveTheirForm) {
    ScriptedPrompt prompt;
    CRunEnv env;
    mb::PickerAddDirectoryDialog picker(prompt, env);
    CAppHelper helper(picker, prompt, env);
    EXPECT_FALSE(helper.GetCurrentUserName().empty());
    EXPECT_FALSE(helper.GetCurrentComputerName().empty());
    std::string address = helper.GetHostIPAddress();
    in_addr parsed{};
    EXPECT_TRUE(address == "unknown" || inet_pton(AF_INET, address.c_str(), &parsed) == 1)
        << address;
}

} // namespace
