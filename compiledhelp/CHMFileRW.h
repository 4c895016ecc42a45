#pragma once
// Reading a compiled help file: finding and reading its streams, copying
// them into a folder tree (decompiling), describing its tree as XML, reading
// its contents and index sitemaps and its context-id table, and converting
// it into plain HTML pages for handheld screens.
//
// Paths inside the help file are written with "\" (or "/") between storage
// names and without a leading separator: "a\b.htm". Everything written to
// disk lands below the output folder the caller chose: element names that
// would climb out of it ("..", absolute paths, drive letters) are refused and
// reported in the run log, and the rest goes on; so are elements whose files
// would take each other's place. Every file is written under a temporary
// name and takes its own once complete; an existing file is replaced only
// when the user agrees, and the help file being read never. Progress lines
// go to the main window's log, failures as problem lines.

#include "compiledhelp/ItsFile.h"
#include "compiledhelp/OutputFile.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class CXML;

// Context id -> topic, ascending by id.
using CHMContextMap = std::map<uint32_t, std::string>;

class CCHMFileRW {
public:
    // Entries per handheld index page.
    static constexpr int kEntriesPerPage = 40;

    CCHMFileRW() = default;
    CCHMFileRW(const CCHMFileRW&) = delete;
    CCHMFileRW& operator=(const CCHMFileRW&) = delete;

    // ---- The open help file -------------------------------------------

    // Opens `path` (closing the file open before); true on success.
    bool CHM_SetCHMFile(const std::string& path);
    void CHM_CloseCHMFile();
    // The result of the last CHM_SetCHMFile (kItsOk after a success).
    int GetLastResult() const { return m_lastResult; }
    // Whether the open file showed signs of damage so far: names lost from
    // its directory, or data that could not be read.
    bool CHM_IsDamaged() const { return m_file.Damage() != 0; }

    // Finds a stream and reads it whole into `data`; returns its size, or -1
    // when it is not found or cannot be read. With `fullPath` the wanted
    // path is compared with each stream's full path, else with its bare
    // name (the first one in directory order anywhere in the tree wins);
    // both ignoring case.
    int64_t CHM_GetStream(const std::string& path, std::string& data, bool fullPath);
    // The same search, giving the stream's size without reading it, or -1.
    int64_t CHM_GetStreamSize(const std::string& path, bool fullPath);
    // The same search for a storage below `start`, whose own path is
    // `currentPath` ("" for the root); an empty handle when none is found.
    CItsStorage GetStorage(const CItsStorage& start, const std::string& currentPath,
                           const std::string& wantedPath, bool fullPath) const;

    // True when a stream of exactly this name (case-sensitive) lies at the root.
    bool CHM_FindFileAtRoot(const std::string& name);
    static bool FindFileAtRoot(const std::string& chmPath, const std::string& name);
    // The first root stream whose name ends in ".hhc" / ".hhk" (ignoring
    // case) and is longer than the ending alone, as stored.
    bool CHM_FindHHCAtRoot(std::string& name);
    bool CHM_FindHHKAtRoot(std::string& name);
    // The first root stream ending in ".mbkmbk" (the project copy compiled
    // into the file): as stored, or upper-cased for CHM_FindMBKAtRoot.
    static bool FindMBKAtRoot(const std::string& chmPath, std::string& name);
    bool CHM_FindMBKAtRoot(std::string& name);
    // A description of a result code.
    static std::string GetErr(int code);

    // ---- Decompiling --------------------------------------------------

    // A flag that stops the decompiles and conversions of this object once
    // it is set (from any thread): no further file is begun and the one
    // being written is left out, so that every file written is complete.
    // The flag must outlive the object's work; nullptr: never stopped.
    void SetStopFlag(const std::atomic<bool>* stop) { m_stop = stop; }
    // Some output file or folder of the last run could not be created (for
    // its name, mostly); the run log names it.
    bool FoundUncreatableName() const { return m_replaceGuard.FoundUncreatable(); }
    // The prompt that asks before existing files are replaced and the log
    // that hears of what could not be written (the quiet channels until
    // set).
    void SetChannels(const mb::UserChannels& channels) {
        m_channels = channels;
        m_replaceGuard.SetChannels(channels);
    }
    // How many threads decompress and write the files of a decompile or
    // handheld conversion: 0 (the default) for one per processor core.
    // Their output is the same in every case.
    void SetWorkers(size_t workers) { m_workers = workers; }
    // How many threads the last decompile or conversion used.
    size_t GetWorkersUsed() const { return m_workersUsed; }

    // Copies the open file into `folder`, without the container's own
    // bookkeeping elements; the project copy only with `includeProject`
    // (which stays in force for later calls). 0 when every file was
    // written or refused for an unsafe name (each refusal is logged and
    // the run's summary counts them); 1 when a file could not be written,
    // the help file is damaged or the run was stopped.
    int CHM_Decompile(const std::string& folder, bool includeProject);
    // The files the last decompile or handheld conversion copied out of the
    // help file (written, or kept at the user's word).
    size_t GetFilesWritten() const { return m_filesWritten; }
    // Copies the storage at `storagePath` (full path) with its subtree into
    // folder/subFolder. False when a folder cannot be created or `subFolder`
    // is not a plain name; true otherwise, also when there is no such storage.
    bool CHM_DumpStorage(const std::string& subFolder, const std::string& storagePath,
                         const std::string& folder, bool includeSystem);
    // Writes the stream at `streamPath` (full path) to `file`. `name` and
    // `unused` are not used.
    bool CHM_DumpStream(const std::string& name, const std::string& streamPath,
                        const std::string& file, bool unused);
    // Copies everything, bookkeeping elements included, then writes the
    // context map to folder/mapFile, one "id=topic" line per entry. 0 on
    // success, else 1 or a result code.
    int CHM_Dump(const std::string& folder, const std::string& mapFile);
    int Dump(const std::string& chmPath, const std::string& folder, const std::string& mapFile);
    // Reads the context-id table (#IVB and #STRINGS). A file without one
    // gives an empty map. kItsOk or a result code.
    static int GetContextMap(const std::string& chmPath, CHMContextMap& map);

    // Describes the open file below `root`: one "Node" element per element
    // with "Name", "Type" and "Local", and "Size" for streams. True on
    // success.
    bool CHM_ReadAllStorageInfoToXML(CXML* root);
    int CHM_ReadStorageInfoToXML(const CItsStorage& storage, CXML* element, bool includeSystem);

    // ---- Sitemaps -----------------------------------------------------

    // Read a .hhc / .hhk file from disk into an "HHCRoot" / "HHKRoot" tree.
    bool ReadHHCInfoToXML(const std::string& path, CXML* root);
    bool ReadHHKInfoToXML(const std::string& path, CXML* root);
    // Read a sitemap stream of the open file (the first root ".hhc" when
    // `name` is empty; the first root ".hhk"); false when missing or empty.
    bool CHM2Web_ReadHHCInfoToXML(CXML* root, const std::string& name);
    bool CHM2Web_ReadHHKInfoToXML(CXML* root);
    // Copies the open file like the handheld conversion does, without
    // rewriting any page. 0 on success, 1 on any failure.
    int CHM2Web_Decompile(const std::string& folder);
    // Reads the open file's contents sitemap into `root`, its topic files
    // into `topics` and its colours. False without a contents file.
    bool CHM_GetHHCInfo(CXML* root, std::vector<std::string>& topics);
    const std::string& GetBackgroundColor() const { return m_backColor; }
    const std::string& GetForegroundColor() const { return m_foreColor; }

    // ---- Handheld pages -----------------------------------------------

    // Converts `chmPath` into index pages, images and rewritten topics in
    // `outputFolder` (or, when empty, a folder "<title>_marrow" beside the
    // file). True when the file has a contents sitemap and every page was
    // written.
    bool CHM2PDA(const std::string& chmPath, const std::string& outputFolder,
                 const std::string& indexFileName);

private:
    struct PrevNext {
        std::string previous;
        std::string next;
    };

    // `inside` is the storage's path in the help file ("" for the root).
    int DumpAll(const CItsStorage& storage, const std::string& folder, const std::string& inside,
                bool includeSystem);
    // Logs and returns true when the open file showed signs of damage.
    bool ReportDamage() const;
    bool ReadSitemapFile(const std::string& path, CXML* root, const char* rootTag);
    // The number of workers that SetWorkers asks for.
    size_t Workers() const;
    bool FindAtRoot(const char* ending, std::string& name) const;

    // Write the index pages / the entry icons; false when one could not be
    // written (reported).
    bool CHM2PDA_CreateIndexPage(CXML* sitemap, const std::string& indexPath);
    void CHM2PDA_SplitHHC(CXML* element, int indent, int perPage);
    // `links` holds the link to each index page.
    void CHM2PDA_CreateNavigateTableForIndexPage(int page, const std::vector<std::string>& links,
                                                 std::string& text) const;
    void CHM2PDA_OutputIndexPageTail(std::string& text, int page,
                                     const std::vector<std::string>& links) const;
    std::string CHM_GetIndexPageFilename(int page) const;
    void CHM_GetPrevNextURL(int page, std::string& previous, std::string& next) const;
    void CHM2PDA_AddUsedImage(int number);
    bool CHM2PDA_CreateImages(const std::string& folder);
    int CHM2PDA_Decompile(const std::string& folder);
    int CHM2PDA_SaveSub(const CItsStream& stream, const std::string& path);
    std::string CHM2PDA_RemoveSomething(std::string text, const std::string& path) const;
    std::string CHM2PDA_CreateNavigateTableForHtmlPage(const std::string& path) const;
    PrevNext CHM2PDA_GetPrevNextFile(const std::string& path) const;
    void IndexTopicList();

    CItsFile m_file;
    const std::atomic<bool>* m_stop = nullptr;
    size_t m_workers = 0;
    size_t m_workersUsed = 0;
    // Keeps existing output files unless the user agrees, and the open
    // help file always.
    CReplaceGuard m_replaceGuard;
    mb::UserChannels m_channels;
    int m_lastResult = kItsNotOpen;
    bool m_includeProject = false;
    // Name (without folder) of the file being converted, for "MS-ITS:" links.
    std::string m_chmFileName;
    std::string m_backColor = "#ffffff";
    std::string m_foreColor = "#000000";

    // Handheld conversion state, rebuilt by each CHM2PDA.
    std::string m_root;         // output folder, with a trailing "/"
    std::string m_sourceFolder; // m_root + "source"
    std::string m_indexFileName;
    std::string m_indexPath;
    std::vector<std::string> m_pages;
    std::string m_currentPage;
    int m_entryCount = 0;
    size_t m_filesWritten = 0;
    std::vector<std::string> m_topics;                    // output paths, in contents order
    std::vector<std::string> m_topicFiles;                // the same decoded ("" when too long)
    std::unordered_map<std::string, size_t> m_topicIndex; // lowered path -> first position
    std::vector<uint16_t> m_usedImages;                   // first-use order
};
