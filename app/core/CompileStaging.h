#pragma once
// The staging folder in which the compiler works (see CompileFiles): beside
// the files written for the compiler, a symbolic link ("../name") to each
// entry of the project folder, so that the compiler, which takes every file
// relative to its working folder, finds pages, pictures and sub-folders
// where the project has them. Left out are the entries that the compile's
// own files stand for (the user's guide.hhc, guide.hhp, the old guide.chm)
// and the hidden entries of compiles (".mb-compile-…").
//
// A page that links out of the project folder ("../style.css") reaches the
// project folder itself from there; such files cannot be put into the help
// file under a name that a viewer can reach anyway, and the compiler names
// each one it cannot find in its log.

#include "app/core/CompileFiles.h"

#include <string>

namespace mb {

// Makes the staging folder of `files` anew (an old one, left by a compile
// that was killed or kept, goes first) with its links. Empty on success,
// otherwise why not.
std::string MakeStagingFolder(const CompileFiles& files);

// Removes the staging folder with all it holds; links go, never what they
// lead to.
void RemoveStagingFolder(const CompileFiles& files);

} // namespace mb
