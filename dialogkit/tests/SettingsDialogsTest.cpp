#include "dialogkit/DropFileFilterDialog.h"
#include "dialogkit/FavoriteEditorsForm.h"
#include "dialogkit/Preferences.h"

#include "commonkit/DropFileFilterSet.h"
#include "commonkit/FavoriteEditorManager.h"
#include "runconfig/RunSettings.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::vector<ReplacementRow>;

TEST(PreferencesTest, UnknownTopicRuleShowsThePageTitleAndOkStoresIt) {
    mb::RunSettings settings;
    CConfigData& config = settings.config;
    config.m_nHtmlTopic = 5;
    config.m_nHtmlOtherTypesTopic = 7;
    CDlgPreferences dialog(config);
    EXPECT_EQ(dialog.GetHTMLTopicTitle(), HtmlTopicTitle::PageTitle);
    EXPECT_TRUE(dialog.GetOtherTypesWithoutExtension());
    dialog.OnOK();
    EXPECT_EQ(config.m_nHtmlTopic, 0);
    EXPECT_EQ(config.m_nHtmlOtherTypesTopic, 1);
}

TEST(PreferencesTest, RowsAreRemovedTogetherAndEmptyRowsAreWrittenBack) {
    mb::RunSettings settings;
    CConfigData& config = settings.config;
    config.ReadConfigData_XML();
    CXML* table = config.GetReplacedTable();
    table->DelAllChild();
    for (const char* old : {"a", "b", "c", "d"}) {
        CXML* item = table->AddChild("REPLACE_ITEM");
        item->SetAttr("old", old);
        item->SetAttr("new", "_");
    }
    CDlgPreferences dialog(config);
    dialog.Replacements().Remove({3, 0, 2, 2, 9});
    dialog.Replacements().Add({"", ""});
    EXPECT_EQ(dialog.Replacements().Rows(), (Rows{{"b", "_"}, {"", ""}}));
    EXPECT_EQ(table->GetChildCount(), 4); // untouched until OK

    dialog.OnOK();
    ASSERT_EQ(table->GetTagName(), "REPLACE_TABLE");
    ASSERT_EQ(table->GetChildCount(), 2);
    const CXML* empty = table->GetChildAt(1);
    EXPECT_EQ(empty->GetTagName(), "REPLACE_ITEM");
    ASSERT_NE(empty->FindAttr("old"), nullptr);
    ASSERT_NE(empty->FindAttr("new"), nullptr);
    EXPECT_EQ(*empty->FindAttr("old"), "");
}

class FilterDialogTest : public ::testing::Test {
protected:
    void SetUp() override { filters.UseDefaultData(); }
    CDropFileFilterSet filters;
};

TEST_F(FilterDialogTest, CancelRestoresNamesAndTheFilterInUseButKeepsAddedFilters) {
    CDlgSetDropFileFilter dialog(filters, FilterSection::SkipFiles);
    filters.GetFilterAt(0)->SetName_Dynamic("Renamed");
    EXPECT_FALSE(dialog.AddFilter(""));
    EXPECT_TRUE(dialog.AddFilter("Mine"));
    dialog.SelectFilter(2);
    EXPECT_TRUE(dialog.Section(FilterSection::SkipFolders).Add("build"));
    dialog.OnCancel();
    EXPECT_EQ(filters.GetFilterCount(), 3);
    EXPECT_EQ(filters.GetUsingFilterIndex(), 0);
    EXPECT_EQ(filters.GetFilterAt(0)->GetName_Dynamic(), "Default");
    EXPECT_EQ(FilterSectionEdit(filters.GetFilterAt(2), FilterSection::SkipFolders).Count(), 2);
}

TEST_F(FilterDialogTest, CancelAfterDeletingTheFilterInUseKeepsAFilterThatExists) {
    filters.SetUsingFilterIndex(1);
    CDlgSetDropFileFilter dialog(filters, FilterSection::SkipFolders);
    EXPECT_TRUE(dialog.DeleteFilter(1));
    EXPECT_EQ(dialog.GetCurrentIndex(), 0);
    dialog.OnCancel();
    ASSERT_NE(filters.GetUsingFilter(), nullptr);
    EXPECT_EQ(filters.GetUsingFilter()->GetName_Dynamic(), "Default");

    // Deleting the only filter leaves none in use, and Cancel invents none.
    CDlgSetDropFileFilter again(filters, FilterSection::SkipFolders);
    EXPECT_TRUE(again.DeleteFilter(0));
    again.OnCancel();
    EXPECT_EQ(again.GetCurrentIndex(), -1);
}

TEST_F(FilterDialogTest, SectionEditsKeepChecksAndRefuseEmptyOrUnchangedNames) {
    CDlgSetDropFileFilter dialog(filters, FilterSection::SkipFolders);
    FilterSectionEdit folders = dialog.Section(FilterSection::SkipFolders);
    folders.SetUsed(0, false);
    EXPECT_FALSE(folders.Rename(0, "*.files"));
    EXPECT_FALSE(folders.Rename(0, ""));
    EXPECT_TRUE(folders.Rename(0, "*.parts"));
    EXPECT_EQ(folders.Name(0), "*.parts");
    EXPECT_FALSE(folders.IsUsed(0));
    std::string summary;
    filters.GetCurSkipFolders(summary);
    EXPECT_EQ(summary, "*_files");
    dialog.OnOK();
    EXPECT_EQ(FilterSectionEdit(filters.GetFilterAt(0), FilterSection::SkipFolders).Name(0),
              "*.parts");
}

TEST(FavoriteEditorsTest, TypesAreUniqueAndEditorsKeepTheirOrderAfterOk) {
    CFavoriteEditorManager manager;
    manager.AddNewEditor("htm", "Text Editor", "xdg-text");
    CDlgFavoriteEditors dialog(manager);
    EXPECT_FALSE(dialog.AddType("HTM"));
    EXPECT_FALSE(dialog.AddType(" . "));
    int added = -1;
    EXPECT_TRUE(dialog.AddType(".css", &added));
    EXPECT_EQ(dialog.Types(), (std::vector<std::string>{"htm", "css"}));
    EXPECT_FALSE(dialog.AddEditor(0, {"Nothing", ""}));
    EXPECT_TRUE(dialog.AddEditor(0, {"", "/usr/bin/kate"}));
    EXPECT_TRUE(dialog.MoveEditor(0, 1, -1));
    EXPECT_FALSE(dialog.MoveEditor(0, 0, -1));
    EXPECT_EQ(dialog.Editors(0), (std::vector<FavoriteEditor>{{"kate", "/usr/bin/kate"},
                                                              {"Text Editor", "xdg-text"}}));
    EXPECT_EQ(manager.GetData()->GetChildAt(0)->GetChildCount(), 1); // untouched until OK
    dialog.OnOK();
    int state = 0;
    CXML* html = manager.GetFavoriteEditor("/site/page.htm", state);
    EXPECT_EQ(state, 3);
    EXPECT_EQ(html->GetChildAt(0)->GetAttr("name"), "kate");
    EXPECT_NE(manager.FindFileElement("css"), nullptr);
}

} // namespace
