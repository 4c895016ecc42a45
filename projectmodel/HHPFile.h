#pragma once
// The settings of an HTML Help project: the [OPTIONS] values, the main window
// definition, the other window lines, the topic files, the merge files and
// the context-id map. Read from and written to the project file (its "HHP"
// element) and the HTML Help project text (.hhp) with its header and alias
// files.
//
// Notifications: 32 files added (node: the batch of added entries), 33 merge
// files added (node: the batch), 34 / 35 files / merge files emptied, 36 map
// changed (node: the map element), 37 map emptied, 38 tab position, 39
// include-index-page flag, 40 three-pane property switched or settings read.

#include "baseutil/Subject.h"
#include "baseutil/UserChannels.h"
#include "baseutil/Xml.h"
#include "projectmodel/HHPRecords.h"

#include <memory>
#include <string>
#include <vector>

class CProjectFile;

class CHHPFile : public CSubject {
public:
    // XML tags of the options (project file) and their .hhp keys, by option
    // number; XML tags of the window items, by window item number.
    static const char* const m_strOptionsItemXMLTag[OPT_COUNT];
    static const char* const m_strOptionsItemKey[OPT_COUNT];
    static const char* const m_strWindowsItemXMLTag[WIN_COUNT];

    CHHPFile();

    void AttachProjectFile(CProjectFile* project) { m_project = project; }
    // The project's channels; the quiet ones when attached to none.
    const mb::UserChannels& Channels() const;

    // Every list emptied and every value back to its default.
    void InitHHP();
    void InitOptionsData();
    void InitWindowsData();
    void InitFilesData();
    void InitMergeFilesData();
    void InitMapData();

    // Options. The getters return 1, or 0 for an option of the other type
    // (the string getter then yields ""). The setters ignore an option of the
    // other type; every setter marks the project modified. Index -1 of the
    // record forms stands for every member.
    int GetOptionsData(int index, std::string& value) const;
    int GetOptionsData(int index, int& value) const;
    int GetOptionsData(int index, tagHH_HHP_OPTIONS& record) const;
    void SetOptionsData(int index, const std::string& value);
    void SetOptionsData(int index, int value);
    void SetOptionsData(int index, const tagHH_HHP_OPTIONS& record);

    // Main window: strings (items 0 to 8), int (10, 13 to 16, 20 to 23),
    // unsigned long (9, 11, 17, 18), rectangle (12) and whole record.
    int GetWindowsData(int index, std::string& value) const;
    int GetWindowsData(int index, int& value) const;
    int GetWindowsData(int index, unsigned long& value) const;
    int GetWindowsData(int index, HHRect& value) const;
    int GetWindowsData(int index, tagHH_WINTYPE& record) const;
    void SetWindowsData(int index, const std::string& value);
    void SetWindowsData(int index, int value);
    void SetWindowsData(int index, unsigned long value);
    void SetWindowsData(int index, const HHRect& value);
    void SetWindowsData(int index, const tagHH_WINTYPE& record);

    // Bit operations: the getters tell whether any of `bits` is set, the
    // setters switch them on or off. Window properties (item 9; switching
    // the three-pane bit 32 notifies 40), buttons (11), styles (17) and
    // extended styles (18).
    int GetWindowProperty(unsigned long bits) const;
    void SetWindowProperty(unsigned long bits, int on);
    int GetButton(unsigned long bits) const;
    void SetButton(unsigned long bits, int on);
    int GetWindowStyle(unsigned long bits) const;
    void SetWindowStyle(unsigned long bits, int on);
    int GetExtendedStyle(unsigned long bits) const;
    void SetExtendedStyle(unsigned long bits, int on);

    // Navigation tab position, kept within 0 to 2.
    void SetTabPos(int position);
    int GetTabPos() const;
    void SetIncludeIndexPage(int flag);
    int GetIncludeIndexPage() const { return m_includeIndexPage; }

    // The other [WINDOWS] lines, kept verbatim.
    const std::vector<std::string>& GetOtherWindows() const { return m_otherWindows; }

    // Topic files: "FileItem" children with "Name" = the absolute path.
    CXML* GetFilesData() const { return m_files.get(); }
    CXML* AddFile(const std::string& path);
    // Adds the "Local" of every descendant of type 0 that has one; notifies
    // 32 with the batch and returns it.
    CXML* AddFiles(CXML* list);
    int IsExistentInFiles(const std::string& path) const;
    void DeleteFile(const std::string& path);
    void DeleteAllFiles();

    // Merge files: the file names of compiled help files.
    CXML* GetMergeFilesData() const { return m_mergeFiles.get(); }
    CXML* AddMergeFile(const std::string& name);
    // Adds the file name of every descendant whose "Local" names a .chm;
    // shows string 517 when there is none.
    CXML* AddMergeFiles(CXML* list);
    void DeleteMergeFile(const std::string& name);
    void DeleteAllMergeFiles();

    // Context-id map: "MAP_FILE" children holding a header file's path, with
    // one child per #define (tag = symbol, "ID", and "FILE" from an alias).
    CXML* GetMapData() const { return m_map.get(); }
    // Takes ownership of a ready "MAP_FILE" element.
    void AddIDMap(CXML* mapFile);
    void DelAMapFileNode(CXML* mapFile);
    int GetMapFileExistentState(const std::string& path) const;
    // Reads the header file anew, keeping the topics assigned to symbols.
    void UpdateMapFileData(const std::string& path);

    // Sets the compiled, contents and index file names from the project
    // title before a save, without changing the modified flag.
    void UpdateData(const std::string& title);

    // The "HHP" element of the project file.
    void WriteXMLTree_Ver2(CXML* element) const;
    void ReadXMLTree_Ver2(CXML* element);
    void ReadXMLTree_Ver1(CXML* element);

    // The .hhp text: reads the project, its header and alias files into the
    // form of the "HHP" element. 0 when the file cannot be read or is not an
    // HTML Help project (UTF-8, UTF-16 with a byte-order mark, or the code
    // page of its language; any line ends); GetReadProblems() then says why.
    // Otherwise GetReadProblems() lists the files the project names that
    // cannot be read (header and alias files, pages of [FILES]) as
    // "path: reason"; the project is read without them (the include lines
    // of [MAP] stay, as the compiler passes over a missing header).
    int ReadHHPFileToXML(const std::string& path, CXML* element);
    const std::vector<std::string>& GetReadProblems() const { return m_readProblems; }
    // Reads the #defines of a header file into a "MAP_FILE" element; 0 when
    // the file cannot be read.
    int ReadMapFileToXML(const std::string& path, CXML* mapFile);
    // Writes the .hhp text for the compiler. 1 when written; 0 when the
    // target is read-only (after the warning) or could not be written.
    // How the project text separates the folders of the paths it names:
    // backslashes for the project's interchange form (export), slashes for
    // the compiler of this system, which finds topics, header files and
    // the default topic in subfolders only so. The compiler's [FILES] lists
    // every file the project leads to (see ReferencedFiles), and its file
    // sections are written in the bytes of the names on disk (see
    // EncodeCompilerProjectText).
    enum class PathForm { Interchange, Compiler };
    int WriteHHPFile(const std::string& path, PathForm form = PathForm::Interchange);
    // The .hhp text that WriteHHPFile writes.
    std::string BuildHHPText(PathForm form = PathForm::Interchange) const;

private:
    void ReadXMLTree(CXML* element, bool withMapAndMergeFiles);
    void ReadWindowElement(CXML* windows);
    // The [OPTIONS] of a project text into "OPTION"; returns the main
    // window's name.
    std::string ReadOptionsSection(const std::string& text, CXML* options) const;
    // The [WINDOWS] of a project text: the main window's items and the
    // other lines.
    void ReadWindowsSection(const std::string& text, const std::string& mainWindow,
                            CXML* windows) const;
    // The text of one piece of the main window's line for item `item`.
    std::string WindowItemText(int item, const std::string& piece) const;
    void ReadAliasLine(const std::string& line, CXML* element) const;
    // False when the file cannot be read.
    bool ReadAliasFile(const std::string& path, CXML* element) const;
    // A path of the project file in memory form.
    std::string FromProjectForm(const std::string& value) const;
    // A path in memory in the relative form of the project and .hhp files.
    std::string ToProjectForm(const std::string& path) const;
    // A path in memory resolved against the folder of the .hhp being read.
    std::string ResolveHHPPath(const std::string& value) const;
    std::string DecodeText(const std::string& bytes) const;
    void SetModified() const;
    unsigned long* BitSet(int index);

    tagHH_WINTYPE m_window;
    tagHH_HHP_OPTIONS m_options;
    std::unique_ptr<CXML> m_files;
    std::unique_ptr<CXML> m_mergeFiles;
    std::unique_ptr<CXML> m_map;
    int m_includeIndexPage = 1;
    CProjectFile* m_project = nullptr;
    std::vector<std::string> m_otherWindows;
    std::string m_hhpFolder;
    int m_hhpLanguage = 1033; // language of the .hhp being read, for its code page
    std::vector<std::string> m_readProblems;
    std::unique_ptr<CXML> m_filesBatch;
    std::unique_ptr<CXML> m_mergeFilesBatch;
};
