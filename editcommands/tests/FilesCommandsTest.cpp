// Commands that work on the project's files rather than a tree: renaming
// pages with unwelcome characters, the file-view requests, and keeping a
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
    CConfigData* config = CConfigData::Instance();
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
    EXPECT_TRUE(window.Received(WM_APP_NOTIFY).empty());

    window.selections[REQ_CONTENT_SELECTION_FOR_RENAME] = {"Q"};
    Do(CMD_REPLACE_UNWELCOME_CHARS);
    EXPECT_EQ(Contents("Local"), folder / "qanda.htm" + "," + other);
    EXPECT_TRUE(std::filesystem::exists(folder / "qanda.htm"));
    auto notices = window.Received(WM_APP_NOTIFY);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].wParam, 52);
    EXPECT_EQ(ContentHistorySize(), 0);
}

TEST_F(FilesCommands, FileViewRequestsGoToTheMainWindow) {
    Do(CMD_DELETE_FILES);
    Do(CMD_DELETE_MERGE_FILES);
    Do(CMD_DELETE_ALL_FILES);
    std::vector<int> sent;
    for (const Request& request : window.requests)
        sent.push_back(request.message);
    EXPECT_EQ(sent, (std::vector<int>{REQ_DELETE_SELECTED_FILES, REQ_DELETE_SELECTED_MERGE_FILES,
                                      REQ_DELETE_ALL_FILES}));
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
