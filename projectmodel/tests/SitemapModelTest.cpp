#include "projectmodel/ProjectFile.h"
#include "projectmodel/tests/NotificationLog.h"
#include "projectmodel/tests/TreeTestSupport.h"

#include <gtest/gtest.h>

using mb::testing::NotificationLog;

namespace {

TEST(ContentsModel, DefaultsAfterInitialisation) {
    CProjectFile project;
    CHHCFile& hhc = *project.GetHHCFile();
    EXPECT_EQ(hhc.GetTreeRoot()->GetTagName(), "hhcTreeRoot");
    EXPECT_EQ(hhc.GetWindowStyles(), 0x800227u);
    for (int bit : {0, 1, 2, 5, 9, 23})
        EXPECT_EQ(hhc.GetWindowStyles(bit), 1) << bit;
    for (int bit : {3, 10, 22})
        EXPECT_EQ(hhc.GetWindowStyles(bit), 0) << bit;
    EXPECT_EQ(hhc.GetForegroundColor(), 0x80000008u);
    EXPECT_EQ(hhc.GetBackgroundColor(), 0xFFFFFFu);
    EXPECT_EQ(hhc.GetFrameName(), "right");
    EXPECT_EQ(hhc.GetWindowName(), "");
    EXPECT_EQ(hhc.GetImageType(), "Folder");
    std::string face;
    long size = 0;
    unsigned char charset = 7;
    hhc.GetFont(face, size, charset);
    EXPECT_EQ(face, "MS Sans Serif");
    EXPECT_EQ(size, 9);
    EXPECT_EQ(charset, 0);
    LOGFONTA font;
    hhc.GetFont(font);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfOutPrecision, 3);
    EXPECT_EQ(font.lfClipPrecision, 2);
    EXPECT_EQ(font.lfQuality, 1);
    EXPECT_EQ(font.lfPitchAndFamily, 0x22);
    EXPECT_EQ(font.lfHeight, CSitemapFile::GetFontHeightFromFontSize(9));

    CHHKFile& hhk = *project.GetHHKFile();
    EXPECT_EQ(hhk.GetTreeRoot()->GetTagName(), "hhkTreeRoot");
    EXPECT_EQ(hhk.GetFrameName(), "right");
    EXPECT_EQ(hhk.GetWindowName(), "win");
}

// Copies what the notification records carry while they are valid.
class RecordCapture : public CObserver {
public:
    int Update(CSubject*, const NotifyInfo& notice) override {
        const NotifyInfo* info = &notice;
        text += std::to_string(info->code) + ":";
        if (info->node)
            text += info->node->GetTagName() + "=" + info->node->GetAttr("index") + "/" +
                    info->node->GetAttr("value");
        if (info->font)
            text += info->font->lfFaceName;
        text += ";";
        return 1;
    }
    std::string text;
};

TEST(ContentsModel, StylesColourAndFontNotifyWithTheirData) {
    CProjectFile project;
    CHHCFile& hhc = *project.GetHHCFile();
    RecordCapture capture;
    hhc.Attach(&capture);

    hhc.SetContentWindowStyle(3, 1);
    hhc.SetContentWindowStyle(0, 5);  // anything but 1 clears
    hhc.SetContentWindowStyle(24, 1); // no such style: nothing happens
    EXPECT_EQ(hhc.GetWindowStyles(), 0x80022Eu);
    EXPECT_TRUE(project.IsModified());
    hhc.SetContentWindowStyle(uint32_t{0x41});
    hhc.SetBackgroundColor(0x123456);
    hhc.SetFont("Verdana", 12, 1);
    hhc.Detach(&capture);
    EXPECT_EQ(capture.text, "20:WindowStyle=3/1;20:WindowStyle=0/0;20:WindowStyle=-1/65;"
                            "18:color=/1193046;19:Verdana;");
    EXPECT_EQ(hhc.GetWindowStyles(), 0x41u);
    EXPECT_EQ(hhc.GetBackgroundColor(), 0x123456u);
}

TEST(ContentsModel, FontSizeSurvivesTheWayThroughAHeight) {
    CHHCFile hhc;
    for (long size : {6L, 8L, 9L, 10L, 12L, 14L, 20L, 36L}) {
        LOGFONTA font;
        font.lfHeight = CSitemapFile::GetFontHeightFromFontSize(size);
        font.lfFaceName = "Tahoma";
        font.lfCharSet = 134;
        hhc.SetFont(font);
        std::string face;
        long back = 0;
        unsigned char charset = 0;
        hhc.GetFont(face, back, charset);
        EXPECT_EQ(back, size);
        EXPECT_EQ(face, "Tahoma");
        EXPECT_EQ(charset, 134);
    }
}

class TreeModels : public ::testing::Test {
protected:
    void SetUp() override {
        CXML* bookNode = CHHCFile::CreateNode("Book", "", "{B}");
        bookNode->AddChild(CHHCFile::CreateNode("Page", "/p/page.htm", "{P}"));
        CXML* mergeNode = CHHCFile::CreateNode("Merge", "/p/other.chm", "{M}");
        mergeNode->SetAttr("Type", 3);
        auto list = mb::testing::FilesList({mb::testing::ListRun(
            "ROOT", 2,
            {bookNode, mergeNode, CHHCFile::CreateNode("Again", "/p/page.htm", "{L}")})});
        hhc.AddFilesList2(list.get());
        book = hhc.GetNodeByID("{B}");
        page = hhc.GetNodeByID("{P}");
        merge = hhc.GetNodeByID("{M}");
        last = hhc.GetNodeByID("{L}");
    }
    CHHCFile hhc;
    CXML* book = nullptr;
    CXML* page = nullptr;
    CXML* merge = nullptr;
    CXML* last = nullptr;
};

TEST_F(TreeModels, NodesByIdentifierAndPosition) {
    EXPECT_EQ(hhc.GetNodeByID("ROOT"), hhc.GetTreeRoot());
    EXPECT_EQ(hhc.GetNodeByID("root"), hhc.GetTreeRoot());
    EXPECT_EQ(hhc.GetNodeByID(""), hhc.GetTreeRoot());
    EXPECT_EQ(hhc.GetNodeByID("Tail"), last);
    EXPECT_EQ(hhc.GetNodeByID("{P}"), page);
    EXPECT_EQ(hhc.GetNodeByID("{X}"), nullptr);
    EXPECT_EQ(hhc.GetNodeID(hhc.GetTreeRoot()), "ROOT");
    EXPECT_EQ(hhc.GetNodeID(page), "{P}");
    EXPECT_EQ(hhc.GetParentNode(page), book);
    EXPECT_EQ(hhc.GetParentNode(book), nullptr);
    EXPECT_EQ(hhc.GetParentNode("{P}"), book);
    EXPECT_EQ(hhc.GetParentNode("{X}"), nullptr);
    EXPECT_EQ(hhc.GetCount(), 4);
    EXPECT_EQ(hhc.GetNodeURL(page), "/p/page.htm");
    EXPECT_EQ(hhc.GetNodeURL(nullptr), "");

    CHHCFile empty;
    EXPECT_EQ(empty.GetNodeByID("TAIL"), empty.GetTreeRoot());
    EXPECT_EQ(empty.GetCount(), 0);
}

TEST_F(TreeModels, NewNodesGetImagesAndIdentities) {
    std::unique_ptr<CXML> withPage(CHHCFile::CreateNode("A", "/p/a.htm"));
    std::unique_ptr<CXML> withoutPage(CHHCFile::CreateNode("B", ""));
    EXPECT_EQ(withPage->GetAttr("ImageNumber"), "10");
    EXPECT_EQ(withoutPage->GetAttr("ImageNumber"), "0");
    EXPECT_EQ(withPage->GetAttr("ID").size(), 38u);
    EXPECT_NE(withPage->GetAttr("ID"), withoutPage->GetAttr("ID"));

    std::unique_ptr<CXML> keyword(CHHKFile::CreateNode("K", "/p/k.htm", 4, "{K}"));
    EXPECT_EQ(keyword->GetAttr("Type"), "4");
    EXPECT_EQ(keyword->GetAttr("ID"), "{K}");
    EXPECT_EQ(keyword->FindAttr("ImageNumber"), nullptr);
    CHHKFile hhk;
    EXPECT_EQ(hhk.GetNodeType(keyword.get()), 4);
}

TEST_F(TreeModels, PagesAndTitles) {
    std::vector<std::string> names, urls;
    hhc.GetNodeNameAndURL(names, urls);
    EXPECT_EQ(names, (std::vector<std::string>{"Page", "Merge", "Again"}));
    EXPECT_EQ(urls, (std::vector<std::string>{"/p/page.htm", "/p/other.chm", "/p/page.htm"}));
    std::string name = "stale";
    hhc.GetTopicNameByURL("/p/page.htm", name);
    EXPECT_EQ(name, "Page");
    hhc.GetTopicNameByURL("/P/PAGE.htm", name);
    EXPECT_EQ(name, "");
}

TEST_F(TreeModels, SelectionAndActivationNotifications) {
    NotificationLog log;
    log.Watch(hhc, "hhc");
    hhc.SetSelectedNode(page);
    hhc.SetSelectedNode(page); // unchanged: nothing sent
    EXPECT_EQ(hhc.GetSelectedNode(), page);
    EXPECT_EQ(hhc.GetSelectedNodeURL(), "/p/page.htm");
    EXPECT_EQ(hhc.GetSelectedNodeType(), 0);
    hhc.SetSelectedNode(merge);
    EXPECT_EQ(hhc.GetSelectedNodeType(), 3);
    hhc.OnActivate(1);
    hhc.OnActivate(0);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"hhc:11", "hhc:11", "hhc:12", "hhc:13"}));
    EXPECT_EQ(log.nodes[0], page);

    hhc.SetDroppedNode(book);
    EXPECT_EQ(hhc.GetDroppedNode(), book);
    hhc.InitHHC(); // empties the tree and forgets both nodes
    EXPECT_EQ(hhc.GetCount(), 0);
    EXPECT_EQ(hhc.GetSelectedNode(), nullptr);
    EXPECT_EQ(hhc.GetDroppedNode(), nullptr);

    CHHKFile hhk;
    NotificationLog indexLog;
    indexLog.Watch(hhk, "hhk");
    CXML* keyword = hhk.GetTreeRoot()->AddChild(CHHKFile::CreateNode("K", "", 0));
    hhk.SetSelectedNode(keyword);
    hhk.OnActivate(1);
    hhk.OnActivate(0);
    hhk.SetFont("Arial", 10, 0);
    EXPECT_EQ(indexLog.entries, (std::vector<std::string>{"hhk:22", "hhk:25", "hhk:26", "hhk:30"}));
}

} // namespace
