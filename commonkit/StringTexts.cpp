// The English texts of the string table, by entry number. Texts that are
// joined to others or to a path are worded for the way they are joined (see
// docs/strings.md).

#include "commonkit/StringTexts.h"

namespace {

const StringText kTexts[] = {
    // Product, help file and captions.
    {8, "Marrowbook"},
    {9, "marrowbook.chm"},
    {10, "CHM Parameters"},
    {14, "Add Folder"},
    {49, "Compiling..."},
    {50, "Compile finished."},
    {53, "Link to a URL"},
    {54, "Change Icon"},

    // Tab labels.
    {91, "Contents"},
    {92, "Index"},
    {95, "Folder Explorer"},
    {96, "Topic Entry"},
    {97, "CHM Explorer"},
    {380, "Files"},
    {529, "Page Preview"},
    {530, "Page Editor"},

    {100, "The project has been modified. Do you want to save the changes?"},

    // Edit menu and tree pop-up menus.
    {137, "Add Folder..."},
    {138, "Add Files..."},
    {139, "Add Heading"},
    {141, "Delete"},
    {142, "Clear All"},
    {143, "Link"},
    {144, "Link to a Local File..."},
    {145, "Link to a URL..."},
    {146, "Remove Link"},
    {147, "Rename"},
    {148, "Change Icon..."},
    {149, "Move Up"},
    {150, "Move Down"},
    {151, "Move One Level Up"},
    {152, "Move One Level Down"},
    {153, "Set Font..."},
    {154, "Set Background Colour..."},
    {214, "Set as Default Topic"},
    {268, "Add Keyword"},
    {269, "Delete Keyword"},
    {270, "Rename Keyword"},
    {449, "Add to Index..."},
    {455, "New Page..."},
    {485, "Add Page Keywords to Index"},

    // Start-up, version and system names.
    {236, "The system's component services could not be started. Some features may not work."},
    {239, "0"},
    {240, "1"},
    {241, "0"},
    {257, "unknown"},
    {501, "The start-up screen could not be created, so Marrowbook cannot start."},

    // Decompile and convert dialogs.
    {233, "Please choose the CHM file."},
    {234, "Please choose the output folder."},
    {510, "could not be converted for handheld screens."},
    {616, "Unable to create the file; its name may be too long or not allowed:"},
    {617, "Started:"},
    {619, "Finished:"},
    {620, "decompiling or converting CHM files"},
    {621, "decompiling or converting CHM files"},

    // URL and tree commands.
    {235, "Please enter a URL."},
    {260, "Do you want to remove the link of the selected entry?"},
    {261, "Select a folder to add:"},
    {362, "Do you want to delete all entries?"},
    {365, "Do you want to delete the selected entries?"},
    {450, "New Heading"},
    {454, "Do you want to replace the whole index by a copy of the table of contents?"},
    {483, "New Keyword"},
    {517, "None of the selected entries links to a .chm file, so no merge file was added."},

    // Project files.
    {237, "This file is not a Marrowbook project file."},
    {288, "This CHM file has no table of contents, so it cannot be opened as a project.\n\n"
          "Choose OK to decompile it into a folder instead."},
    {289, "The project stored in this CHM file could not be opened."},
    {290, "The contents of this CHM file could not be taken over as a project."},
    {292, "This project file no longer exists. It has been removed from the list of recent "
          "projects."},
    {293, "This file cannot be saved. "},
    {294, "It is read-only, so the settings of this session were not saved."},
    {481, "It is read-only: remove the read-only attribute or choose another file name."},

    // Compile.
    {296, "The project cannot be compiled. "},
    {297, "The help file it compiles into is read-only. "},
    {298, "Remove the read-only attribute and compile again."},
    {492, "The help file it compiles into is in use by another program. Close that program and "
          "compile again."},
    {442, "Could not write the file"},

    // Favourite editors and the page editor.
    {335, "Set Up Favourite Editors..."},
    {336, "No favourite editor is set up for files of type "},
    {337, ". Do you want to set up favourite editors now?"},
    {482, "This page cannot be opened in an external editor: only files on this computer can be "
          "edited, not network addresses or pages inside a compiled help file."},
    {518, "This editor program cannot be found. Please check the favourite editor settings."},

    // Project options.
    {347, "The Prev and Next buttons need a binary table of contents. Do you want to turn on the "
          "binary table of contents?"},
    {543, "General"},
    {544, "Compiler"},
    {545, "Window Styles"},
    {546, "Viewer"},
    {547, "Buttons"},

    // New project dialog.
    {466, "Please enter a project name."},
    {467, "Please enter the project folder."},
    {468, "The project folder must be a folder on this computer."},
    {469, "This folder does not exist. Do you want to create it?\n"},
    {470, "This file already exists. Do you want to overwrite it?"},
    {471, "Please enter the help title."},

    // New page dialog.
    {472, "New Page"},
    {477, "Please enter the page title."},
    {478, "Please enter the file name."},
    {479, "The folder must be a folder on this computer."},
    {480, "The folder lies outside the project folder. Topic pages must be stored inside the "
          "project folder."},
    {511, "The project folder is: "},

    // Filter, item, URL and keyword dialogs.
    {489, "Select Keywords"},
    {512, "Please select a row first."},
    {513, "Drop File Filters"},
    {514, "Do you want to delete all items of this list?"},
    {515, "Do you want to delete this filter set?\n"},
    {542, "Drop file filter settings"},
    {550, "Enter Text"},
    {567, "Skip Folders"},
    {568, "Skip Files"},
    {569, "Only Include Files"},
    {580, "Enter the new item, a name or a pattern such as *.bak:"},
    {583, "Enter the name of the new filter set:"},
    {625, "Default"},
    {626, "HTML Pages Only"},

    // Preferences and replacement dialogs.
    {588, "Preferences"},
    {589, "Topic Titles"},
    {605, "Unwelcome Characters"},
    {606, "Old Text"},
    {607, "New Text"},
    {608, "Replacement"},
    {611, "Do you want to remove the selected replacements?"},

    // CHM explorer and entry editor.
    {499, "The icons of the CHM explorer could not be loaded."},
    {537, "This entry has no link."},

    // Help.
    {650, "The help file cannot be found. It should lie in the program's folder:"},

    // Menu labels of the main frame (besides the edit commands above).
    {660, "File"},
    {661, "Edit"},
    {662, "View"},
    {663, "Settings"},
    {664, "Tools"},
    {665, "Help"},
    {666, "Recent Projects"},
    {667, "Insert Mode"},
    {668, "New Project..."},
    {669, "Open Project..."},
    {670, "Open CHM File..."},
    {671, "Import HHP File..."},
    {672, "Export HHP File..."},
    {673, "Save"},
    {674, "Save As..."},
    {675, "Exit"},
    {676, "Undo"},
    {677, "Redo"},
    {678, "Sort A to Z"},
    {679, "Sort Z to A"},
    {680, "Replace Unwelcome Characters..."},
    {681, "Insert Before"},
    {682, "Insert as First Child"},
    {683, "Insert After"},
    {684, "Toolbar"},
    {685, "Status Bar"},
    {686, "CHM Explorer"},
    {687, "CHM Parameters..."},
    {688, "Help Title..."},
    {689, "Drop File Filters..."},
    {690, "Favourite Editors..."},
    {691, "Preferences..."},
    {692, "Compile..."},
    {693, "CHM to Handheld..."},
    {694, "Decompile..."},
    {695, "Batch Decompile..."},
    {696, "User Manual"},
    {697, "Quick Guide"},
    {698, "Marrowbook Web Page"},
    {699, "Check for Updates Automatically"},
    {700, "Check for Updates Now"},
    {701, "About Marrowbook..."},

    // Add-directory dialog controls.
    {710, "Folder:"},
    {711, "Browse..."},
    {712, "Include sub-folders"},
    {713, "OK"},
    {714, "Cancel"},

    // Status-bar prompts and tool tips ("prompt\ntip") of the main frame.
    {730, "Create a new help project\nNew Project"},
    {731, "Open an existing project file\nOpen Project"},
    {732, "Open a compiled help file as a project\nOpen CHM File"},
    {733, "Import an HTML Help Workshop project (.hhp)\nImport HHP"},
    {734, "Export the project as an HTML Help Workshop project (.hhp)\nExport HHP"},
    {735, "Save the project\nSave"},
    {736, "Save the project under a new name\nSave As"},
    {737, "Quit Marrowbook\nExit"},
    {738, "Undo the last change of the active tree\nUndo"},
    {739, "Redo the last undone change of the active tree\nRedo"},
    {740, "Add the topic files of a folder\nAdd Folder"},
    {741, "Add topic files\nAdd Files"},
    {742, "Add a heading to the contents or a keyword to the index\nAdd Heading"},
    {743, "Create a new topic page\nNew Page"},
    {744, "Link the selected entry to a file on this computer\nLink to a Local File"},
    {745, "Link the selected entry to a web address\nLink to a URL"},
    {746, "Remove the link of the selected entry\nRemove Link"},
    {747, "Delete the selected entries\nDelete"},
    {748, "Delete all entries of the active tree\nClear All"},
    {749, "Rename the selected entry\nRename"},
    {750, "Choose the icon of the selected contents entries\nChange Icon"},
    {751, "Move the selected entries up\nMove Up"},
    {752, "Move the selected entries down\nMove Down"},
    {753, "Move the selected entries one level up\nMove One Level Up"},
    {754, "Move the selected entries one level down\nMove One Level Down"},
    {755, "Choose the font of the table of contents\nSet Font"},
    {756, "Choose the background colour of the table of contents\nSet Background Colour"},
    {757, "Replace unwelcome characters in the names of the topic files\n"
          "Replace Unwelcome Characters"},
    {758, "Sort the branch of the selected entry from A to Z\nSort A to Z"},
    {759, "Sort the branch of the selected entry from Z to A\nSort Z to A"},
    {760, "Add a keyword to the index\nAdd Keyword"},
    {761, "Delete the selected keywords\nDelete Keyword"},
    {762, "Rename the selected keyword\nRename Keyword"},
    {763, "Make the page of the selected entry the default topic\nSet as Default Topic"},
    {764, "Add the selected contents entries to the index\nAdd to Index"},
    {765, "Add the keywords of the selected entries' pages to the index\n"
          "Add Page Keywords to Index"},
    {766, "Put new and dropped entries before the target entry\nInsert Before"},
    {767, "Put new and dropped entries under the target entry, as its first child\n"
          "Insert as First Child"},
    {768, "Put new and dropped entries after the target entry\nInsert After"},
    {769, "Show or hide the toolbar\nToolbar"},
    {770, "Show or hide the status bar\nStatus Bar"},
    {771, "Show or hide the CHM explorer\nCHM Explorer"},
    {772, "Edit the settings of the help file and its window\nCHM Parameters"},
    {773, "Change the title of the help file\nHelp Title"},
    {774, "Choose which dropped files and folders are taken into the project\nDrop File Filters"},
    {775, "Choose the external editors for each file type\nFavourite Editors"},
    {776, "Change how topic titles are made and which characters are replaced\nPreferences"},
    {777, "Compile the project into a CHM file\nCompile"},
    {778, "Convert a CHM file into pages for handheld screens\nCHM to Handheld"},
    {779, "Decompile a CHM file into a folder\nDecompile"},
    {780, "Decompile several CHM files at once\nBatch Decompile"},
    {781, "Show the user manual\nUser Manual"},
    {782, "Show how to make a help file step by step\nQuick Guide"},
    {783, "Open the Marrowbook web page\nWeb Page"},
    {784, "Look for a newer version at every start\nCheck for Updates Automatically"},
    {785, "Look for a newer version now\nCheck for Updates"},
    {786, "Show the program's version\nAbout"},
    {787, "Show the Hide button in the help window\nHide Button"},
    {788, "Show the Locate button in the help window\nLocate Button"},
    {789, "Show the Back button in the help window\nBack Button"},
    {790, "Show the Forward button in the help window\nForward Button"},
    {791, "Show the Stop button in the help window\nStop Button"},
    {792, "Show the Refresh button in the help window\nRefresh Button"},
    {793, "Show the Home button in the help window\nHome Button"},
    {794, "Show the Previous button in the help window\nPrevious Button"},
    {795, "Show the Next button in the help window\nNext Button"},
    {796, "Show the Font button in the help window\nFont Button"},
    {797, "Show the Print button in the help window\nPrint Button"},
    {798, "Show the Options button in the help window\nOptions Button"},
    {799, "Show the first custom jump button in the help window\nJump 1 Button"},
    {800, "Show the second custom jump button in the help window\nJump 2 Button"},
    {801, "Choose where the navigation tabs of the help window are shown\n"
          "Navigation Tab Position"},

    // CHM explorer tool tips.
    {830, "Open a CHM file to browse its contents\nOpen CHM File"},
    {831, "Save the selected item to disk\nExtract Selected"},
    {832, "Decompile the whole CHM file into a folder\nExtract All"},
    {833, "Go back to the previous page\nBack"},
    {834, "Go forward to the next page\nForward"},

    // Page preview and editor tool tips.
    {850, "Show the page as the help file shows it\nPreview"},
    {851, "Edit the HTML source of the page\nEdit"},
    {852, "Save the page\nSave Page"},
    {853, "Go back to the previous page\nBack"},
    {854, "Go forward to the next page\nForward"},
    {855, "Load the page again\nRefresh"},
    {856, "Open the page in one of your favourite editors\nFavourite Editors"},
    {857, "Cut the selection to the clipboard\nCut"},
    {858, "Copy the selection to the clipboard\nCopy"},
    {859, "Insert the text on the clipboard\nPaste"},
    {860, "Undo the last edit\nUndo"},
    {861, "Redo the last undone edit\nRedo"},
    {862, "Select the whole page\nSelect All"},
    {863, "Find text in the page\nFind"},

    // Folder explorer tool tips.
    {880, "Show the files as large icons\nLarge Icons"},
    {881, "Show the files as small icons\nSmall Icons"},
    {882, "Show the files as a list\nList"},
    {883, "Show the files with their size, type and date\nDetails"},
    {884, "Go to the parent folder\nUp One Folder"},
    {885, "Read the folders again\nRefresh"},
    {886, "Open the current folder in the file manager\nOpen in File Manager"},
    {887, "Go to the project folder\nProject Folder"},
};

} // namespace

std::span<const StringText> BuiltInStringTexts() {
    return kTexts;
}
