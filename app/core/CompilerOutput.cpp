#include "app/core/CompilerOutput.h"

namespace mb {
namespace {

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// "Error: Anchor a.htm#x undefined; first use b.htm"
bool IsMissingAnchor(std::string_view line) {
    return StartsWith(line, "Error: Anchor ") && line.find(" undefined") != std::string_view::npos;
}

// "Warning: Found file x.htm while scanning a.htm, but couldn't find it on disk"
bool IsMissingLinkedPage(std::string_view line) {
    return StartsWith(line, "Warning: Found file ") && EndsWith(line, "couldn't find it on disk");
}

// "Warning: File x.htm does not exist": a file of the project's list.
std::optional<std::string> MissingListedFile(std::string_view line) {
    constexpr std::string_view kPrefix = "Warning: File ";
    constexpr std::string_view kSuffix = " does not exist";
    if (!StartsWith(line, kPrefix) || !EndsWith(line, kSuffix) ||
        line.size() <= kPrefix.size() + kSuffix.size())
        return std::nullopt;
    return std::string(line.substr(kPrefix.size(), line.size() - kPrefix.size() - kSuffix.size()));
}

} // namespace

std::optional<std::string> FileTakenIn(std::string_view line) {
    struct Form {
        std::string_view prefix;
        bool endsWithDot;
    };
    static constexpr Form kForms[] = {
        {"Note: Scanning file ", true},
        {"Note: Not scanning file because of unknown extension ", false},
        {"Note: Scanning TOC file : ", true},
        {"Note: Scanning Index file : ", true},
    };
    for (const Form& form : kForms) {
        if (!StartsWith(line, form.prefix))
            continue;
        std::string_view name = line.substr(form.prefix.size());
        if (form.endsWithDot && !name.empty() && name.back() == '.')
            name.remove_suffix(1);
        if (name.empty())
            return std::nullopt;
        return std::string(name);
    }
    return std::nullopt;
}

std::vector<std::string> CompilerOutput::Feed(std::string_view chunk) {
    std::vector<std::string> lines;
    m_pending += chunk;
    size_t end;
    while ((end = m_pending.find('\n')) != std::string::npos) {
        std::string line = m_pending.substr(0, end);
        m_pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Take(line);
        lines.push_back(std::move(line));
    }
    return lines;
}

void CompilerOutput::Take(const std::string& line) {
    m_lastLines.push_back(line);
    if (m_lastLines.size() > kKeptLines)
        m_lastLines.pop_front();
    if (IsMissingAnchor(line) || IsMissingLinkedPage(line)) {
        ++m_linkWarnings;
    } else if (StartsWith(line, "Error:")) {
        m_errors.push_back(line);
    } else if (auto missing = MissingListedFile(line)) {
        m_missingFiles.push_back(*missing);
    } else if (StartsWith(line, "An unhandled exception occurred")) {
        m_exceptionFollows = true;
    } else if (m_exceptionFollows) {
        m_exceptionFollows = false;
        if (StartsWith(line, "E") && line.find(": ") != std::string::npos)
            m_exception = line;
    }
}

bool CompilerOutput::CrashedOnAFile() const {
    return !m_missingFiles.empty() || StartsWith(m_exception, "EFOpenError") ||
           StartsWith(m_exception, "EFCreateError") || StartsWith(m_exception, "EInOutError") ||
           StartsWith(m_exception, "EStreamError");
}

std::string CompilerOutput::LastLines() const {
    std::string text;
    for (const std::string& line : m_lastLines)
        text += line + "\n";
    return text;
}

} // namespace mb
