// The page that shows a Flash movie (CAppHelper::Swf2Html).

#include "appglue/AppHelper.h"

#include "baseutil/Path.h"
#include "baseutil/SafeFile.h"
#include "markup/HTMLHelper.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr const char* kPlayerCabinet =
    "http://download.macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=7,0,19,0";
constexpr const char* kPlayerDownloadPage = "http://www.macromedia.com/go/getflashplayer";

// A file name as a relative address: "%", "#" and "?" are escaped so that
// the name is not read as an escape, a fragment or a query.
std::string AddressText(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (c == '%')
            out += "%25";
        else if (c == '#')
            out += "%23";
        else if (c == '?')
            out += "%3F";
        else
            out += c;
    }
    return CHTMLHelper::HTMLEncode(out);
}

std::string PageText(const std::string& title, const std::string& fileName) {
    const std::string t = CHTMLHelper::HTMLEncode(title);
    const std::string f = AddressText(fileName);
    std::string page;
    page += "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html\">\r\n";
    page += "<title>" + t + ".swf</title></head>\r\n";
    page += "<body bgcolor=\"#396DA5\">\r\n<p>\r\n<a href=\"" + f + "\"></a>\r\n";
    page += "<OBJECT classid=\"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000\"\r\n codebase=\"";
    page += std::string(kPlayerCabinet) + "\"\r\n";
    page += " WIDTH=\"100%\" HEIGHT=\"100%\" id=" + t + " ALIGN=\"\">\r\n";
    page += " <PARAM NAME=movie VALUE=\"" + f + "\"> <PARAM NAME=quality VALUE=high>\r\n";
    page += " <EMBED src=\"" + f + "\" quality=high WIDTH=\"100%\" HEIGHT=\"100%\" ALIGN=\"\"\r\n";
    page += " TYPE=\"application/x-shockwave-flash\" PLUGINSPAGE=\"";
    page += std::string(kPlayerDownloadPage) + "\"></EMBED></OBJECT>\r\n</p>\r\n</body>\r\n</html>";
    return page;
}

} // namespace

int CAppHelper::Swf2Html(const std::string& movie, std::string& page) {
    page.clear();
    if (movie.empty() || !CPath::IsNativeForm(movie))
        return 0;
    fs::path path(movie);
    std::string title = path.stem().string();
    if (title.empty() || !path.has_filename())
        return 0;
    fs::path pagePath = path;
    pagePath.replace_filename(title + "_swf.htm");
    if (!mb::WriteFileSafely(pagePath.string(), PageText(title, path.filename().string())))
        return 0;
    page = pagePath.string();
    return 1;
}
