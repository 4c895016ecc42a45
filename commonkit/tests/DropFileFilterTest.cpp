#include "commonkit/DropFileFilter.h"
#include "commonkit/DropFileFilterSet.h"
#include "commonkit/StringTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A filter element in the stored format, built from pattern lists; every
// pattern is written as "name:used".
std::unique_ptr<CXML> MakeFilterData(const std::string& name, int enableFolders,
                                     const std::vector<std::string>& folders, int enableFiles,
                                     const std::vector<std::string>& files, int enableOnly,
                                     const std::vector<std::string>& only) {
    auto filter = std::make_unique<CXML>("FILTER");
    filter->SetAttr("name", name);
    auto section = [&](const char* tag, int enable, const char* itemTag,
                       const std::vector<std::string>& items) {
        CXML* node = filter->AddChild(tag);
        node->SetAttr("enable", enable);
        for (const std::string& item : items) {
            CXML* child = node->AddChild(itemTag);
            size_t colon = item.rfind(':');
            child->SetAttr("name", item.substr(0, colon));
            child->SetAttr("used", item.substr(colon + 1));
        }
    };
    section("SKIP_FOLDERS", enableFolders, "FOLDER", folders);
    section("SKIP_FILES", enableFiles, "FILE", files);
    section("ONLY_INCLUDE_FILES", enableOnly, "FILE", only);
    return filter;
}

// The section's items as "name:used" in order.
std::vector<std::string> Items(const CXML* section) {
    std::vector<std::string> items;
    for (int i = 0; i < section->GetChildCount(); ++i) {
        const CXML* item = section->GetChildAt(i);
        items.push_back(item->GetTagName() + "=" + item->GetAttr("name") + ":" +
                        item->GetAttr("used"));
    }
    return items;
}

std::string Xml(const CXML* node) {
    std::string text;
    if (node)
        node->XMLWriteString(text);
    return text;
}

std::string Summaries(const CDropFileFilterSet& set) {
    std::string folders, files, only;
    set.GetCurSkipFolders(folders);
    set.GetCurSkipFiles(files);
    set.GetCurOnlyIncludeFiles(only);
    return folders + " | " + files + " | " + only;
}

class DefaultFilterSet : public ::testing::Test {
protected:
    void SetUp() override { set.UseDefaultData(); }
    CDropFileFilterSet set;
};

TEST_F(DefaultFilterSet, HasTwoFiltersInStoredFormatWithFirstInUse) {
    ASSERT_EQ(set.GetFilterCount(), 2);
    EXPECT_EQ(set.GetUsingFilterIndex(), 0);
    EXPECT_EQ(set.GetUsingFilter(), set.GetFilterAt(0));
    EXPECT_EQ(set.GetFilterAt(0)->GetName_Dynamic(), CStrHelper::ML_GetStringEx(625));
    EXPECT_EQ(set.GetFilterAt(1)->GetName_Dynamic(), CStrHelper::ML_GetStringEx(626));
    EXPECT_FALSE(set.GetFilterAt(0)->GetName_Dynamic().empty());

    const CXML* web = set.GetFilterAt(1)->GetFilterData_Persistent();
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->GetTagName(), "FILTER");
    ASSERT_EQ(web->GetChildCount(), 3);
    EXPECT_EQ(web->GetChildAt(0)->GetTagName(), "SKIP_FOLDERS");
    EXPECT_EQ(web->GetChildAt(1)->GetTagName(), "SKIP_FILES");
    EXPECT_EQ(web->GetChildAt(2)->GetTagName(), "ONLY_INCLUDE_FILES");
    EXPECT_EQ(web->GetChildAt(0)->GetAttr("enable"), "1");
    EXPECT_EQ(web->GetChildAt(1)->GetAttr("enable"), "0");
    EXPECT_EQ(web->GetChildAt(2)->GetAttr("enable"), "1");
    EXPECT_EQ(Items(web->GetChildAt(0)),
              (std::vector<std::string>{"FOLDER=*.files:1", "FOLDER=*_files:1"}));
    EXPECT_EQ(
        Items(web->GetChildAt(1)),
        (std::vector<std::string>{"FILE=.bak:0", "FILE=.chm:0", "FILE=.com:0", "FILE=.dll:0",
                                  "FILE=.exe:0", "FILE=.hhc:0", "FILE=.hhk:0", "FILE=.hhp:0"}));
    EXPECT_EQ(Items(web->GetChildAt(2)),
              (std::vector<std::string>{"FILE=.htm:1", "FILE=.html:1", "FILE=.jpg:0", "FILE=.gif:0",
                                        "FILE=.bmp:0", "FILE=.swf:0", "FILE=.txt:0"}));

    const CXML* plain = set.GetFilterAt(0)->GetFilterData_Persistent();
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetChildAt(1)->GetChildCount(), 0);
    EXPECT_EQ(plain->GetChildAt(2)->GetChildCount(), 0);
    EXPECT_EQ(plain->GetChildAt(1)->GetAttr("enable"), "0");
    EXPECT_EQ(plain->GetChildAt(2)->GetAttr("enable"), "0");
}

TEST_F(DefaultFilterSet, SummariesOfEachFilter) {
    EXPECT_EQ(Summaries(set), "*.files,*_files | NONE | NONE");
    set.SetUsingFilterIndex(1);
    // Skip-files is disabled, and only ".htm" and ".html" are used.
    EXPECT_EQ(Summaries(set), "*.files,*_files | NONE | .htm,.html");
}

TEST_F(DefaultFilterSet, WebPagesFilterAdmitsOnlyUsedExtensionsInAnyCase) {
    const CDropFileFilter* web = set.GetFilterAt(1);
    EXPECT_TRUE(web->AdmitsFile("index.HTML"));
    EXPECT_TRUE(web->AdmitsFile("page.htm"));
    EXPECT_TRUE(web->AdmitsFile("a.HTM"));
    EXPECT_FALSE(web->AdmitsFile("logo.gif")); // listed, but not used
    EXPECT_FALSE(web->AdmitsFile("setup.exe"));
    EXPECT_FALSE(web->AdmitsFile("README")); // no extension at all
    EXPECT_FALSE(web->AdmitsFile("page.htmx"));
    // The anchor behind a page name is not part of its extension.
    EXPECT_TRUE(web->AdmitsFile("page.htm#top"));
    // The plain filter takes every file.
    EXPECT_TRUE(set.GetFilterAt(0)->AdmitsFile("logo.gif"));
    EXPECT_TRUE(set.GetFilterAt(0)->AdmitsFile("setup.exe"));
}

TEST_F(DefaultFilterSet, SkipsSavedPageFolders) {
    for (int i = 0; i < 2; ++i) {
        const CDropFileFilter* filter = set.GetFilterAt(i);
        EXPECT_FALSE(filter->AdmitsFolder("Images_files"));
        EXPECT_FALSE(filter->AdmitsFolder("IMAGES_FILES"));
        EXPECT_FALSE(filter->AdmitsFolder("page.files"));
        EXPECT_TRUE(filter->AdmitsFolder("files"));
        EXPECT_TRUE(filter->AdmitsFolder("images"));
        EXPECT_TRUE(filter->AdmitsFolder("files_x"));
    }
}

TEST(DropFileFilterMatching, PlainFolderPatternsCompareWholeNamesIgnoringCase) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 1, {"temp:1", "css:0"}, 0, {}, 0, {});
    filter.Load(data.get());
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("TEMP"), 1);
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("temporary"), 0);
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("my.temp"), 0);
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("css"), 0); // not used
    filter.SetSkipFolderState_Dynamic(1, 1);
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("CSS"), 1);
}

TEST(DropFileFilterMatching, PlainFilePatternsCompareTheDottedExtension) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 0, {}, 1, {".bak:1", "exe:1", "*.tmp:1", "~?x*:1"}, 0, {});
    filter.Load(data.get());
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("old.BAK"), 1);
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("old.bak.txt"), 0);
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("setup.exe"), 0); // the pattern lacks the dot
    // Wildcard patterns are matched against the whole name.
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("Scratch.TMP"), 1);
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("~axe.doc"), 1);
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("a~axe.doc"), 0);
}

TEST(DropFileFilterMatching, OptionalCharacterPatternsAreWildcards) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 1, {"image^s:1"}, 0, {}, 0, {});
    filter.Load(data.get());
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("image"), 1);
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("Images"), 1);
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("imagex"), 0);
}

TEST(DropFileFilterMatching, OnlyIncludeWithoutUsedItemsAdmitsEverything) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 0, {}, 0, {}, 1, {".htm:0", ".gif:0"});
    filter.Load(data.get());
    EXPECT_EQ(filter.BelongToOnlyIncludeFiles_Dynamic("photo.jpg"), 1);
    EXPECT_TRUE(filter.AdmitsFile("photo.jpg"));
    filter.DelAllOnlyIncludeFile_Dynamic();
    EXPECT_EQ(filter.BelongToOnlyIncludeFiles_Dynamic("photo.jpg"), 1);
    filter.AddAOnlyIncludeFile_Dynamic(".gif");
    EXPECT_EQ(filter.BelongToOnlyIncludeFiles_Dynamic("photo.jpg"), 0);
    EXPECT_EQ(filter.BelongToOnlyIncludeFiles_Dynamic("logo.GIF"), 1);
}

TEST(DropFileFilterMatching, MatchingIgnoresTheSwitchesButTheWalkHonoursThem) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 0, {"cvs:1"}, 0, {".bak:1"}, 0, {".htm:1"});
    filter.Load(data.get());
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("CVS"), 1);
    EXPECT_EQ(filter.BelongToSkipFiles_Dynamic("a.bak"), 1);
    EXPECT_EQ(filter.BelongToOnlyIncludeFiles_Dynamic("a.gif"), 0);
    // All three sections are disabled: everything is walked and taken.
    EXPECT_TRUE(filter.AdmitsFolder("CVS"));
    EXPECT_TRUE(filter.AdmitsFile("a.bak"));
    EXPECT_TRUE(filter.AdmitsFile("a.gif"));

    filter.SetEnableSkipFolders_Dynamic(1);
    filter.SetEnableSkipFiles_Dynamic(1);
    EXPECT_FALSE(filter.AdmitsFolder("CVS"));
    EXPECT_FALSE(filter.AdmitsFile("a.bak"));
    EXPECT_TRUE(filter.AdmitsFile("a.gif"));
    filter.SetEnableOnlyIncludeFiles_Dynamic(1);
    EXPECT_FALSE(filter.AdmitsFile("a.gif"));
    EXPECT_TRUE(filter.AdmitsFile("a.htm"));
    // Skipping wins over inclusion.
    filter.AddASkipFile_Dynamic("index*");
    EXPECT_FALSE(filter.AdmitsFile("index.htm"));
}

TEST(DropFileFilterMatching, AnEmptyOrSectionlessFilterRestrictsNothing) {
    CDropFileFilter empty;
    EXPECT_EQ(empty.BelongToSkipFolders_Dynamic("x"), 0);
    EXPECT_EQ(empty.BelongToSkipFiles_Dynamic("x.bak"), 0);
    EXPECT_EQ(empty.BelongToOnlyIncludeFiles_Dynamic("x.bak"), 1);
    EXPECT_TRUE(empty.AdmitsFolder("x"));
    EXPECT_TRUE(empty.AdmitsFile("x.bak"));

    CXML partial("FILTER");
    partial.SetAttr("name", "partial");
    partial.AddChild("SKIP_FILES")->SetAttr("enable", 1);
    CDropFileFilter filter;
    filter.Load(&partial);
    EXPECT_EQ(filter.GetSkipFoldersData_Dynamic(), nullptr);
    EXPECT_NE(filter.GetSkipFilesData_Dynamic(), nullptr);
    filter.AddASkipFolder_Dynamic("ignored");
    filter.SetEnableOnlyIncludeFiles_Dynamic(1);
    filter.DelASkipFolder_Dynamic(0);
    std::string text;
    filter.SkipFolders2String(text);
    EXPECT_EQ(text, "NONE");
    EXPECT_EQ(filter.GetEnableSkipFiles_Dynamic(), 1);
    EXPECT_EQ(Xml(filter.GetFilterData_Dynamic()), Xml(&partial));
}

TEST(DropFileFilterItems, AccessByPositionReadsDefaultsAndIgnoresWritesOutOfRange) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 1, {"a:1", "b:0"}, 1, {".x:1"}, 1, {".y:0"});
    filter.Load(data.get());
    const std::string before = Xml(filter.GetFilterData_Dynamic());

    std::string name = "unchanged";
    int used = 7;
    filter.GetSkipFolderName_Dynamic(2, name);
    filter.GetSkipFolderState_Dynamic(-1, used);
    EXPECT_EQ(name, "");
    EXPECT_EQ(used, 1);
    filter.GetSkipFileName_Dynamic(5, name);
    filter.GetOnlyIncludeFileState_Dynamic(1, used);
    EXPECT_EQ(name, "");
    EXPECT_EQ(used, 1);

    filter.SetSkipFolderName_Dynamic(2, "z");
    filter.SetSkipFolderState_Dynamic(-1, 0);
    filter.SetSkipFileName_Dynamic(1, "z");
    filter.SetOnlyIncludeFileState_Dynamic(3, 1);
    filter.DelASkipFolder_Dynamic(2);
    filter.DelASkipFile_Dynamic(-1);
    filter.DelAOnlyIncludeFile_Dynamic(1);
    EXPECT_EQ(Xml(filter.GetFilterData_Dynamic()), before);

    filter.GetSkipFolderName_Dynamic(1, name);
    filter.GetSkipFolderState_Dynamic(1, used);
    EXPECT_EQ(name, "b");
    EXPECT_EQ(used, 0);
}

TEST(DropFileFilterItems, AddRenameDeleteInEverySection) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 1, {"a:0"}, 1, {}, 1, {".htm:1", ".gif:1"});
    filter.Load(data.get());

    filter.AddASkipFolder_Dynamic("b");
    filter.AddASkipFile_Dynamic(".bak");
    filter.AddAOnlyIncludeFile_Dynamic(".txt");
    EXPECT_EQ(Items(filter.GetSkipFoldersData_Dynamic()),
              (std::vector<std::string>{"FOLDER=a:0", "FOLDER=b:1"}));
    EXPECT_EQ(Items(filter.GetSkipFilesData_Dynamic()), (std::vector<std::string>{"FILE=.bak:1"}));

    filter.SetOnlyIncludeFileName_Dynamic(1, ".png");
    filter.SetOnlyIncludeFileState_Dynamic(0, 0);
    filter.SetSkipFileName_Dynamic(0, ".old");
    filter.SetSkipFolderState_Dynamic(0, 1);
    filter.DelAOnlyIncludeFile_Dynamic(2);
    EXPECT_EQ(Items(filter.GetOnlyIncludeFilesData_Dynamic()),
              (std::vector<std::string>{"FILE=.htm:0", "FILE=.png:1"}));
    EXPECT_EQ(Items(filter.GetSkipFilesData_Dynamic()), (std::vector<std::string>{"FILE=.old:1"}));
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("a"), 1);

    filter.DelASkipFolder_Dynamic(0);
    EXPECT_EQ(Items(filter.GetSkipFoldersData_Dynamic()), (std::vector<std::string>{"FOLDER=b:1"}));
    filter.DelAllSkipFolder_Dynamic();
    filter.DelAllSkipFile_Dynamic();
    EXPECT_EQ(filter.GetSkipFoldersData_Dynamic()->GetChildCount(), 0);
    EXPECT_EQ(filter.GetSkipFilesData_Dynamic()->GetChildCount(), 0);
    EXPECT_EQ(filter.GetOnlyIncludeFilesData_Dynamic()->GetChildCount(), 2);
}

TEST(DropFileFilterSummary, NoneUnlessEnabledWithUsedItems) {
    CDropFileFilter filter;
    auto data = MakeFilterData("f", 0, {"a:1", "b:1"}, 1, {}, 1, {".x:0", ".y:0"});
    filter.Load(data.get());
    std::string text;
    filter.SkipFolders2String(text);
    EXPECT_EQ(text, "NONE"); // disabled
    filter.SkipFiles2String(text);
    EXPECT_EQ(text, "NONE"); // no items
    filter.OnlyIncludeFiles2String(text);
    EXPECT_EQ(text, "NONE"); // nothing used

    filter.SetEnableSkipFolders_Dynamic(1);
    filter.SkipFolders2String(text);
    EXPECT_EQ(text, "a,b");
    filter.SetOnlyIncludeFileState_Dynamic(1, 1);
    filter.AddAOnlyIncludeFile_Dynamic(".z");
    filter.OnlyIncludeFiles2String(text);
    EXPECT_EQ(text, ".y,.z");
}

TEST(DropFileFilterCopies, DynamicEditsStayApartUntilCommitted) {
    auto data = MakeFilterData("old", 1, {"a:1"}, 0, {}, 0, {});
    CDropFileFilter filter;
    filter.Load(data.get());
    // The filter keeps its own copies.
    data->SetAttr("name", "changed outside");
    EXPECT_EQ(filter.GetName_Dynamic(), "old");
    EXPECT_NE(filter.GetFilterData_Persistent(), filter.GetFilterData_Dynamic());

    filter.SetName_Dynamic("new");
    filter.AddASkipFolder_Dynamic("b");
    EXPECT_EQ(filter.GetFilterData_Persistent()->GetAttr("name"), "old");
    EXPECT_EQ(filter.GetFilterData_Persistent()->GetChildAt(0)->GetChildCount(), 1);

    filter.CopyPersistentToDynamic();
    EXPECT_EQ(filter.GetName_Dynamic(), "old");
    EXPECT_EQ(filter.BelongToSkipFolders_Dynamic("b"), 0);

    filter.SetName_Dynamic("new");
    filter.AddASkipFolder_Dynamic("b");
    filter.CopyDynamicToPersistent();
    EXPECT_EQ(filter.GetFilterData_Persistent()->GetAttr("name"), "new");
    EXPECT_EQ(Xml(filter.GetFilterData_Persistent()), Xml(filter.GetFilterData_Dynamic()));
    // Later edits go to the dynamic copy only, which still has its sections.
    filter.SetEnableSkipFolders_Dynamic(0);
    EXPECT_EQ(filter.GetFilterData_Persistent()->GetChildAt(0)->GetAttr("enable"), "1");
}

TEST(DropFileFilterCopies, EmptyFilterStaysEmpty) {
    CDropFileFilter filter;
    filter.CopyPersistentToDynamic();
    filter.CopyDynamicToPersistent();
    EXPECT_EQ(filter.GetFilterData_Persistent(), nullptr);
    EXPECT_EQ(filter.GetFilterData_Dynamic(), nullptr);
    filter.SetName_Dynamic("x");
    EXPECT_EQ(filter.GetName_Dynamic(), "");
    filter.Load(nullptr);
    EXPECT_EQ(filter.GetFilterData_Persistent(), nullptr);
}

TEST(DropFileFilterSetEditing, LoadTakesFiltersInOrderAndReplacesOldOnes) {
    CXML stored("FILTER_SET");
    stored.SetAttr("using", 2);
    stored.AddChild(MakeFilterData("one", 1, {"x:1"}, 0, {}, 0, {}).release());
    stored.AddChild(MakeFilterData("two", 0, {}, 0, {}, 0, {}).release());
    stored.AddChild(MakeFilterData("three", 0, {}, 0, {}, 1, {".htm:1"}).release());

    CDropFileFilterSet set;
    set.UseDefaultData();
    set.Load(&stored);
    ASSERT_EQ(set.GetFilterCount(), 3);
    EXPECT_EQ(set.GetFilterAt(0)->GetName_Dynamic(), "one");
    EXPECT_EQ(set.GetFilterAt(2)->GetName_Dynamic(), "three");
    EXPECT_EQ(set.GetUsingFilterIndex(), 2);
    EXPECT_EQ(Summaries(set), "NONE | NONE | .htm");
    EXPECT_EQ(Xml(set.GetFilterAt(1)->GetFilterData_Persistent()), Xml(stored.GetChildAt(1)));

    set.Load(nullptr);
    EXPECT_EQ(set.GetFilterCount(), 0);
    EXPECT_EQ(set.GetUsingFilter(), nullptr);
    EXPECT_EQ(Summaries(set), "NONE | NONE | NONE");
}

TEST_F(DefaultFilterSet, AddedFilterHasUnusedPatternsAndLeavesIndexAlone) {
    set.SetUsingFilterIndex(1);
    EXPECT_EQ(set.AddAFilter("mine"), 1);
    ASSERT_EQ(set.GetFilterCount(), 3);
    EXPECT_EQ(set.GetUsingFilterIndex(), 1);
    const CDropFileFilter* added = set.GetFilterAt(2);
    EXPECT_EQ(added->GetName_Dynamic(), "mine");
    EXPECT_EQ(added->GetEnableSkipFolders_Dynamic(), 0);
    EXPECT_EQ(added->GetEnableSkipFiles_Dynamic(), 0);
    EXPECT_EQ(added->GetEnableOnlyIncludeFiles_Dynamic(), 0);
    EXPECT_EQ(Items(added->GetSkipFoldersData_Dynamic()),
              (std::vector<std::string>{"FOLDER=temp:0", "FOLDER=css:0"}));
    EXPECT_EQ(
        Items(added->GetSkipFilesData_Dynamic()),
        (std::vector<std::string>{"FILE=.bak:0", "FILE=.chm:0", "FILE=.com:0", "FILE=.dll:0",
                                  "FILE=.exe:0", "FILE=.hhc:0", "FILE=.hhk:0", "FILE=.hhp:0"}));
    EXPECT_EQ(Items(added->GetOnlyIncludeFilesData_Dynamic()),
              (std::vector<std::string>{"FILE=.htm:0", "FILE=.html:0", "FILE=.jpg:0", "FILE=.gif:0",
                                        "FILE=.bmp:0", "FILE=.swf:0", "FILE=.txt:0"}));
    // Added filters are persistent at once.
    EXPECT_EQ(Xml(added->GetFilterData_Persistent()), Xml(added->GetFilterData_Dynamic()));
}

TEST_F(DefaultFilterSet, DeletingLeavesTheInUseIndexAsItWas) {
    EXPECT_EQ(set.DelAFilter(2), 0);
    EXPECT_EQ(set.DelAFilter(-1), 0);
    EXPECT_EQ(set.GetFilterCount(), 2);

    set.SetUsingFilterIndex(1);
    EXPECT_EQ(set.DelAFilter(1), 1);
    EXPECT_EQ(set.GetFilterCount(), 1);
    EXPECT_EQ(set.GetUsingFilterIndex(), 1);
    EXPECT_EQ(set.GetUsingFilter(), nullptr);
    EXPECT_EQ(Summaries(set), "NONE | NONE | NONE");

    set.AddAFilter("back");
    EXPECT_EQ(set.GetUsingFilter(), set.GetFilterAt(1));
    EXPECT_EQ(set.GetUsingFilter()->GetName_Dynamic(), "back");
}

// The filter dialog works on the dynamic copies: OK commits every filter,
// Cancel discards the edits and puts the remembered filter back in use, while
// adding and deleting filters take effect at once.
TEST_F(DefaultFilterSet, CancelledDialogRestoresEditsButKeepsAddedFilters) {
    const int remembered = set.GetUsingFilterIndex();
    const std::string webBefore = Xml(set.GetFilterAt(1)->GetFilterData_Persistent());
    set.GetFilterAt(0)->SetName_Dynamic("renamed");
    set.SetUsingFilterIndex(1);
    set.GetFilterAt(1)->SetEnableSkipFiles_Dynamic(1);
    set.GetFilterAt(1)->SetSkipFileState_Dynamic(0, 1);
    EXPECT_FALSE(set.GetUsingFilter()->AdmitsFile("x.bak")); // matching sees the edit
    set.AddAFilter("added");

    set.CancelEdits(remembered);
    ASSERT_EQ(set.GetFilterCount(), 3);
    EXPECT_EQ(set.GetUsingFilterIndex(), 0);
    EXPECT_EQ(set.GetFilterAt(0)->GetName_Dynamic(), CStrHelper::ML_GetStringEx(625));
    EXPECT_EQ(Xml(set.GetFilterAt(1)->GetFilterData_Dynamic()), webBefore);
    EXPECT_EQ(set.GetFilterAt(2)->GetName_Dynamic(), "added");
}

TEST_F(DefaultFilterSet, ConfirmedDialogCommitsEveryFilter) {
    set.GetFilterAt(0)->SetName_Dynamic("renamed");
    set.GetFilterAt(1)->AddAOnlyIncludeFile_Dynamic(".php");
    set.DelAFilter(0);
    set.SetUsingFilterIndex(0);

    set.CommitEdits();
    ASSERT_EQ(set.GetFilterCount(), 1);
    const CXML* saved = set.GetFilterAt(0)->GetFilterData_Persistent();
    EXPECT_EQ(Items(saved->GetChildByTagName("ONLY_INCLUDE_FILES")).back(), "FILE=.php:1");
    // A later cancel has nothing left to restore.
    set.CancelEdits(0);
    std::string only;
    set.GetCurOnlyIncludeFiles(only);
    EXPECT_EQ(only, ".htm,.html,.php");
}

} // namespace
