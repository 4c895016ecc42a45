#include "compiledhelp/ChmSystemStream.h"

#include "compiledhelp/ChmBytes.h"

namespace {

enum SystemCode : uint16_t {
    kContentsFile = 0,
    kIndexFile = 1,
    kDefaultTopic = 2,
    kTitle = 3,
    kLanguageAndFlags = 4,
    kDefaultWindow = 5,
    kBinaryIndex = 7,
    kBinaryToc = 11,
    kDefaultFont = 16,
};

// Offsets inside the record of code 4.
constexpr size_t kLanguageOffset = 0;
constexpr size_t kFullTextSearchOffset = 8;

} // namespace

ChmSystemInfo ParseSystemStream(std::string_view bytes) {
    ChmSystemInfo info;
    mb::chm::ByteView stream(bytes);
    size_t at = 4; // behind the version number
    uint16_t code = 0;
    uint16_t length = 0;
    while (stream.U16(at, code) && stream.U16(at + 2, length) && stream.Has(at + 4, length)) {
        mb::chm::ByteView record(bytes.substr(at + 4, length));
        switch (code) {
        case kContentsFile:
            info.contentsFile = record.CString(0);
            break;
        case kIndexFile:
            info.indexFile = record.CString(0);
            break;
        case kDefaultTopic:
            info.defaultTopic = record.CString(0);
            break;
        case kTitle:
            info.title = record.CString(0);
            break;
        case kLanguageAndFlags:
            info.languageId = record.U32Or(kLanguageOffset, 0);
            info.fullTextSearch = record.U32Or(kFullTextSearchOffset, 0) != 0;
            break;
        case kDefaultWindow:
            info.defaultWindow = record.CString(0);
            break;
        case kBinaryIndex:
            info.binaryIndex = true;
            break;
        case kBinaryToc:
            info.binaryToc = true;
            break;
        case kDefaultFont:
            info.defaultFont = record.CString(0);
            break;
        default:
            break;
        }
        at += 4 + length;
    }
    return info;
}
