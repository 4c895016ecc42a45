#pragma once
// The topics of a compiled help file as its binary contents and index name
// them: "#TOPICS" gives each topic its title (in "#STRINGS") and its entry in
// "#URLTBL", which points to its page address in "#URLSTR".

#include <cstdint>
#include <string>

class CItsFile;

struct ChmTopic {
    std::string title; // empty when the topic has none
    std::string local; // the page, or an internet address
};

class ChmTopicTable {
public:
    ChmTopicTable() = default;
    ChmTopicTable(std::string topics, std::string urlTable, std::string urlStrings,
                  std::string strings);
    // Reads the four streams of an open file; missing ones read as empty.
    static ChmTopicTable Read(const CItsFile& file);

    // False, leaving `topic` empty, when there is no topic `index`.
    bool Topic(uint32_t index, ChmTopic& topic) const;
    // The text at `offset` in "#STRINGS"; empty when outside.
    std::string String(uint32_t offset) const;
    const std::string& Strings() const { return m_strings; }

private:
    std::string m_topics;
    std::string m_urlTable;
    std::string m_urlStrings;
    std::string m_strings;
};
