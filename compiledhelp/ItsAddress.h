#pragma once
// Addresses of pages inside compiled help files, as the help viewer writes
// them: "ms-its:/d/h.chm::/a/b.htm" and "mk:@MSITStore:/d/h.chm::/a/b.htm"
// name the same stream. The stream part is taken apart into names and put
// together again without "." and "..": a ".." at the top of the archive is
// dropped, so an address never reaches anything outside its help file.

#include "compiledhelp/ItsFile.h"

#include <string>
#include <string_view>
#include <sys/types.h>

struct ItsAddress {
    std::string chmPath;    // the help file on disk
    std::string streamPath; // "a/b.htm": "/" separated, no leading "/"
};

// Takes an "ms-its:" or "mk:@MSITStore:" address (either prefix in any
// letter case) apart at its first "::". Query and fragment must already be
// cut off. False when the prefix, the help file or the "::" is missing.
bool ParseItsAddress(std::string_view address, ItsAddress& out);

// A stream path with "\" read as "/", empty and "." names dropped and every
// ".." taking away the name before it (nothing at the top).
std::string NormalizeStreamPath(std::string_view path);

// The "ms-its:" form of an address.
std::string MakeItsAddress(const std::string& chmPath, const std::string& streamPath);

// Reads streams by address. The help file read last stays open for the
// next request (a page brings its images and style sheets from the same
// file) and is opened anew when it changed on disk.
class CItsStreamReader {
public:
    // Reads the stream into `data`: kItsOk, kItsNotFound, kItsWrongType for
    // a storage, or the reason the help file could not be opened (anything
    // but a regular file is refused at once).
    int Read(const ItsAddress& address, std::string& data);
    // Finds the element an address names, opening its help file.
    // kItsOk with `stream` set for a stream, kItsWrongType for a storage.
    int Find(const ItsAddress& address, CItsStream& stream);

private:
    int Open(const std::string& chmPath);

    CItsFile m_file;
    std::string m_path;
    time_t m_modified = 0;
    off_t m_size = 0;
};
