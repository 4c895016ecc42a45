// Reading contents and index sitemaps into their raw XML mirror.

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"
#include "compiledhelp/SitemapScanner.h"
#include "compiledhelp/tests/support/GuideProject.h"

#include <gtest/gtest.h>

using namespace mb::testing;

namespace {

// The tree as one line per element: indentation, tag and attributes.
void Render(const CXML& element, int depth, std::string& out) {
    out += std::string(depth * 2, ' ') + element.GetTagName();
    for (int i = 0; i < element.GetAttrCount(); ++i)
        out += " " + element.GetAttrNameAt(i) + "=" + element.GetAttrValueAt(i);
    out += "\n";
    for (int i = 0; i < element.GetChildCount(); ++i)
        Render(*element.GetChildAt(i), depth + 1, out);
}

std::string Scan(const std::string& text, const std::string& chmName = "") {
    CXML root;
    ScanSitemap(text, root, "HHCRoot", chmName);
    std::string out;
    Render(root, 0, out);
    return out;
}

TEST(SitemapScanner, MirrorsTheListStructure) {
    std::string text = R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">
<HTML><HEAD><meta name="GENERATOR" content="x"></HEAD><BODY>
<OBJECT type="text/site properties"><param name="ImageType" value="Folder"></OBJECT>
<ul>
  <li><object type="text/sitemap"><param name="Name" value="Tom &amp; Jerry"><param name="Local" value="a.htm"></object>
  <ul>
    <li><OBJECT type="text/sitemap"><param name="Name" value="Child"></OBJECT>
    <li><OBJECT type="text/sitemap"><param name="Name" value="Second child"></OBJECT>
  </ul>
  <li><OBJECT type="text/sitemap"><FONT><param name="Name" value="After"></OBJECT>
</ul>
</BODY></HTML>)";
    EXPECT_EQ(Scan(text), R"(HHCRoot
  HTML
    HEAD
    BODY
      OBJECT type=text/site properties
        PARAM name=ImageType value=Folder
      UL
        LI
          OBJECT type=text/sitemap
            PARAM name=Name value=Tom &amp; Jerry
            PARAM name=Local value=a.htm
          UL
            LI
              OBJECT type=text/sitemap
                PARAM name=Name value=Child
            LI
              OBJECT type=text/sitemap
                PARAM name=Name value=Second child
        LI
          OBJECT type=text/sitemap
            PARAM name=Name value=After
)");
}

TEST(SitemapScanner, ToleratesOddMarkup) {
    // Fewer than four quotes: no PARAM. Line breaks inside a tag name end it.
    EXPECT_EQ(
        Scan("<OBJECT type=\"t\"><param name=\"Name\" value=x><param\r\nname=\"A\"\tvalue=\"B\">"
             "</OBJECT>"),
        "HHCRoot\n  OBJECT type=t\n    PARAM name=A value=B\n");
    // An empty list closes only itself: the next item stays in the outer list.
    EXPECT_EQ(
        Scan("<UL><LI><OBJECT type=\"a\"></OBJECT><UL></UL><LI><OBJECT type=\"b\"></OBJECT></UL>"),
        "HHCRoot\n  UL\n    LI\n      OBJECT type=a\n      UL\n    LI\n      OBJECT type=b\n");
    // Closing more than was opened stays at the root; an unfinished tag ends the scan.
    EXPECT_EQ(Scan("</UL></BODY></HTML><UL></UL><OBJECT type=\"x\""), "HHCRoot\n  UL\n");
    EXPECT_EQ(Scan("<OBJECT>"), "HHCRoot\n  OBJECT type=\n");
    EXPECT_EQ(Scan(""), "HHCRoot\n");

    // Very deep nesting is cut off rather than built.
    std::string deep;
    for (int i = 0; i < 20000; ++i)
        deep += "<UL><LI>";
    CXML root;
    ScanSitemap(deep, root, "HHCRoot", "");
    int depth = 0;
    for (CXML* node = &root; node->GetChildCount() > 0; node = node->GetChildAt(0))
        ++depth;
    EXPECT_GT(depth, 100);
    EXPECT_LE(depth, 1000);
}

TEST(SitemapScanner, AnglesInsideQuotedValuesStayInTheValue) {
    // Sphinx's index of CMake's help names anchors with "<" and ">".
    std::string text = "<LI> <OBJECT type=\"text/sitemap\">\n"
                       "    <param name=\"Keyword\" value=\"&lt;PackageName&gt;_ROOT\">\n"
                       "    <param name=\"Local\" "
                       "value=\"envvar/PackageName_ROOT.html#envvar:<PackageName>_ROOT\">\n"
                       "</OBJECT>\n";
    EXPECT_EQ(Scan(text), "HHCRoot\n  LI\n    OBJECT type=text/sitemap\n"
                          "      PARAM name=Keyword value=&lt;PackageName&gt;_ROOT\n"
                          "      PARAM name=Local "
                          "value=envvar/PackageName_ROOT.html#envvar:<PackageName>_ROOT\n");
    // A quote not closed on its line is a stray: its tag ends at the first
    // ">" and the rest of the file is read as before.
    EXPECT_EQ(Scan("<OBJECT type=\"a\"><param name=\"Name\" value=\"x>\n"
                   "<param name=\"Local\" value=\"b.htm\"></OBJECT><OBJECT type=\"c\">"),
              "HHCRoot\n  OBJECT type=a\n    PARAM name=Local value=b.htm\n  OBJECT type=c\n");
}

TEST(SitemapScanner, RemovesTheOwnFilePrefixOfLocalValues) {
    std::string text =
        "<OBJECT type=\"s\"><param name=\"Local\" value=\"MS-ITS:guide.chm::/a/b.htm\">"
        "<param name=\"local\" value=\"ms-its:GUIDE.CHM::/c.htm\">"
        "<param name=\"Local\" value=\"MS-ITS:other.chm::/d.htm\">"
        "<param name=\"Name\" value=\"MS-ITS:guide.chm::/e.htm\"></OBJECT>";
    EXPECT_EQ(Scan(text, "guide.chm"), "HHCRoot\n  OBJECT type=s\n"
                                       "    PARAM name=Local value=a/b.htm\n"
                                       "    PARAM name=local value=c.htm\n"
                                       "    PARAM name=Local value=MS-ITS:other.chm::/d.htm\n"
                                       "    PARAM name=Name value=MS-ITS:guide.chm::/e.htm\n");
    EXPECT_NE(Scan(text, "").find("value=MS-ITS:guide.chm::/a/b.htm"), std::string::npos);
}

TEST(SitemapScanner, ColoursOfTheIndexHeader) {
    std::string header(64, '\0');
    header[32] = '\x99';
    header[33] = '\x66';
    header[34] = '\x33';
    header[36] = '\x0f';
    std::string back;
    std::string fore;
    ReadIndexHeaderColors(&header, back, fore);
    EXPECT_EQ(back, "#336699");
    EXPECT_EQ(fore, "#f");
    header[32] = header[33] = header[34] = '\0';
    ReadIndexHeaderColors(&header, back, fore);
    EXPECT_EQ(back, "#ffffff");
    std::string shortHeader(38, '\x11');
    ReadIndexHeaderColors(&shortHeader, back, fore);
    EXPECT_EQ(back, "#ffffff");
    EXPECT_EQ(fore, "#000000");
    ReadIndexHeaderColors(nullptr, back, fore);
    EXPECT_EQ(fore, "#000000");
}

TEST(SitemapFiles, ReadFromDiskAndFromTheHelpFile) {
    TempTree tree;
    ChmProject project = GuideProject(tree / "guide");
    std::string chm = project.Build("guide.chm");

    CCHMFileRW reader;
    CXML root("OLD");
    root.AddChild("stale");
    ASSERT_TRUE(reader.ReadHHCInfoToXML(tree / "guide/toc.hhc", &root));
    EXPECT_EQ(root.GetTagName(), "HHCRoot");
    std::string fromDisk;
    Render(root, 0, fromDisk);
    EXPECT_EQ(fromDisk.find("stale"), std::string::npos);
    EXPECT_NE(fromDisk.find("PARAM name=Local value=Sub/deep/c.htm"), std::string::npos);
    ASSERT_TRUE(reader.ReadHHKInfoToXML(tree / "guide/index.hhk", &root));
    EXPECT_EQ(root.GetTagName(), "HHKRoot");
    EXPECT_FALSE(reader.ReadHHKInfoToXML(tree / "guide/none.hhk", &root));

    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    CXML fromFile;
    ASSERT_TRUE(reader.CHM2Web_ReadHHCInfoToXML(&fromFile, ""));
    std::string inside;
    Render(fromFile, 0, inside);
    EXPECT_EQ(inside, fromDisk);
    ASSERT_TRUE(reader.CHM2Web_ReadHHKInfoToXML(&fromFile));
    EXPECT_EQ(fromFile.GetTagName(), "HHKRoot");
    ASSERT_TRUE(reader.CHM2Web_ReadHHCInfoToXML(&fromFile, "index.hhk"));
    EXPECT_EQ(fromFile.GetTagName(), "HHCRoot");
    EXPECT_FALSE(reader.CHM2Web_ReadHHCInfoToXML(&fromFile, "missing.hhc"));

    std::vector<std::string> topics;
    CXML contents;
    ASSERT_TRUE(reader.CHM_GetHHCInfo(&contents, topics));
    EXPECT_EQ(reader.GetBackgroundColor(), "#ffffff");
    EXPECT_EQ(reader.GetForegroundColor(), "#0");
    EXPECT_EQ(topics.size(), 4u);

    // The web copy: no bookkeeping, sitemaps or project copy; pages as stored.
    std::string out = tree / "web";
    EXPECT_EQ(reader.CHM2Web_Decompile(out), 0);
    std::map<std::string, std::string> written = ReadTree(out);
    EXPECT_FALSE(written.count("toc.hhc") || written.count("index.hhk") ||
                 written.count("Guide.mbkmbk") || written.count("#SYSTEM"));
    EXPECT_EQ(written["intro.htm"], project.files["intro.htm"]);
    // The project's files less the project copy, plus chmcmd's read-me.
    EXPECT_TRUE(written.count("_#_README_#_"));
    EXPECT_EQ(written.size(), project.files.size());
}

TEST(SitemapFiles, HelpFileWithoutContents) {
    TempTree tree;
    ChmProject project;
    project.folder = tree.Root();
    project.Add("a.htm", Page("A"));
    std::string chm = project.Build("bare.chm");
    CCHMFileRW reader;
    ASSERT_TRUE(reader.CHM_SetCHMFile(chm));
    CXML root;
    std::vector<std::string> topics;
    EXPECT_FALSE(reader.CHM_GetHHCInfo(&root, topics));
    EXPECT_FALSE(reader.CHM2Web_ReadHHCInfoToXML(&root, ""));
    EXPECT_FALSE(reader.CHM2Web_ReadHHKInfoToXML(&root));
    EXPECT_TRUE(topics.empty());
}

} // namespace
