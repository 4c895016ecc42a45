#include "commonkit/StringTable.h"

#include "commonkit/StringTexts.h"

#include <climits>
#include <unistd.h>
#include <vector>

namespace {

std::string RunningProgramPath() {
    std::vector<char> buffer(PATH_MAX + 1);
    ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return n > 0 ? std::string(buffer.data(), static_cast<size_t>(n)) : std::string();
}

std::vector<std::string> BuildTable() {
    std::vector<std::string> table(kStrAppRunPath + 1);
    for (std::span<const StringText> texts : {BuiltInStringTexts(), WindowStringTexts()}) {
        for (const StringText& entry : texts) {
            if (entry.number < 0)
                continue;
            if (static_cast<size_t>(entry.number) >= table.size())
                table.resize(static_cast<size_t>(entry.number) + 1);
            table[static_cast<size_t>(entry.number)] = entry.text;
        }
    }
    table[kStrAppRunPath] = RunningProgramPath();
    return table;
}

// Filled once, on first use; read-only afterwards, so any thread may read it.
const std::vector<std::string>& Table() {
    static const std::vector<std::string> table = BuildTable();
    return table;
}

bool LookUp(std::span<const IdStringPair> table, int id, std::string& text) {
    for (const IdStringPair& pair : table) {
        if (pair.id == id) {
            text = CStrHelper::ML_GetStringEx(pair.stringNo);
            return !text.empty();
        }
    }
    return false;
}

} // namespace

std::pair<std::string, std::string> SplitLanguageVariants(const std::string& entry) {
    size_t bar = entry.find('|', 1);
    if (bar == std::string::npos || bar + 1 >= entry.size())
        return {};
    return {entry.substr(0, bar), entry.substr(bar + 1)};
}

const IdStringPair CStrHelper::m_ID_MLID_TABLE[24] = {
    {32772, 137}, {32773, 138}, {32774, 139}, {32877, 455}, {-1, 143},    {32775, 144},
    {32776, 145}, {32777, 146}, {32778, 141}, {32780, 147}, {32781, 148}, {32782, 149},
    {32783, 150}, {32784, 151}, {32785, 152}, {32842, 153}, {32843, 154}, {32779, 142},
    {32786, 268}, {32787, 269}, {32788, 270}, {32789, 214}, {32876, 449}, {32974, 485},
};

std::string FilledText(int n, std::initializer_list<std::string_view> values) {
    const std::string text = CStrHelper::ML_GetStringEx(n);
    std::string filled;
    for (size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<size_t>(next - '1') < values.size()) {
            filled += values.begin()[next - '1'];
            ++i;
        } else {
            filled += text[i];
        }
    }
    return filled;
}

std::string CStrHelper::ML_GetStringEx(int n) {
    const std::vector<std::string>& table = Table();
    if (n < 0 || static_cast<size_t>(n) >= table.size())
        return {};
    return table[static_cast<size_t>(n)];
}

std::string CStrHelper::ML_GetEnglishStringEx(int n) {
    return SplitLanguageVariants(ML_GetStringEx(n)).first;
}

std::string CStrHelper::ML_GetChineseStringEx(int n) {
    return SplitLanguageVariants(ML_GetStringEx(n)).second;
}

std::string CStrHelper::ML_GetStringFromID(int id) {
    for (const IdStringPair& pair : m_ID_MLID_TABLE) {
        if (pair.id == id)
            return ML_GetStringEx(pair.stringNo);
    }
    return {};
}

bool CStrHelper::GetMLStringByID(int id, std::string& text) {
    return LookUp(MainWindowToolTips(), id, text);
}

std::string CStrHelper::GetAppRunPathString() {
    return ML_GetStringEx(kStrAppRunPath);
}

int CStrHelper::GetStringCount() {
    return static_cast<int>(Table().size());
}

bool CCEStrHelper::GetMLStringByID(int id, std::string& text) {
    return LookUp(ChmExplorerToolTips(), id, text);
}

bool CHEStrHelper::GetMLStringByID(int id, std::string& text) {
    return LookUp(PageEditorToolTips(), id, text);
}

bool CRSStrHelper::GetMLStringByID(int id, std::string& text) {
    return LookUp(FolderExplorerToolTips(), id, text);
}
