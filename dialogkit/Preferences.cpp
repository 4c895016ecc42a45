#include "dialogkit/Preferences.h"

#include "commonkit/HelpTopics.h"

#include "baseutil/Xml.h"
#include "runconfig/ConfigData.h"

#include <algorithm>

void ReplacementList::Load(const CXML* table) {
    m_rows.clear();
    if (!table)
        return;
    for (int i = 0; i < table->GetChildCount(); ++i) {
        const CXML* item = table->GetChildAt(i);
        m_rows.push_back({item->GetAttr("old"), item->GetAttr("new")});
    }
}

void ReplacementList::WriteTo(CXML& table) const {
    table.DelAllChild();
    for (const ReplacementRow& row : m_rows) {
        CXML* item = table.AddChild("REPLACE_ITEM");
        item->SetAttr("old", row.oldText);
        item->SetAttr("new", row.newText);
    }
}

void ReplacementList::Modify(int index, const ReplacementRow& row) {
    if (index >= 0 && index < static_cast<int>(m_rows.size()))
        m_rows[index] = row;
}

void ReplacementList::Remove(std::vector<int> indexes) {
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
        if (*it >= 0 && *it < static_cast<int>(m_rows.size()))
            m_rows.erase(m_rows.begin() + *it);
}

CDlgPreferences::CDlgPreferences(CConfigData& config)
    : m_config(config),
      m_htmlTopic(config.m_nHtmlTopic == 1   ? HtmlTopicTitle::FileNameWithExtension
                  : config.m_nHtmlTopic == 2 ? HtmlTopicTitle::FileNameWithoutExtension
                                             : HtmlTopicTitle::PageTitle),
      m_otherWithoutExtension(config.m_nHtmlOtherTypesTopic != 0) {
    m_replacements.Load(config.GetReplacedTable());
}

const char* CDlgPreferences::HelpTopic(int page) {
    return page == 0 ? mb::help::kTopicTitleRule : mb::help::kReplaceSettings;
}

void CDlgPreferences::OnOK() {
    m_config.m_nHtmlTopic = static_cast<int>(m_htmlTopic);
    m_config.m_nHtmlOtherTypesTopic = m_otherWithoutExtension ? 1 : 0;
    if (CXML* table = m_config.GetReplacedTable())
        m_replacements.WriteTo(*table);
}
