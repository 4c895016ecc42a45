#include "baseutil/Xml.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

std::unique_ptr<CXML> Parse(const std::string& text) {
    auto node = std::make_unique<CXML>();
    node->XMLReadString(text);
    return node;
}

// Writes and reads back; the tree must come back equal.
std::unique_ptr<CXML> RoundTrip(const CXML& node) {
    std::string text;
    node.XMLWriteString(text);
    auto back = std::make_unique<CXML>();
    EXPECT_TRUE(back->XMLReadString(text)) << text;
    return back;
}

// Structural equality: tag, attributes in order, value and children.
bool SameTree(const CXML& a, const CXML& b) {
    if (a.GetTagName() != b.GetTagName() || a.Value() != b.Value() ||
        a.GetAttrCount() != b.GetAttrCount() || a.GetChildCount() != b.GetChildCount())
        return false;
    for (int i = 0; i < a.GetAttrCount(); ++i) {
        if (a.GetAttrNameAt(i) != b.GetAttrNameAt(i) || a.GetAttrValueAt(i) != b.GetAttrValueAt(i))
            return false;
    }
    for (int i = 0; i < a.GetChildCount(); ++i) {
        if (!SameTree(*a.GetChildAt(i), *b.GetChildAt(i)))
            return false;
    }
    return true;
}

std::string Names(CXML& parent) {
    std::string names;
    for (int i = 0; i < parent.GetChildCount(); ++i)
        names += parent.GetChildAt(i)->GetAttr("Name") + ",";
    return names;
}

TEST(XmlRoundTrip, AwkwardTextSurvivesExactly) {
    CXML root("root");
    root.SetAttr("quotes", "say \"hi\" & 'bye' <now>");
    root.SetAttr("lines", "a\r\nb\tc\nd");
    root.SetAttr("empty", "");
    root.SetAttr("utf8", "Grüße 中文 Ελληνικά");
    CXML* leaf = root.AddChild("leaf", "  spaced value\r\nwith CR LF & <tags> ]]> end  ");
    leaf->SetAttr("Name", "x");
    root.AddChild("blank", "   ");
    root.AddChild("nothing", "");
    CXML* mixed = root.AddChild("mixed", "text before children");
    mixed->AddChild("inner", "v");
    CXML* blankWithKids = root.AddChild("blankparent", " \t ");
    blankWithKids->AddChild("inner");
    auto back = RoundTrip(root);
    EXPECT_TRUE(SameTree(root, *back));
    EXPECT_EQ(back->GetChildByTagName("blank")->Value(), "   ");
    EXPECT_EQ(back->GetChildByTagName("blankparent")->Value(), " \t ");
}

TEST(XmlRoundTrip, IndentationIsNotValue) {
    auto node = Parse("<a>\r\n\t<b>1</b>\r\n\t<c/>\r\n</a>");
    EXPECT_EQ(node->GetTagName(), "a");
    EXPECT_EQ(node->Value(), "");
    ASSERT_EQ(node->GetChildCount(), 2);
    EXPECT_EQ(node->GetChildAt(0)->GetValueInt(), 1);
}

TEST(XmlRoundTrip, UnrepresentableBytesStillGiveReadableXml) {
    CXML root("root");
    root.SetAttr("bad", std::string("a\x01" "b\xff" "c\xed\xa0\x80"));
    root.SetValue(std::string("x\x02y\xc3"));
    std::string text;
    root.XMLWriteString(text);
    CXML back;
    ASSERT_TRUE(back.XMLReadString(text)) << text;
    EXPECT_EQ(back.GetAttr("bad"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(back.Value(), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
}

TEST(XmlRoundTrip, FileWriteAndReadAfterDeclaration) {
    CXML root("MARROWBOOK");
    for (int i = 0; i < 3; ++i) {
        CXML* node = root.AddChild("node");
        node->SetAttr("Name", "entry " + std::to_string(i));
        node->SetAttr("ID", i);
    }
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    std::fputs("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n", file);
    ASSERT_TRUE(root.XMLWrite(file, -1));
    std::rewind(file);
    CXML back;
    EXPECT_TRUE(back.XMLRead(file, ""));
    std::fclose(file);
    EXPECT_TRUE(SameTree(root, back));
}

TEST(XmlRead, MalformedOrTruncatedInputLeavesAnEmptyNode) {
    const char* bad[] = {
        "",
        "   ",
        "<a><b></a>",
        "<a attr=\"1\"><b>text</b>",
        "<a attr=\"unterminated></a>",
        "<a>&undefined;</a>",
        "<a></a><b></b>",
        "<?xml version=\"1.0\"?>",
        "<!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>",
        "<!DOCTYPE a [<!ENTITY e1 \"xx\"><!ENTITY e2 \"&e1;&e1;\">]><a/>",
        "<a b=\"1\" b=\"2\"/>",
        "<a>\xff\xfe</a>",
    };
    for (const char* text : bad) {
        CXML node("previous");
        node.SetAttr("keep", "no");
        node.AddChild("child");
        std::string error;
        EXPECT_FALSE(node.XMLReadString(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(node.GetTagName(), "") << text;
        EXPECT_EQ(node.GetChildCount(), 0) << text;
        EXPECT_EQ(node.GetAttrCount(), 0) << text;
    }
}

TEST(XmlRead, EveryTruncationOfAValidDocumentFails) {
    std::string text = "<?xml version=\"1.0\"?><p a=\"1\"><node Name=\"x &amp; y\">v</node>"
                       "<node><![CDATA[ ]]><k/></node></p>";
    ASSERT_TRUE(Parse(text)->GetTagName() == "p");
    for (size_t cut = 0; cut < text.size(); ++cut) {
        CXML node;
        EXPECT_FALSE(node.XMLReadString(text.substr(0, cut))) << cut;
        EXPECT_EQ(node.GetTagName(), "");
    }
}

TEST(XmlRead, ExcessiveNestingIsRefusedNotACrash) {
    std::string text;
    for (int i = 0; i < 100000; ++i)
        text += "<a>";
    CXML node;
    EXPECT_FALSE(node.XMLReadString(text));
    EXPECT_EQ(node.GetTagName(), "");
}

TEST(XmlTree, ChildrenInsertRemoveAndSiblings) {
    CXML root("root");
    CXML* b = root.AddChild("b");
    CXML* a = root.AddChildAtFirst(new CXML("a"));
    CXML* d = root.AddChild("d");
    CXML* c = d->AddSibling(new CXML("c"), 0);
    CXML* e = d->AddSibling(new CXML("e"), 1);
    ASSERT_EQ(root.GetChildCount(), 5);
    EXPECT_EQ(root.GetChildAt(0), a);
    EXPECT_EQ(root.GetChildAt(1), b);
    EXPECT_EQ(root.GetChildAt(2), c);
    EXPECT_EQ(root.GetChildAt(3), d);
    EXPECT_EQ(root.GetChildAt(4), e);
    EXPECT_EQ(root.GetChildAt(5), nullptr);
    EXPECT_EQ(root.GetChildAt(-1), nullptr);
    EXPECT_EQ(c->GetNextSibling(), d);
    EXPECT_EQ(c->GetPrevSibling2(), b);
    EXPECT_EQ(a->GetPrevSibling2(), nullptr);
    EXPECT_EQ(e->GetNextSibling(), nullptr);
    EXPECT_EQ(root.GetLastChild(), e);
    EXPECT_EQ(root.GetParent(), nullptr);
    auto orphan = std::make_unique<CXML>("x");
    EXPECT_EQ(root.AddSibling(orphan.get(), 1), nullptr) << "the root has no siblings";

    EXPECT_TRUE(root.RemoveChild(c));
    EXPECT_EQ(c->GetParent(), nullptr);
    EXPECT_EQ(b->GetNextSibling(), d);
    EXPECT_EQ(d->GetIndexInParent(), 2);
    delete c;
    std::unique_ptr<CXML> removed(root.RemoveAt(0));
    EXPECT_EQ(removed.get(), a);
    EXPECT_EQ(root.GetChildAt(0), b);
    EXPECT_FALSE(root.RemoveChild(removed.get())) << "not a child any more";
    EXPECT_EQ(root.GetChildByTagName("d"), d);
    EXPECT_EQ(root.GetChildByTagName("zz"), nullptr);
}

TEST(XmlTree, CursorWalksChildrenAndSurvivesRemovalBehindIt) {
    CXML root("root");
    for (const char* tag : {"a", "b", "c", "d"})
        root.AddChild(tag);
    std::string seen;
    for (CXML* child = root.GetFirstChild(); child; child = root.GetNextChild()) {
        seen += child->GetTagName();
        if (child->GetTagName() == "b")
            delete root.RemoveAt(0); // removing "a" must not skip "c"
    }
    EXPECT_EQ(seen, "abcd");
    EXPECT_EQ(root.GetNextChild(), nullptr);
}

TEST(XmlTree, DescendantSnapshotIsInDocumentOrder) {
    auto root = Parse("<r><a><a1/><a2><a21/></a2></a><b/></r>");
    root->TransferToArrayStruct();
    ASSERT_EQ(root->GetDescendantsCount(), 5);
    std::string order;
    for (int i = 0; i <= root->GetDescendantsCount(); ++i)
        order += root->GetDescendantsAt(i)->GetTagName() + " ";
    EXPECT_EQ(order, "r a a1 a2 a21 b ");
    EXPECT_EQ(root->GetDescendantsAt(6), nullptr);
}

TEST(XmlTree, CopiesAreDeepAndIndependent) {
    auto root = Parse("<r k=\"v\">val<a x=\"1\"><b/></a><c/></r>");
    std::unique_ptr<CXML> copy(root->Copy());
    EXPECT_TRUE(SameTree(*root, *copy));
    copy->GetChildAt(0)->SetAttr("x", "2");
    EXPECT_EQ(root->GetChildAt(0)->GetAttr("x"), "1");

    std::unique_ptr<CXML> bare(root->CopyNoChild());
    EXPECT_EQ(bare->GetChildCount(), 0);
    EXPECT_EQ(bare->GetAttr("k"), "v");
    EXPECT_EQ(bare->Value(), "val");

    CXML target("old");
    target.AddChild("gone");
    root->CloneTo(&target);
    EXPECT_TRUE(SameTree(*root, target));

    // Cloning the children into a node of the same subtree copies each once.
    CXML* c = root->GetChildAt(1);
    root->CloneChildTo(c);
    EXPECT_EQ(c->GetChildCount(), 2);
    EXPECT_EQ(root->GetChildCount(), 2);
}

TEST(XmlTree, FindByIdSearchesTheWholeSubtree) {
    auto root = Parse("<r><node ID=\"{1}\"><node ID=\"{2}\"><node ID=\"{3}\"/></node></node>"
                      "<node ID=\"{4}\"/></r>");
    EXPECT_EQ(root->FindByID("{3}")->GetParent()->GetAttr("ID"), "{2}");
    EXPECT_EQ(root->FindByID("{4}"), root->GetChildAt(1));
    EXPECT_EQ(root->FindByID("{5}"), nullptr);
    EXPECT_EQ(root->FindByID(""), nullptr);
}

TEST(XmlTree, SortByNameKeepsEqualNamesInOrderAndHonoursFlags) {
    auto root = Parse("<r><n Name=\"beta\"><n Name=\"z\"/><n Name=\"a\"/></n>"
                      "<n Name=\"Alpha\" k=\"1\"/><n Name=\"alpha\" k=\"2\"/><n Name=\"Ärger\"/>"
                      "<n Name=\"ärmel\"/></r>");
    std::unique_ptr<CXML> copy(root->Copy());
    root->SortByNameEx(1, 0, 1);
    EXPECT_EQ(Names(*root), "Alpha,alpha,beta,Ärger,ärmel,");
    EXPECT_EQ(root->GetChildAt(0)->GetAttr("k"), "1") << "stable for equal names";
    EXPECT_EQ(Names(*root->GetChildAt(2)), "z,a,") << "this level only";
    EXPECT_EQ(root->GetChildAt(2)->GetIndexInParent(), 2);

    copy->SortByNameEx(0, 1, 0);
    EXPECT_EQ(Names(*copy), "ärmel,Ärger,beta,alpha,Alpha,") << "case counts, Z to A";
    EXPECT_EQ(Names(*copy->GetChildAt(2)), "z,a,");
    copy->SortByNameEx(0, 0, 0);
    EXPECT_EQ(Names(*copy->GetChildAt(2)), "a,z,") << "sub-branches sorted too";
}

TEST(XmlTree, SortOptionsAreShared) {
    int a, b, c;
    CXML::SetSortOption(0, 0, 1);
    CXML::GetSortOption(a, b, c);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(c, 1);
    CXML::SetSortOption(0, 1, 0);
    CXML::GetSortOption(a, b, c);
    EXPECT_EQ(b, 1);
    EXPECT_EQ(c, 0);
}

TEST(XmlValues, NumbersAndMissingAttributes) {
    CXML node("n");
    node.SetAttr("i", -42);
    node.SetAttr("l", 1234567890123L);
    node.SetAttr("i", 7); // overwrite keeps one attribute
    EXPECT_EQ(node.GetAttrCount(), 2);
    EXPECT_EQ(node.GetAttrInt("i"), 7);
    EXPECT_EQ(node.GetAttrLong("l"), 1234567890123L);
    EXPECT_EQ(node.GetAttr("missing"), "");
    EXPECT_EQ(node.GetAttrInt("missing"), 0);
    node.SetValue(" 15 px");
    EXPECT_EQ(node.GetValueInt(), 15);
    node.SetValue("2.5");
    EXPECT_DOUBLE_EQ(node.GetValueDouble(), 2.5);
    node.SetValue("YES");
    EXPECT_EQ(node.GetValueInt(), 0);
    EXPECT_TRUE(node.RemoveAttr("i"));
    EXPECT_EQ(node.FindAttr("i"), nullptr);
}

TEST(XmlValues, MabStringSearches) {
    CMabString s("a.b.htm#x");
    EXPECT_EQ(s.Find('.'), 1);
    EXPECT_EQ(s.Find('.', 2), 3);
    EXPECT_EQ(s.Find("htm"), 4);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.Find('a', 100), -1);
    EXPECT_EQ(s.ReverseFind('.'), 3);
    EXPECT_EQ(s.ReverseFind('z'), -1);
    EXPECT_EQ(CMabString("99999999999").GetInt(), 2147483647);
    EXPECT_DOUBLE_EQ(CMabString("-1.5e2").GetFloat(), -150.0);
}

TEST(XmlTree, DeepTreeIsDeletedWithoutRecursion) {
    auto root = std::make_unique<CXML>("r");
    CXML* tip = root.get();
    for (int i = 0; i < 200000; ++i)
        tip = tip->AddChild("a");
    root.reset(); // would overflow the stack if deletion recursed
    SUCCEED();
}

} // namespace
