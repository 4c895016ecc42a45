#pragma once
// The files of one compile of a project. The compiler works in a hidden
// folder of the compile's own inside the project folder (the staging
// folder, ".mb-compile-guide/"), which holds what is written for it (the
// .hhp, .hhc and .hhk, the enciphered project copy), the help file it
// writes, and a symbolic link to each entry of the project folder (see
// CompileStaging). So the compiler finds every page where the project has
// it, the help file names its contents and index as the project does
// (guide.hhc, guide.hhk), and no file of the user is ever replaced or
// removed: a hand-made guide.hhc beside guide.mbk stays as it is. The help
// file takes its real name only when it is complete. The stem depends on
// the project file's name only, so each project has its own staging folder
// and lock.

#include <string>

class CProjectFile;

namespace mb {

struct CompileFiles {
    std::string stem;    // ".mb-compile-…", without folder
    std::string staging; // the staging folder, with a trailing "/"
    std::string lock;    // held while the compile runs (beside the staging folder)
    // The name of the contents and index without extension, as the project
    // text written for the compiler gives it (see CompilerName).
    std::string name;
    // In the staging folder, named by the bytes the compiler reads for them.
    std::string hhp;    // the project text for the compiler
    std::string hhc;    // contents
    std::string hhk;    // index
    std::string chm;    // the help file while the compiler writes it
    std::string mbkmbk; // the enciphered project copy
    std::string target; // the help file's real name
    std::string mbk;    // the project file

    // The files of the saved project `project`.
    static CompileFiles Of(const CProjectFile& project);
};

// The hidden stem for the project titled `title`: ".mb-compile-" and the
// title when it is made of ASCII letters, digits, "-" and "_" only;
// otherwise those of its characters, with a checksum of the whole title.
std::string CompileStem(const std::string& title);

// The name under which the compiler takes in the contents and index of the
// project titled `title` in the language `languageId`: the title itself,
// unless the compiler could not read it back as one plain file name from
// the project text (in the language's code page: a character the code page
// lacks, a folder separator, a quote or comma of the window definition, a
// character of a web address, a blank at either end); then the ASCII form
// that CompileStem makes of it.
std::string CompilerName(const std::string& title, int languageId);

} // namespace mb
