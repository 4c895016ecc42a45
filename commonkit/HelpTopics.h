#pragma once
// The topics of the program's own help file (marrowbook.chm) that the
// program opens with CCommon::ShowHelp: a page name, some with an anchor
// inside the page. Every Help button and menu command takes its topic from
// here, so that one list names them all and the help file can be checked
// against it.

#include <array>

namespace mb::help {

// Help menu
inline constexpr const char* kWelcome = "welcome.htm";
inline constexpr const char* kQuickGuide = "howtocreatechm.htm";

// The main window and its panes
inline constexpr const char* kMainWindow = "mainwindow.htm";
inline constexpr const char* kContentsView = "contentsview.htm";
inline constexpr const char* kIndexView = "indexview.htm";
inline constexpr const char* kFilesView = "filesview.htm";
inline constexpr const char* kFolderExplorer = "folderexplorer.htm";
inline constexpr const char* kPagePreview = "pagepreview.htm";
inline constexpr const char* kChmExplorer = "chmexplorer.htm";
inline constexpr const char* kEntryEditor = "entryeditor.htm";

// Dialogs
inline constexpr const char* kNewProject = "dlgnewproject.htm";
inline constexpr const char* kNewPage = "dlgnewpage.htm";
inline constexpr const char* kCompile = "dlgcompile.htm";
inline constexpr const char* kDecompile = "dlgdecompile.htm";
inline constexpr const char* kBatchDecompile = "dlgbatchdecompile.htm";
inline constexpr const char* kChmToHandheld = "dlghandheld.htm";
inline constexpr const char* kProjectOptions = "dlgprojectoptions.htm";
inline constexpr const char* kPreferences = "dlgpreferences.htm";
inline constexpr const char* kDropFileFilter = "dropfilefilter.htm";
inline constexpr const char* kAddFolder = "dlgaddfolder.htm";
inline constexpr const char* kFavoriteEditors = "dlgfavoriteeditors.htm";
inline constexpr const char* kTopicTitleRule = "dlgtopictitle.htm";
inline constexpr const char* kReplaceSettings = "dlgsetreplace.htm";
inline constexpr const char* kReplaceUnwelcome = "toc11.htm";
// The project folder: choosing it when files lie outside any project folder,
// and the warning when a project is saved outside it.
inline constexpr const char* kProjectFolder = "prj10.htm#ROOTDIR";
inline constexpr const char* kProjectFolderWarning = "prj10.htm#WARNING_BW_W00040001";

inline constexpr std::array kAllTopics = {
    kWelcome,         kQuickGuide,
    kMainWindow,      kContentsView,
    kIndexView,       kFilesView,
    kFolderExplorer,  kPagePreview,
    kChmExplorer,     kEntryEditor,
    kNewProject,      kNewPage,
    kCompile,         kDecompile,
    kBatchDecompile,  kChmToHandheld,
    kProjectOptions,  kPreferences,
    kDropFileFilter,  kAddFolder,
    kFavoriteEditors, kTopicTitleRule,
    kReplaceSettings, kReplaceUnwelcome,
    kProjectFolder,   kProjectFolderWarning,
};

} // namespace mb::help
