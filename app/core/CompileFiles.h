#pragma once
// The files of one compile of a project. The compiler's own files take a
// hidden, ASCII-only stem of their own in the project folder
// (".mb-compile-guide.hhp", .hhc, .hhk, the help file being written .chm,
// and the .lock), so that they never replace or remove a file of the user:
// a hand-made guide.hhp beside guide.mbk stays as it is. The stem depends
// on the project file's name only, so each project has its own, and the
// compiler, which reads file names in a Windows code page, finds them
// whatever the project is called. The help file is renamed to its real
// name only when it is complete.

#include <string>

class CProjectFile;

namespace mb {

struct CompileFiles {
    std::string stem;   // ".mb-compile-…", without folder
    std::string hhp;    // the project text for the compiler
    std::string hhc;    // contents
    std::string hhk;    // index
    std::string chm;    // the help file while the compiler writes it
    std::string lock;   // held while the compile runs
    std::string target; // the help file's real name
    std::string mbk;    // the project file
    std::string mbkmbk; // its enciphered copy, compiled into the help file

    // The files of the saved project `project`.
    static CompileFiles Of(const CProjectFile& project);
};

// The hidden stem for the project titled `title`: ".mb-compile-" and the
// title when it is made of ASCII letters, digits, "-" and "_" only;
// otherwise those of its characters, with a checksum of the whole title.
std::string CompileStem(const std::string& title);

} // namespace mb
