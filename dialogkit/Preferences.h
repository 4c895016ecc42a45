#pragma once
// The preferences dialog as data: the rule that names new contents and index
// entries after their files (the topic-title rule) and the table of
// unwelcome-character replacements. The dialog works on copies; only OK
// writes them into the configuration.
#include <string>
#include <vector>

class CConfigData;
class CXML;

// One row of the replacement table: the text to replace and its replacement.
struct ReplacementRow {
    std::string oldText;
    std::string newText;
    bool operator==(const ReplacementRow&) const = default;
};

// The rows of a "REPLACE_TABLE" element, edited as a list.
class ReplacementList {
public:
    // One row per child, its "old" and "new" attributes (none for null).
    void Load(const CXML* table);
    // Empties `table` and gives it one "REPLACE_ITEM" per row, in row order,
    // with "old" and "new" also when they are empty.
    void WriteTo(CXML& table) const;

    const std::vector<ReplacementRow>& Rows() const { return m_rows; }
    void Add(const ReplacementRow& row) { m_rows.push_back(row); }
    // Replaces row `index` (nothing outside the list).
    void Modify(int index, const ReplacementRow& row);
    // Removes every listed row (duplicates and indexes outside the list are
    // ignored).
    void Remove(std::vector<int> indexes);

private:
    std::vector<ReplacementRow> m_rows;
};

// Where the text of a new entry for an HTML page comes from.
enum class HtmlTopicTitle {
    PageTitle = 0,
    FileNameWithExtension = 1,
    FileNameWithoutExtension = 2
};

class CDlgPreferences {
public:
    // Copies the topic-title rule and the replacement table of `config`.
    explicit CDlgPreferences(CConfigData& config);

    // The choices for HTML pages; a stored value other than 1 or 2 shows as
    // the page title.
    HtmlTopicTitle GetHTMLTopicTitle() const { return m_htmlTopic; }
    void SetHTMLTopicTitle(HtmlTopicTitle rule) { m_htmlTopic = rule; }
    // For other files: true names them without their extension.
    bool GetOtherTypesWithoutExtension() const { return m_otherWithoutExtension; }
    void SetOtherTypesWithoutExtension(bool on) { m_otherWithoutExtension = on; }

    ReplacementList& Replacements() { return m_replacements; }

    // Help topic of the page on show (0 topic titles, 1 replacements).
    static const char* HelpTopic(int page);

    // Writes the choices and the table into the configuration.
    void OnOK();

private:
    CConfigData& m_config;
    HtmlTopicTitle m_htmlTopic;
    bool m_otherWithoutExtension;
    ReplacementList m_replacements;
};
