#include "runconfig/ConfigData.h"
#include "baseutil/Desktop.h"
#include "baseutil/tests/support/ScriptedPrompt.h"
#include "baseutil/tests/support/TempTree.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunSettings.h"
#include "runconfig/tests/support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include <csignal>
#include <filesystem>
#include <map>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using mb::testing::ScopedEnv;
using mb::testing::TempTree;

// Answers the default program of a file type from a table, so that the
// favourite editors do not depend on the machine.
class FakeDesktop final : public mb::IDesktop {
public:
    std::map<std::string, mb::DesktopProgram> programs; // extension -> program
    int questions = 0;

    bool Open(const std::string&) override { return false; }
    bool StartProgram(const std::string&, const std::string&) override { return false; }
    std::optional<mb::DesktopProgram> DefaultProgramFor(const std::string& file) override {
        ++questions;
        auto found = programs.find(fs::path(file).extension().string().substr(1));
        if (found == programs.end())
            return std::nullopt;
        return found->second;
    }
};

// The tags of the children of `node`, in order, joined by blanks.
std::string ChildTags(const CXML* node) {
    std::string tags;
    for (int i = 0; node && i < node->GetChildCount(); ++i)
        tags += (i ? " " : "") + node->GetChildAt(i)->GetTagName();
    return tags;
}

std::string Xml(const CXML* node) {
    std::string text;
    if (node)
        node->XMLWriteString(text);
    return text;
}

class ConfigDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop.programs["gif"] = {"/usr/bin/gimp", false};
        desktop.programs["htm"] = {"/usr/bin/firefox", true};
        FreshRun();
    }
    // The settings as a new run of the program finds them.
    CConfigData& FreshRun() {
        m_run = std::make_unique<mb::RunSettings>();
        return Config();
    }
    CConfigData& Config() { return m_run->config; }

    // A configuration file with the given CONFIG_DATA content.
    void WriteConfig(const std::string& configData) {
        home.Write("mbconfig.xml", "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n"
                                   "<MARROWBOOK_CONFIG><CONFIG_DATA>" +
                                       configData + "</CONFIG_DATA></MARROWBOOK_CONFIG>");
    }
    std::unique_ptr<CXML> SavedDocument() {
        auto document = std::make_unique<CXML>();
        EXPECT_TRUE(document->XMLReadString(TempTree::Read(path)));
        return document;
    }
    CXML* SavedConfigData(CXML& document) { return document.GetChildByTagName("CONFIG_DATA"); }

    // Values of the defaults that reading never takes from elsewhere.
    void ExpectDefaults(CConfigData& config) {
        EXPECT_EQ(config.m_addDirectoryOption.fileFormat, 0);
        EXPECT_EQ(config.m_addDirectoryOption.includeSubDir, 1);
        EXPECT_EQ(config.m_nLastConfigPage, 0);
        EXPECT_EQ(config.m_strLastProjectPath, "");
        EXPECT_EQ(config.GetLCID(), 1031); // from LC_ALL below
        EXPECT_EQ(config.GetViewStyle(), 0);
        EXPECT_EQ(config.m_nHtmlTopic, 0);
        EXPECT_EQ(config.m_nHtmlOtherTypesTopic, 0);
        EXPECT_EQ(config.m_bAutoCheckUpdate, 0);
        EXPECT_TRUE(config.m_recentProjects.empty());
        ASSERT_NE(config.GetReplacedTable(), nullptr);
        const CXML* table = config.GetReplacedTable();
        EXPECT_EQ(table->GetTagName(), "REPLACE_TABLE");
        ASSERT_EQ(ChildTags(table), "REPLACE_ITEM REPLACE_ITEM");
        EXPECT_EQ(table->GetChildAt(0)->GetAttr("old") + table->GetChildAt(0)->GetAttr("new"),
                  "&and");
        EXPECT_EQ(table->GetChildAt(1)->GetAttr("old") + table->GetChildAt(1)->GetAttr("new"),
                  "#_sharp");
        CDropFileFilterSet* filters = config.GetDropFileFilterSet();
        ASSERT_EQ(filters->GetFilterCount(), 2);
        EXPECT_EQ(filters->GetUsingFilterIndex(), 0);
        EXPECT_EQ(filters->GetFilterAt(1)->GetName_Dynamic(), CStrHelper::ML_GetStringEx(626));
        // Rebuilt for the eleven default types, one question each.
        CXML* editors = config.GetFavoriteEditorManager(desktop)->GetData();
        EXPECT_EQ(editors->GetChildCount(), 11);
        EXPECT_EQ(desktop.questions, 11);
        int state = 0;
        CXML* gif = config.GetFavoriteEditorManager(desktop)->GetFavoriteEditor("/x/a.gif", state);
        ASSERT_NE(gif, nullptr);
        EXPECT_EQ(gif->GetChildAt(0)->Value(), "/usr/bin/gimp");
        // The browser is no editor; the text editor is added for pages.
        CXML* htm = config.GetFavoriteEditorManager(desktop)->GetFavoriteEditor("/x/a.htm", state);
        EXPECT_EQ(state, 2);
        EXPECT_EQ(htm->GetChildAt(0)->Value(), mb::kDefaultTextEditor);
    }

    TempTree home;
    ScopedEnv homeVariable{"MARROWBOOK_HOME", home.Root()};
    ScopedEnv locale{"LC_ALL", "de_DE.UTF-8"};
    FakeDesktop desktop;
    mb::testing::ScriptedPrompt prompt;
    std::string path = home / "mbconfig.xml";

private:
    std::unique_ptr<mb::RunSettings> m_run;
};

TEST_F(ConfigDataTest, ConstructorValuesBeforeAnyRead) {
    CConfigData& config = Config();
    EXPECT_EQ(config.GetConfigFilename(), path);
    EXPECT_EQ(config.GetLCID(), 1033);
    EXPECT_EQ(config.GetInsertMode(), 2);
    EXPECT_EQ(config.GetReplacedTable(), nullptr);
    EXPECT_EQ(config.GetDropFileFilterSet()->GetFilterCount(), 0);
    EXPECT_EQ(config.GetFavoriteEditorManager(desktop)->GetData()->GetChildCount(), 0);
    EXPECT_TRUE(config.m_recentProjects.empty());
    EXPECT_EQ(config.m_strLastCheckDate, "");
    EXPECT_EQ(desktop.questions, 0);
}

TEST_F(ConfigDataTest, MissingFileGivesDefaultsAndKeepsTheRest) {
    CConfigData& config = Config();
    config.m_bShowChmPath = 1;
    config.SetInsertMode(0);
    config.m_strLastCheckDate = "200701";
    config.m_recentProjects = {"/old.mbk"};
    EXPECT_EQ(config.ReadConfigData_XML(), 0);
    ExpectDefaults(config);
    // Values the defaults do not name keep what they had.
    EXPECT_EQ(config.m_bShowChmPath, 1);
    EXPECT_EQ(config.GetInsertMode(), 0);
    EXPECT_EQ(config.m_strLastCheckDate, "200701");
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(ConfigDataTest, UnusableFilesGiveDefaultsSilently) {
    const std::string complete =
        "<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<MARROWBOOK_CONFIG><CONFIG_DATA>"
        "<OTHER><VIEW_STYLE>3</VIEW_STYLE></OTHER></CONFIG_DATA></MARROWBOOK_CONFIG>";
    const std::string files[] = {
        "",
        complete.substr(0, complete.size() / 2),          // truncated
        complete.substr(0, complete.size() - 3),          // root never closed
        "VIEW_STYLE=3\n[OTHER]\n",                        // not XML
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), // binary
        "<OTHER_ROOT><CONFIG_DATA><OTHER><VIEW_STYLE>3</VIEW_STYLE></OTHER>"
        "</CONFIG_DATA></OTHER_ROOT>", // foreign root
        "<MARROWBOOK_CONFIG><OTHER><VIEW_STYLE>3</VIEW_STYLE></OTHER></MARROWBOOK_CONFIG>",
    };
    for (const std::string& content : files) {
        home.Write("mbconfig.xml", content);
        desktop.questions = 0;
        CConfigData& config = FreshRun();
        EXPECT_EQ(config.ReadConfigData_XML(), 0) << content;
        // Asking the desktop for editors takes seconds: only when used.
        EXPECT_EQ(desktop.questions, 0);
        ExpectDefaults(config);
    }
    // The same file, complete, is read.
    home.Write("mbconfig.xml", complete);
    EXPECT_EQ(FreshRun().ReadConfigData_XML(), 1);
    EXPECT_EQ(Config().GetViewStyle(), 3);
}

TEST_F(ConfigDataTest, ForeignFileIsReplacedByACompleteOneAtTheNextSave) {
    home.Write("mbconfig.xml", "<SOMETHING_ELSE><CONFIG_DATA/></SOMETHING_ELSE>");
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);

    const std::string text = TempTree::Read(path);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n<MARROWBOOK_CONFIG>", 0),
              0u);
    auto document = SavedDocument();
    EXPECT_EQ(document->GetTagName(), "MARROWBOOK_CONFIG");
    EXPECT_EQ(ChildTags(document.get()), "FORMAT_VERSION FILE_VERSION CONFIG_DATA");
    EXPECT_EQ(document->GetChildAt(0)->Value(), "");
    EXPECT_EQ(document->GetChildAt(1)->Value(), "");
    CXML* configData = SavedConfigData(*document);
    EXPECT_EQ(ChildTags(configData),
              "ADD_DIRECTORY OTHER MRU EDITORS SHOW_CHM_PATH ID_MAPPER_VIEW_ON "
              "ARCHIVEVIEW_VIEW_ON INSERT_MODE FILTER_SET AUTO_CHECK_UPDATE LAST_CHECK_DATE "
              "HTML_TOPIC HTML_OTHER_TYPES_TOPIC REPLACE_TABLE");
    EXPECT_EQ(ChildTags(configData->GetChildByTagName("ADD_DIRECTORY")),
              "FILE_FORMAT INCULDE_SUB_DIR");
    EXPECT_EQ(ChildTags(configData->GetChildByTagName("OTHER")),
              "LAST_CONFIG_PAGE LAST_PROJECT_PATH LCID VIEW_STYLE");
    EXPECT_EQ(ChildTags(configData->GetChildByTagName("MRU")),
              "MRU0 MRU1 MRU2 MRU3 MRU4 MRU5 MRU6 MRU7 MRU8 MRU9");
    EXPECT_EQ(configData->GetChildByTagName("OTHER")->GetChildByTagName("LCID")->Value(), "1031");
    EXPECT_EQ(configData->GetChildByTagName("INSERT_MODE")->Value(), "2");
    EXPECT_EQ(configData->GetChildByTagName("ADD_DIRECTORY")->GetChildAt(1)->Value(), "1");
    EXPECT_EQ(configData->GetChildByTagName("FILTER_SET")->GetChildCount(), 2);

    // And that file reads back as a usable one.
    EXPECT_EQ(FreshRun().ReadConfigData_XML(), 1);
}

TEST_F(ConfigDataTest, EveryValueSurvivesSaveAndRead) {
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    config.m_addDirectoryOption.fileFormat = 3;
    config.m_addDirectoryOption.includeSubDir = 0;
    config.m_nLastConfigPage = 4;
    config.m_strLastProjectPath = "/home/ann/Guide & Co/<b>\"book\".mbk";
    config.SetLCID(2052);
    config.SetViewStyle(2);
    config.m_recentProjects = {"/p/one.mbk", "/p/Grüße two.mbk", "/p/three.mbk"};
    config.m_bShowChmPath = 1;
    config.m_bIdMapperViewOn = 1;
    config.m_bArchiveViewOn = 1;
    config.SetInsertMode(1);
    config.m_bAutoCheckUpdate = 1;
    config.m_strLastCheckDate = "200703";
    config.m_nHtmlTopic = 2;
    config.m_nHtmlOtherTypesTopic = 1;
    CXML* item = config.GetReplacedTable()->AddChild("REPLACE_ITEM");
    item->SetAttr("old", " ");
    item->SetAttr("new", "_");
    config.GetFavoriteEditorManager(desktop)->AddNewEditor("php", "Kate", "/usr/bin/kate");
    CDropFileFilterSet* filters = config.GetDropFileFilterSet();
    filters->AddAFilter("mine");
    filters->GetFilterAt(2)->AddASkipFolder_Dynamic("build");
    filters->GetFilterAt(2)->CopyDynamicToPersistent();
    filters->GetFilterAt(0)->SetName_Dynamic("uncommitted edit");
    filters->SetUsingFilterIndex(2);
    const std::string editorsBefore = Xml(config.GetFavoriteEditorManager(desktop)->GetData());
    const std::string mineBefore = Xml(filters->GetFilterAt(2)->GetFilterData_Persistent());
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    // Writing changes nothing in memory.
    EXPECT_EQ(filters->GetFilterAt(0)->GetName_Dynamic(), "uncommitted edit");
    EXPECT_EQ(config.m_recentProjects.size(), 3u);

    desktop.questions = 0;
    CConfigData& back = FreshRun();
    EXPECT_EQ(back.ReadConfigData_XML(), 1);
    EXPECT_EQ(back.m_addDirectoryOption.fileFormat, 3);
    EXPECT_EQ(back.m_addDirectoryOption.includeSubDir, 0);
    EXPECT_EQ(back.GetSelectedConfigPage(), 4);
    EXPECT_EQ(back.m_strLastProjectPath, "/home/ann/Guide & Co/<b>\"book\".mbk");
    EXPECT_EQ(back.GetLCID(), 2052);
    EXPECT_EQ(back.GetViewStyle(), 2);
    EXPECT_EQ(back.m_recentProjects,
              (std::vector<std::string>{"/p/one.mbk", "/p/Grüße two.mbk", "/p/three.mbk"}));
    EXPECT_EQ(back.m_bShowChmPath, 1);
    EXPECT_EQ(back.m_bIdMapperViewOn, 1);
    EXPECT_EQ(back.m_bArchiveViewOn, 1);
    EXPECT_EQ(back.GetInsertMode(), 1);
    EXPECT_EQ(back.m_bAutoCheckUpdate, 1);
    EXPECT_EQ(back.m_strLastCheckDate, "200703");
    EXPECT_EQ(back.m_nHtmlTopic, 2);
    EXPECT_EQ(back.m_nHtmlOtherTypesTopic, 1);
    ASSERT_EQ(back.GetReplacedTable()->GetChildCount(), 3);
    EXPECT_EQ(back.GetReplacedTable()->GetChildAt(2)->GetAttr("old"), " ");
    EXPECT_EQ(back.GetReplacedTable()->GetChildAt(2)->GetAttr("new"), "_");
    EXPECT_EQ(Xml(back.GetFavoriteEditorManager(desktop)->GetData()), editorsBefore);
    EXPECT_EQ(desktop.questions, 0); // the saved editors are taken as they are
    CDropFileFilterSet* backFilters = back.GetDropFileFilterSet();
    ASSERT_EQ(backFilters->GetFilterCount(), 3);
    EXPECT_EQ(backFilters->GetUsingFilterIndex(), 2);
    EXPECT_EQ(Xml(backFilters->GetFilterAt(2)->GetFilterData_Persistent()), mineBefore);
    // Only the persistent copies are saved.
    EXPECT_EQ(backFilters->GetFilterAt(0)->GetName_Dynamic(), CStrHelper::ML_GetStringEx(625));
}

TEST_F(ConfigDataTest, OutOfRangeModesAreReplaced) {
    WriteConfig("<ADD_DIRECTORY><FILE_FORMAT>-1</FILE_FORMAT></ADD_DIRECTORY>"
                "<INSERT_MODE>7</INSERT_MODE>");
    CConfigData& config = Config();
    EXPECT_EQ(config.ReadConfigData_XML(), 1);
    EXPECT_EQ(config.m_addDirectoryOption.fileFormat, 0);
    EXPECT_EQ(config.GetInsertMode(), 2);

    WriteConfig("<ADD_DIRECTORY><FILE_FORMAT>4</FILE_FORMAT><INCULDE_SUB_DIR>0</INCULDE_SUB_DIR>"
                "</ADD_DIRECTORY><INSERT_MODE>0</INSERT_MODE><VIEW_STYLE>9</VIEW_STYLE>");
    EXPECT_EQ(FreshRun().ReadConfigData_XML(), 1);
    EXPECT_EQ(Config().m_addDirectoryOption.fileFormat, 4);
    EXPECT_EQ(Config().m_addDirectoryOption.includeSubDir, 0);
    EXPECT_EQ(Config().GetInsertMode(), 0);

    WriteConfig("<ADD_DIRECTORY><FILE_FORMAT>5</FILE_FORMAT></ADD_DIRECTORY>"
                "<INSERT_MODE>-1</INSERT_MODE>");
    EXPECT_EQ(FreshRun().ReadConfigData_XML(), 1);
    EXPECT_EQ(Config().m_addDirectoryOption.fileFormat, 0);
    EXPECT_EQ(Config().GetInsertMode(), 2);
}

TEST_F(ConfigDataTest, MissingElementsOfAUsableFileTakeTheirDefaults) {
    WriteConfig("<OTHER><LAST_PROJECT_PATH>/a.mbk</LAST_PROJECT_PATH></OTHER>");
    CConfigData& config = Config();
    config.m_bShowChmPath = 1;
    config.m_bArchiveViewOn = 1;
    config.SetInsertMode(0);
    EXPECT_EQ(config.ReadConfigData_XML(), 1);
    EXPECT_EQ(config.m_strLastProjectPath, "/a.mbk");
    EXPECT_EQ(config.m_strLastCheckDate, "000000");
    EXPECT_EQ(config.m_bShowChmPath, 0);
    EXPECT_EQ(config.m_bArchiveViewOn, 0);
    EXPECT_EQ(config.GetInsertMode(), 2);
    EXPECT_EQ(config.GetLCID(), 1031);
    EXPECT_EQ(config.m_addDirectoryOption.includeSubDir, 1);
    EXPECT_EQ(config.GetDropFileFilterSet()->GetFilterCount(), 2);
    EXPECT_EQ(config.GetFavoriteEditorManager(desktop)->GetData()->GetChildCount(), 11);
}

TEST_F(ConfigDataTest, RecentProjectsSkipEmptyEntriesAndStopAtTen) {
    std::string mru = "<MRU><MRU0>/a.mbk</MRU0><MRU1>EMPTY</MRU1><MRU2></MRU2>"
                      "<ANY_NAME>/b.mbk</ANY_NAME><MRU4/>";
    for (int i = 5; i < 10; ++i)
        mru += "<MRU" + std::to_string(i) + ">/p" + std::to_string(i) + ".mbk</MRU" +
               std::to_string(i) + ">";
    mru += "<MRU10>/eleventh.mbk</MRU10></MRU>";
    WriteConfig(mru);
    CConfigData& config = Config();
    config.m_recentProjects = {"/stale.mbk"};
    EXPECT_EQ(config.ReadConfigData_XML(), 1);
    EXPECT_EQ(config.m_recentProjects,
              (std::vector<std::string>{"/a.mbk", "/b.mbk", "/p5.mbk", "/p6.mbk", "/p7.mbk",
                                        "/p8.mbk", "/p9.mbk"}));
}

TEST_F(ConfigDataTest, SavedRecentProjectsFillTheRestWithEmpty) {
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    config.m_recentProjects = {"/one.mbk", "/two.mbk", "/three.mbk"};
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    auto document = SavedDocument();
    CXML* mru = SavedConfigData(*document)->GetChildByTagName("MRU");
    ASSERT_EQ(mru->GetChildCount(), 10);
    EXPECT_EQ(mru->GetChildAt(0)->Value(), "/one.mbk");
    EXPECT_EQ(mru->GetChildAt(1)->Value(), "/two.mbk");
    EXPECT_EQ(mru->GetChildAt(2)->Value(), "/three.mbk");
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(mru->GetChildAt(i)->Value(), "EMPTY") << i;

    // More than ten: only the first ten are kept.
    config.m_recentProjects.clear();
    for (int i = 0; i < 12; ++i)
        config.m_recentProjects.push_back("/p" + std::to_string(i) + ".mbk");
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    document = SavedDocument();
    mru = SavedConfigData(*document)->GetChildByTagName("MRU");
    ASSERT_EQ(mru->GetChildCount(), 10);
    EXPECT_EQ(mru->GetChildAt(9)->Value(), "/p9.mbk");
}

TEST_F(ConfigDataTest, MissingReplaceTableGetsTheTwoDefaultsInMemoryAndFile) {
    WriteConfig("<HTML_TOPIC>1</HTML_TOPIC>");
    CConfigData& config = Config();
    ASSERT_EQ(config.ReadConfigData_XML(), 1);
    CXML* table = config.GetReplacedTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->GetTagName(), "REPLACE_TABLE");
    EXPECT_EQ(ChildTags(table), "REPLACE_ITEM REPLACE_ITEM");
    EXPECT_EQ(table->GetChildAt(0)->GetAttr("old"), "&");
    EXPECT_EQ(table->GetChildAt(0)->GetAttr("new"), "and");
    EXPECT_EQ(table->GetChildAt(1)->GetAttr("old"), "#");
    EXPECT_EQ(table->GetChildAt(1)->GetAttr("new"), "_sharp");

    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    auto document = SavedDocument();
    EXPECT_EQ(Xml(SavedConfigData(*document)->GetChildByTagName("REPLACE_TABLE")), Xml(table));

    // A present table is taken as it is, even when empty.
    WriteConfig("<REPLACE_TABLE/>");
    ASSERT_EQ(FreshRun().ReadConfigData_XML(), 1);
    EXPECT_EQ(Config().GetReplacedTable()->GetChildCount(), 0);
}

TEST_F(ConfigDataTest, SavedEditorsAreTakenAndTypesWithoutEditorsDropped) {
    WriteConfig("<EDITORS><FILE type=\"htm*\"><EDITOR name=\"Kate\">/usr/bin/kate</EDITOR>"
                "</FILE><FILE type=\"css\"/><FILE type=\"txt\"><EDITOR name=\"Vi\">/bin/vi"
                "</EDITOR></FILE></EDITORS>");
    CConfigData& config = Config();
    ASSERT_EQ(config.ReadConfigData_XML(), 1);
    EXPECT_EQ(desktop.questions, 0);
    int state = 0;
    CXML* html = config.GetFavoriteEditorManager(desktop)->GetFavoriteEditor("/a/b.html", state);
    EXPECT_EQ(state, 2);
    ASSERT_NE(html, nullptr);
    EXPECT_EQ(html->GetChildAt(0)->Value(), "/usr/bin/kate");
    EXPECT_EQ(config.GetFavoriteEditorManager(desktop)->GetData()->GetChildCount(), 3);

    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    auto document = SavedDocument();
    CXML* editors = SavedConfigData(*document)->GetChildByTagName("EDITORS");
    ASSERT_EQ(editors->GetChildCount(), 2);
    EXPECT_EQ(editors->GetChildAt(0)->GetAttr("type"), "htm*");
    EXPECT_EQ(editors->GetChildAt(1)->GetAttr("type"), "txt");
    EXPECT_EQ(editors->GetChildAt(1)->GetChildAt(0)->GetAttr("name"), "Vi");
}

TEST_F(ConfigDataTest, SavedFilterSetIsLoaded) {
    WriteConfig("<FILTER_SET using=\"1\">"
                "<FILTER name=\"a\"><SKIP_FOLDERS enable=\"1\"><FOLDER name=\"cvs\" used=\"1\"/>"
                "</SKIP_FOLDERS><SKIP_FILES enable=\"0\"/><ONLY_INCLUDE_FILES enable=\"0\"/>"
                "</FILTER><FILTER name=\"b\"><SKIP_FOLDERS enable=\"0\"/><SKIP_FILES "
                "enable=\"1\"><FILE name=\".bak\" used=\"1\"/></SKIP_FILES><ONLY_INCLUDE_FILES "
                "enable=\"0\"/></FILTER></FILTER_SET>");
    CConfigData& config = Config();
    ASSERT_EQ(config.ReadConfigData_XML(), 1);
    CDropFileFilterSet* filters = config.GetDropFileFilterSet();
    ASSERT_EQ(filters->GetFilterCount(), 2);
    EXPECT_EQ(filters->GetUsingFilter()->GetName_Dynamic(), "b");
    EXPECT_FALSE(filters->GetUsingFilter()->AdmitsFile("x.BAK"));
    EXPECT_FALSE(filters->GetFilterAt(0)->AdmitsFolder("CVS"));
}

TEST_F(ConfigDataTest, ReadOnlyFileIsLeftAloneWithAWarning) {
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    const std::string before = TempTree::Read(path);
    ASSERT_EQ(chmod(path.c_str(), 0444), 0);

    config.SetViewStyle(5);
    EXPECT_EQ(config.WriteConfigData_XML(desktop, prompt), 0);
    EXPECT_EQ(TempTree::Read(path), before);
    ASSERT_EQ(prompt.messages.size(), 1u);
    const mb::MessageRequest& warning = prompt.messages[0];
    EXPECT_EQ(warning.text, CStrHelper::ML_GetStringEx(293) + "\n\n" + path + "\n\n" +
                                CStrHelper::ML_GetStringEx(294));
    EXPECT_EQ(warning.caption, CStrHelper::ML_GetStringEx(8));
    EXPECT_EQ(warning.icon, mb::Icon::Warning);
    EXPECT_EQ(warning.buttons, mb::Buttons::Ok);
    // No temporary file was left behind either.
    EXPECT_EQ(std::distance(fs::directory_iterator(home.Root()), fs::directory_iterator()), 1);
    chmod(path.c_str(), 0644);
}

// Makes every write past `bytes` in a regular file fail, for the lifetime of
// the object; unlike permissions this holds for root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST_F(ConfigDataTest, FailedSaveKeepsThePreviousFile) {
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    config.m_recentProjects = {"/kept.mbk"};
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    const std::string before = TempTree::Read(path);
    ASSERT_GT(before.size(), 1000u);

    config.m_recentProjects = {"/lost.mbk"};
    {
        FileSizeLimit limit(512);
        EXPECT_EQ(config.WriteConfigData_XML(desktop, prompt), 0);
    }
    EXPECT_EQ(TempTree::Read(path), before);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.Root()), fs::directory_iterator()), 1);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].icon, mb::Icon::Error);
    EXPECT_NE(prompt.messages[0].text.find(path), std::string::npos) << prompt.messages[0].text;
    EXPECT_LE(prompt.messages[0].text.size(), 255u);

    EXPECT_EQ(FreshRun().ReadConfigData_XML(), 1);
    EXPECT_EQ(Config().m_recentProjects, std::vector<std::string>{"/kept.mbk"});
}

// Root writes into read-only folders; for the save below it acts as an
// ordinary user would, and takes its rights back afterwards.
class ActAsOrdinaryUser {
public:
    ActAsOrdinaryUser() : m_wasRoot(geteuid() == 0) {
        if (m_wasRoot && seteuid(kNobody) != 0)
            throw std::runtime_error("cannot give up root rights");
    }
    ~ActAsOrdinaryUser() {
        if (m_wasRoot && seteuid(0) != 0)
            std::abort();
    }

private:
    static constexpr uid_t kNobody = 65534;
    bool m_wasRoot;
};

TEST_F(ConfigDataTest, SaveIntoAReadOnlyFolderKeepsThePreviousFile) {
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    ASSERT_EQ(config.WriteConfigData_XML(desktop, prompt), 1);
    const std::string before = TempTree::Read(path);
    ASSERT_EQ(chmod(home.Root().c_str(), 0555), 0);
    config.SetViewStyle(4);
    {
        ActAsOrdinaryUser ordinary;
        EXPECT_EQ(config.WriteConfigData_XML(desktop, prompt), 0);
    }
    chmod(home.Root().c_str(), 0755);
    EXPECT_EQ(TempTree::Read(path), before);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].icon, mb::Icon::Error);
}

TEST_F(ConfigDataTest, SaveIntoAVanishedFolderReportsTheError) {
    CConfigData& config = Config();
    config.ReadConfigData_XML();
    fs::remove_all(home.Root());
    EXPECT_EQ(config.WriteConfigData_XML(desktop, prompt), 0);
    EXPECT_FALSE(fs::exists(home.Root()));
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].caption, CStrHelper::ML_GetStringEx(8));
    EXPECT_NE(prompt.messages[0].text.find("No such file"), std::string::npos)
        << prompt.messages[0].text;
}

} // namespace
