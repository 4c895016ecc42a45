#include "pageeditor/PageAddress.h"

#include "compiledhelp/ItsAddress.h"
#include "helpweb/ItsSchemeHandler.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace mb::page {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

bool IsInsideHelpFile(const std::string& address) {
    std::string lower = Lower(address);
    size_t at = std::min(lower.find(".chm::/"), lower.find(".chm::\\"));
    return at != std::string::npos && at > 0;
}

std::string WithoutAnchor(const std::string& path) {
    if (std::filesystem::exists(path))
        return path;
    size_t hash = path.rfind('#');
    return hash == std::string::npos ? path : path.substr(0, hash);
}

QUrl UrlOf(const std::string& address) {
    if (StartsWith(Lower(address), "ms-its:")) {
        ItsAddress its;
        std::string plain = address;
        size_t hash = plain.rfind('#');
        std::string fragment;
        if (hash != std::string::npos && hash > plain.find("::")) {
            fragment = plain.substr(hash + 1);
            plain.resize(hash);
        }
        if (ParseItsAddress(plain, its)) {
            QUrl url = web::ItsUrl(its.chmPath, its.streamPath);
            if (!fragment.empty())
                url.setFragment(QString::fromStdString(fragment));
            return url;
        }
    }
    if (StartsWith(address, "/")) {
        std::string file = WithoutAnchor(address);
        QUrl url = QUrl::fromLocalFile(QString::fromStdString(file));
        if (file.size() + 1 < address.size())
            url.setFragment(QString::fromStdString(address.substr(file.size() + 1)));
        return url;
    }
    return QUrl(QString::fromStdString(address));
}

} // namespace mb::page
