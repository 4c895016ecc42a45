// Commands that work on the project's files rather than a tree: renaming
// pages with unwelcome characters, removing files from the project, and keeping a
// files list handed over by a caller.
#include "editcommands/FilesCommands.h"
#include "editcommands/tests/CommandFakes.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace mb;
using namespace mb::testing;

namespace {

class FilesCommands : public CommandTest {};

TEST_F(FilesCommands, UnwelcomeCharactersAreReplacedInTheSelectedPagesOnly) {
    CConfigData* config = &project.Settings().config;
    config->ReadConfigData_XML();
    CXML* table = config->GetReplacedTable();
    table->DelAllChild();
    CXML* item = table->AddChild("REPLACE_ITEM");
    item->SetAttr("old", "&");
    item->SetAttr("new", "and");
    std::string selected = folder.Write("q&a.htm", "<html><body>Q</body></html>");
    std::string other = folder.Write("r&d.htm", "<html><body>R</body></html>");
    FillContents(
        FilesList({ListRun("ROOT", 1, {Entry("Q", {}, selected), Entry("R", {}, other)})}));

    Do(CMD_REPLACE_UNWELCOME_CHARS); // nothing selected
    EXPECT_TRUE(window.notices.empty());

    window.selections[Tree::Contents] = {"Q"};
    Do(CMD_REPLACE_UNWELCOME_CHARS);
    EXPECT_EQ(Contents("Local"), folder / "qanda.htm" + "," + other);
    EXPECT_TRUE(std::filesystem::exists(folder / "qanda.htm"));
    EXPECT_EQ(window.notices, std::vector<Notice>{Notice::CharsReplaced});
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(FilesCommands, SelectedFilesLeaveTheProjectOnlyAfterYes) {
    CHHPFile* hhp = project.GetHHPFile();
    for (const char* name : {"/p/one.htm", "/p/two.htm", "/p/three.htm"})
        hhp->AddFile(name);
    hhp->AddMergeFile("other.chm");
    auto names = [](const CXML* list) {
        std::string text;
        for (int i = 0; i < list->GetChildCount(); ++i)
            text += (i ? "," : "") + list->GetChildAt(i)->GetAttr("Name");
        return text;
    };
    window.files = {{"/p/two.htm"}, {"other.chm"}};

    prompt.answers = {Answer::No};
    Do(CMD_DELETE_FILES);
    EXPECT_EQ(names(hhp->GetFilesData()), "/p/one.htm,/p/two.htm,/p/three.htm");
    prompt.answers = {Answer::Yes};
    Do(CMD_DELETE_MERGE_FILES); // the selected merge file only
    EXPECT_EQ(names(hhp->GetFilesData()), "/p/one.htm,/p/two.htm,/p/three.htm");
    EXPECT_EQ(names(hhp->GetMergeFilesData()), "");
    prompt.answers = {Answer::Yes};
    Do(CMD_DELETE_FILES);
    EXPECT_EQ(names(hhp->GetFilesData()), "/p/one.htm,/p/three.htm");
    prompt.answers = {Answer::Yes};
    Do(CMD_DELETE_ALL_FILES);
    EXPECT_EQ(names(hhp->GetFilesData()), "");
    EXPECT_EQ(prompt.messages.size(), 4u);
}

TEST_F(FilesCommands, KeptFilesListIsACopyOfTheRecordsList) {
    KeepFilesListCommand keep(&manager, &project);
    auto record = std::make_unique<CXML>("PARAMETERS");
    record->AddChild(FilesList({ListRun("ROOT", 1, {Entry("A")})}).release());
    keep.TakeParameters(record.get());
    record.reset();
    ASSERT_NE(keep.GetFilesList(), nullptr);
    EXPECT_EQ(Shape(keep.GetFilesList()->GetChildAt(0)), "A");
    keep.TakeParameters(nullptr);
    EXPECT_EQ(keep.GetFilesList(), nullptr);
}

} // namespace
