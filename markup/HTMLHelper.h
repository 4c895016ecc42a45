#pragma once
// The HTML helper: entity encoding and decoding of the texts that go into
// and come out of sitemap files and link texts, and the repair of page file
// names that contain unwelcome character sequences with a replacement table.

#include <string>

class CXML;

class CHTMLHelper {
public:
    // `table`: the replacement table (see SetReplaceTable).
    explicit CHTMLHelper(const CXML* table = nullptr) : m_table(table) {}
    virtual ~CHTMLHelper() = default;

    // The replacement table: a "REPLACE_TABLE" element whose "REPLACE_ITEM"
    // children carry "old" and "new" (not owned; null for none).
    void SetReplaceTable(const CXML* table) { m_table = table; }
    const CXML* GetReplaceTable() const { return m_table; }

    // Each step replaces every occurrence, in the order given; "&amp;" is
    // encoded first and decoded last, so one encode/decode round gives any
    // text back.
    // & < > " become &amp; &lt; &gt; &quot;.
    static std::string HTMLEncode(std::string text);
    static std::string HTMLEncodeParamName(std::string text);
    // & becomes &amp;.
    static std::string HTMLEncodeParamLocal(std::string text);
    // &nbsp; %20 &lt; &gt; &quot; &middot; &amp; (in the order of each function).
    static std::string HTMLDecode(std::string text);
    static std::string HTMLDecode2(std::string text);
    // &lt; &gt; &quot; &amp;
    static std::string HTMLDecodeParamName(std::string text);
    // &amp; %20
    static std::string HTMLDecodeParamLocal(std::string text);

    // Renames a page whose file name contains unwelcome sequences: the page
    // is written under its new name beside the old one, with its references
    // into its associated folder pointing at the folder's new name. On
    // success `newFile` is the new page; `oldFolder` and `newFolder` are the
    // full paths (no trailing '/') of the associated folder before and after,
    // when that folder must be renamed too, otherwise empty. All three stay
    // empty when nothing was done: no table or no items, no such page, a name
    // without unwelcome sequences, a new name that is taken already or no
    // plain file name, or a failed write. The old page and folder stay in
    // place; moving the folder is the caller's work.
    void ReplaceUnwelcomeCharsInFilename(std::string file, std::string& newFile,
                                         std::string& oldFolder, std::string& newFolder) const;

private:
    const CXML* m_table = nullptr;
};
