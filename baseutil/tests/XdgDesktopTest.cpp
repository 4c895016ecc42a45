#include "baseutil/XdgDesktop.h"
#include "baseutil/tests/support/TempTree.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <thread>

namespace {

using mb::testing::TempTree;

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
public:
    ~ScopedEnv() {
        for (const auto& [name, value] : m_saved) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void Set(const std::string& name, const std::optional<std::string>& value) {
        if (!m_saved.count(name)) {
            const char* old = std::getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

std::string WriteScript(const TempTree& tree, const std::string& relative,
                        const std::string& body) {
    std::string path = tree.Write(relative, "#!/bin/sh\n" + body);
    chmod(path.c_str(), 0755);
    return path;
}

std::string WaitForContent(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        std::string text = TempTree::Read(path);
        if (!text.empty() && text.back() == '\n')
            return text;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return {};
}

// A desktop of its own: configuration, user and system data folders in a
// scratch tree, a MIME database that knows .htm, .html, .gif and .txt, and no
// desktop environment, so that xdg-mime and xdg-open use their generic rules.
class XdgDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.Write("sys/mime/globs", "text/html:*.htm\ntext/html:*.html\nimage/gif:*.gif\n"
                                     "text/plain:*.txt\n");
        tree.MakeFolder("config");
        tree.MakeFolder("home/applications");
        tree.MakeFolder("bin");
        env.Set("XDG_CONFIG_HOME", tree / "config");
        env.Set("XDG_CONFIG_DIRS", tree / "config");
        env.Set("XDG_DATA_HOME", tree / "home");
        env.Set("XDG_DATA_DIRS", tree / "sys");
        env.Set("PATH", tree / "bin" + ":" + std::getenv("PATH"));
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
              "MATE_DESKTOP_SESSION_ID", "DESKTOP_SESSION", "XDG_MENU_PREFIX", "WAYLAND_DISPLAY",
              "BROWSER", "VISUAL", "EDITOR", "TERMINAL"})
            env.Set(name, std::nullopt);
        // xdg-open only asks for the MIME default when it believes a display exists.
        env.Set("DISPLAY", ":97");
    }

    void SetDefaults(const std::string& lines) {
        tree.Write("config/mimeapps.list", "[Default Applications]\n" + lines);
    }
    // A recording program: writes its arguments, one line, to `out`.
    std::string Recorder(const std::string& name, const std::string& out) {
        return WriteScript(tree, "bin/" + name, "echo \"$@\" > '" + out + "'\n");
    }

    TempTree tree;
    ScopedEnv env;
    mb::XdgDesktop desktop;
};

TEST_F(XdgDesktopTest, DefaultProgramFromMimeappsList) {
    tree.Write("home/applications/mbviewer.desktop",
               "[Desktop Entry]\nType=Application\nName=Viewer\nExec=/bin/cat %f\n"
               "Categories=Utility;\n");
    SetDefaults("text/html=mbviewer.desktop\n");
    std::string probe = tree.Write("x.htm", "");
    std::string probe2 = tree.Write("y.html", "");

    for (const std::string& file : {probe, probe2}) {
        auto program = desktop.DefaultProgramFor(file);
        ASSERT_TRUE(program.has_value()) << file;
        EXPECT_EQ(program->path, "/bin/cat");
        EXPECT_FALSE(program->isWebBrowser);
    }
}

TEST_F(XdgDesktopTest, WebBrowserFoundInSystemFolderAndOnPath) {
    WriteScript(tree, "bin/mbbrowser", "exit 0\n");
    tree.Write("sys/applications/acme/browser.desktop",
               "[Desktop Entry]\nName=Browser\nExec=mbbrowser --new %U\n"
               "Categories=Network;WebBrowser;\n");
    SetDefaults("text/html=acme-browser.desktop\n");
    std::string probe = tree.Write("x.htm", "");

    auto program = desktop.DefaultProgramFor(probe);
    ASSERT_TRUE(program.has_value());
    EXPECT_EQ(program->path, tree / "bin/mbbrowser");
    EXPECT_TRUE(program->isWebBrowser);
}

TEST_F(XdgDesktopTest, NoProgramForUnregisteredOrMissingPrograms) {
    tree.Write("home/applications/gone.desktop", "[Desktop Entry]\nExec=mb-not-installed %f\n");
    SetDefaults("text/html=gone.desktop\n");
    EXPECT_FALSE(desktop.DefaultProgramFor(tree.Write("x.gif", "")).has_value());
    EXPECT_FALSE(desktop.DefaultProgramFor(tree.Write("x.htm", "")).has_value());
    EXPECT_FALSE(desktop.DefaultProgramFor("").has_value());
}

TEST_F(XdgDesktopTest, DefaultTextEditorThenVisualThenOpen) {
    std::string out = tree / "out.txt";
    std::string file = tree.Write("-notes.txt", "text");
    Recorder("mbeditor", out);
    tree.Write("home/applications/mbeditor.desktop", "[Desktop Entry]\nExec=mbeditor %F\n");
    SetDefaults("text/plain=mbeditor.desktop\n");
    ASSERT_TRUE(desktop.StartProgram(mb::kDefaultTextEditor, file));
    EXPECT_EQ(WaitForContent(out), file + "\n");

    // No desktop default: $VISUAL, with its own arguments, in a terminal.
    std::remove(out.c_str());
    SetDefaults("");
    Recorder("mbvisual", out);
    env.Set("VISUAL", "mbvisual --wait");
    WriteScript(tree, "bin/mbterminal", "shift\nexec \"$@\"\n");
    env.Set("TERMINAL", "mbterminal");
    ASSERT_TRUE(desktop.StartProgram(mb::kDefaultTextEditor, file));
    EXPECT_EQ(WaitForContent(out), "--wait " + file + "\n");

    // Neither: the file goes to xdg-open, which finds the default for .htm.
    std::remove(out.c_str());
    env.Set("VISUAL", std::nullopt);
    std::string page = tree.Write("page.htm", "");
    Recorder("mbopener", out);
    tree.Write("home/applications/mbopener.desktop", "[Desktop Entry]\nExec=mbopener %f\n");
    SetDefaults("text/html=mbopener.desktop\n");
    ASSERT_TRUE(desktop.StartProgram(mb::kDefaultTextEditor, page));
    EXPECT_EQ(WaitForContent(out), page + "\n");
}

TEST_F(XdgDesktopTest, StartProgramAndOpen) {
    std::string out = tree / "out.txt";
    std::string editor = Recorder("mbany", out);
    std::string file = tree.Write("a b.htm", "");
    ASSERT_TRUE(desktop.StartProgram(editor, file));
    EXPECT_EQ(WaitForContent(out), file + "\n");
    EXPECT_FALSE(desktop.StartProgram(tree / "bin/missing", file));

    std::remove(out.c_str());
    tree.Write("home/applications/mbany.desktop", "[Desktop Entry]\nExec=mbany %f\n");
    SetDefaults("text/html=mbany.desktop\n");
    ASSERT_TRUE(desktop.Open(file));
    EXPECT_EQ(WaitForContent(out), file + "\n");
    EXPECT_FALSE(desktop.Open(""));
}

TEST_F(XdgDesktopTest, AProgramThatNeedsATerminalRunsInOneOrSaysWhyNot) {
    std::string out = tree / "out.txt";
    std::string editor = Recorder("mbvi", out);
    tree.Write("home/applications/mbvi.desktop", "[Desktop Entry]\nExec=mbvi %F\nTerminal=true\n");
    std::string file = tree.Write("page.htm", "");

    env.Set("TERMINAL", "mb-no-terminal");
    EXPECT_FALSE(desktop.StartProgram(editor, file));
    EXPECT_NE(desktop.StartError().find("runs in a terminal"), std::string::npos)
        << desktop.StartError();

    Recorder("mbterminal", out);
    env.Set("TERMINAL", "mbterminal");
    ASSERT_TRUE(desktop.StartProgram(editor, file));
    EXPECT_EQ(WaitForContent(out), "-e " + editor + " " + file + "\n");
}

TEST(ParseDesktopEntry, ExecAndCategoriesOfTheMainGroup) {
    auto entry = mb::ParseDesktopEntry("# comment\n[Desktop Entry]\nName=Edit\n"
                                       "Exec = \"/opt/My Apps/ed\\\\it\" --x %U\n"
                                       "Categories=Network;WebBrowser\n"
                                       "[Desktop Action new]\nExec=other\n");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->program, "/opt/My Apps/ed\\it");
    EXPECT_TRUE(entry->isWebBrowser);

    entry = mb::ParseDesktopEntry("[Desktop Entry]\nExec=gedit%U 100%%\nCategories=TextEditor;\n");
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->program, "gedit");
    EXPECT_FALSE(entry->isWebBrowser);

    EXPECT_FALSE(mb::ParseDesktopEntry("[Desktop Entry]\nName=No exec\n").has_value());
    EXPECT_FALSE(mb::ParseDesktopEntry("[Other]\nExec=prog\n").has_value());
    EXPECT_FALSE(mb::ParseDesktopEntry("[Desktop Entry]\nExec=   \n").has_value());
    EXPECT_FALSE(mb::ParseDesktopEntry("").has_value());
}

TEST(FindProgramOnPath, ExecutablesOnly) {
    TempTree tree;
    ScopedEnv env;
    std::string tool = WriteScript(tree, "bin/mbtool", "exit 0\n");
    tree.Write("bin/mbdata", "not a program");
    tree.MakeFolder("bin/mbfolder");
    env.Set("PATH", "/nonexistent:" + tree / "bin");

    EXPECT_EQ(mb::FindProgramOnPath("mbtool"), tool);
    EXPECT_EQ(mb::FindProgramOnPath(tool), tool);
    EXPECT_FALSE(mb::FindProgramOnPath("mbdata").has_value());
    EXPECT_FALSE(mb::FindProgramOnPath("mbfolder").has_value());
    EXPECT_FALSE(mb::FindProgramOnPath(tree / "bin/mbdata").has_value());
    EXPECT_FALSE(mb::FindProgramOnPath("").has_value());
}

TEST(XdgDataDirs, BaseDirectoryDefaults) {
    ScopedEnv env;
    env.Set("HOME", "/home/ann");
    env.Set("XDG_DATA_HOME", std::nullopt);
    env.Set("XDG_DATA_DIRS", std::nullopt);
    EXPECT_EQ(mb::XdgDataDirs(), (std::vector<std::string>{"/home/ann/.local/share",
                                                           "/usr/local/share", "/usr/share"}));
    env.Set("XDG_DATA_HOME", "relative/ignored");
    env.Set("XDG_DATA_DIRS", "/a::/b/");
    EXPECT_EQ(mb::XdgDataDirs(), (std::vector<std::string>{"/home/ann/.local/share", "/a", "/b/"}));
}

} // namespace
