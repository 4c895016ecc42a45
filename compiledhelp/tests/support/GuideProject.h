#pragma once
// The help project most tests read: nested folders, images, pages whose
// names differ only in case and folder, a multi-level contents, an index,
// a context map, the project copy and streams of awkward sizes.

#include "baseutil/tests/support/TempTree.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <string>

namespace mb::testing {

inline std::string Page(const std::string& title, const std::string& body = "") {
    return "<html><head><title>" + title + "</title></head><body><h1>" + title + "</h1>" + body +
           "</body></html>";
}

// Text that compresses but spans several compression blocks.
inline std::string LongText(size_t size, unsigned seed) {
    std::string text;
    unsigned state = seed;
    while (text.size() < size) {
        state = state * 1103515245u + 12345u;
        text += "line " + std::to_string(state % 1000) + " of the long page\r\n";
    }
    text.resize(size);
    return text;
}

inline std::string BinaryBytes(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    unsigned state = seed;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

inline ChmProject GuideProject(const std::string& folder) {
    ChmProject project;
    project.folder = folder;
    project.Add("intro.htm", Page("Introduction", "<img src=\"images/pic.gif\">"));
    project.Add("Sub/Upper.HTM", Page("Upper"));
    project.Add("Sub/deep/c.htm", Page("Deep C"));
    project.Add("Sub/deep/dup.htm", Page("Deep duplicate"));
    project.Add("images/dup.htm", Page("Image duplicate"));
    project.Add("images/pic.gif", "GIF89a" + BinaryBytes(300, 1));
    project.Add("images/logo.png", "\x89PNG" + BinaryBytes(500, 2));
    project.Add("style.css", "body { color: black; }\n");
    project.Add("code.js", "var x = 1;\n");
    project.Add("data.xml", "<?xml version=\"1.0\"?><a/>\n");
    project.Add("notes.txt", "plain notes\n");
    project.Add("old.HHP", "[OPTIONS]\n");
    project.Add("images/shot.bmp", "BM" + BinaryBytes(100, 5));
    project.Add("images/photo.JPEG", "\xff\xd8" + BinaryBytes(100, 6));
    project.Add("Guide.mbkmbk", "<<MMAARRRROOWW>>\n");
    project.Add("block.bin", BinaryBytes(16384, 3));
    project.Add("long.htm", Page("Long", LongText(300000, 4)));
    project.contents = R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">
<HTML>
<HEAD>
<meta name="GENERATOR" content="test">
</HEAD><BODY>
<OBJECT type="text/site properties">
	<param name="ImageType" value="Folder">
</OBJECT>
<UL>
	<LI> <OBJECT type="text/sitemap">
		<param name="Name" value="Introduction">
		<param name="Local" value="intro.htm">
		</OBJECT>
	<LI> <OBJECT type="text/sitemap">
		<param name="Name" value="Chapter">
		<param name="ImageNumber" value="1">
		</OBJECT>
	<UL>
		<LI> <OBJECT type="text/sitemap">
			<param name="Name" value="Upper">
			<param name="Local" value="Sub/Upper.HTM">
			</OBJECT>
		<UL>
			<LI> <OBJECT type="text/sitemap">
				<param name="Name" value="Deep C">
				<param name="Local" value="Sub/deep/c.htm">
				</OBJECT>
		</UL>
	</UL>
	<LI> <OBJECT type="text/sitemap">
		<param name="Name" value="Long">
		<param name="Local" value="long.htm">
		</OBJECT>
</UL>
</BODY></HTML>
)";
    project.index = R"(<HTML><BODY><UL>
<LI> <OBJECT type="text/sitemap"><param name="Name" value="intro"><param name="Local" value="intro.htm"></OBJECT>
<LI> <OBJECT type="text/sitemap"><param name="Name" value="deep"><param name="Local" value="Sub/deep/c.htm"></OBJECT>
</UL></BODY></HTML>
)";
    project.alias = {"IDH_INTRO=intro.htm", "IDH_DEEP=Sub/deep/c.htm", "IDH_LONG=long.htm"};
    project.map = {"#define IDH_INTRO 10", "#define IDH_DEEP 2000", "#define IDH_LONG 7"};
    return project;
}

} // namespace mb::testing
