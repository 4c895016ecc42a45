#include "app/core/ProjectOptionsForm.h"

#include "baseutil/Path.h"
#include "projectmodel/ProjectFile.h"

#include <algorithm>

namespace mb {

namespace {

std::string Option(const CProjectFile& project, int index) {
    std::string value;
    project.HHP_GetOptionsData(index, value);
    return value;
}

bool Flag(const CProjectFile& project, int index) {
    int value = 0;
    project.HHP_GetOptionsData(index, value);
    return value != 0;
}

std::string Window(const CProjectFile& project, int index) {
    std::string value;
    project.HHP_GetWindowsData(index, value);
    return value;
}

int WindowNumber(const CProjectFile& project, int index) {
    int value = 0;
    project.HHP_GetWindowsData(index, value);
    return value;
}

// Writes `value` through `write` when it differs from `before`.
template <typename T, typename Write> void IfChanged(const T& value, const T& before, Write write) {
    if (!(value == before))
        write(value);
}

// Writers of one setting, for IfChanged.
auto OptionFlag(CProjectFile& p, int index) {
    return [&p, index](bool on) { p.HHP_SetOptionsData(index, on ? 1 : 0); };
}

auto OptionText(CProjectFile& p, int index) {
    return [&p, index](const std::string& value) { p.HHP_SetOptionsData(index, value); };
}

auto WindowText(CProjectFile& p, int index) {
    return [&p, index](const std::string& value) { p.HHP_SetWindowsData(index, value); };
}

auto WindowProperty(CProjectFile& p, unsigned long bits) {
    return [&p, bits](bool on) { p.HHP_SetWindowProperty(bits, on ? 1 : 0); };
}

auto ExtendedStyle(CProjectFile& p, unsigned long bits) {
    return [&p, bits](bool on) { p.HHP_SetExtendedStyle(bits, on ? 1 : 0); };
}

} // namespace

void CProjectOptionsForm::Show(Page page) {
    if (m_shown[page])
        return;
    m_shown[page] = true;
    Read(page);
}

std::string CProjectOptionsForm::ShownPath(const std::string& absolute) const {
    std::string path = absolute;
    m_project.AbsolutePathToRelativePath(path);
    return path;
}

std::string CProjectOptionsForm::AbsolutePath(const std::string& typed) {
    if (typed.empty())
        return typed;
    CPath parsed(typed);
    if (parsed.IsLocalPath() || parsed.IsNetworkPath())
        return typed;
    std::string path = typed;
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.front() != '\\')
        path.insert(path.begin(), '\\');
    m_project.RelativePathToAbsolutePath(path);
    return path;
}

void CProjectOptionsForm::Read(Page page) {
    const CProjectFile& p = m_project;
    switch (page) {
    case General: {
        int language = 0;
        p.HHP_GetOptionsData(OPT_LANGUAGE, language);
        general = {Window(p, WIN_TITLE_BAR_TEXT), Option(p, OPT_ERROR_LOG_FILE),
                   ShownPath(Option(p, OPT_DEFAULT_TOPIC)), language};
        m_readGeneral = general;
        break;
    }
    case Compiler:
        compiler = {Flag(p, OPT_BINARY_TOC),
                    Flag(p, OPT_BINARY_INDEX),
                    Flag(p, OPT_DISPLAY_COMPILE_NOTES),
                    Flag(p, OPT_DISPLAY_COMPILE_PROGRESS),
                    Flag(p, OPT_FLAT),
                    Flag(p, OPT_ENHANCED_DECOMPILATION),
                    Option(p, OPT_COMPATIBILITY),
                    Option(p, OPT_DEFAULT_FONT)};
        m_readCompiler = compiler;
        break;
    case Styles: {
        HHRect position;
        p.HHP_GetWindowsData(WIN_POSITION, position);
        styles = {p.HHP_GetWindowProperty(kPropOnTop) != 0,
                  p.HHP_GetExtendedStyle(kExStyleRight) != 0,
                  p.HHP_GetExtendedStyle(kExStyleRtlReading) != 0,
                  p.HHP_GetExtendedStyle(kExStyleLeftScrollBar) != 0, position};
        m_readStyles = styles;
        break;
    }
    case Viewer:
        viewer = {WindowNumber(p, WIN_NAVIGATION_WIDTH),
                  p.HHP_GetWindowProperty(kPropAutoSync) != 0,
                  p.HHP_GetWindowProperty(kPropSearchTab) != 0,
                  p.HHP_GetWindowProperty(kPropFavoritesTab) != 0,
                  p.HHP_GetWindowProperty(kPropAdvancedSearch) != 0,
                  Flag(p, OPT_FULL_TEXT_SEARCH),
                  p.HHP_GetIncludeIndexPage() != 0};
        m_readViewer = viewer;
        break;
    case Buttons: {
        ButtonOptions read;
        for (const ToolbarButton& button : kToolbarButtons)
            if (p.HHP_GetButton(button.flag))
                read.buttons |= button.flag;
        read.menu = p.HHP_GetWindowProperty(kPropMenu) != 0;
        read.home = ShownPath(Window(p, WIN_HOME_URL));
        read.jump1Url = ShownPath(Window(p, WIN_JUMP1_URL));
        read.jump1Text = Window(p, WIN_JUMP1_TEXT);
        read.jump2Url = ShownPath(Window(p, WIN_JUMP2_URL));
        read.jump2Text = Window(p, WIN_JUMP2_TEXT);
        buttons = read;
        m_readButtons = read;
        break;
    }
    case PageCount:
        break;
    }
}

void CProjectOptionsForm::OnOK() {
    if (m_shown[General])
        WriteGeneral();
    if (m_shown[Compiler])
        WriteCompiler();
    if (m_shown[Styles])
        WriteStyles();
    if (m_shown[Viewer])
        WriteViewer();
    if (m_shown[Buttons])
        WriteButtons();
}

void CProjectOptionsForm::WriteGeneral() {
    CProjectFile& p = m_project;
    const GeneralOptions& was = m_readGeneral;
    if (general.title != was.title && !general.title.empty()) {
        p.HHP_SetWindowsData(WIN_TITLE_BAR_TEXT, general.title);
        p.HHP_SetOptionsData(OPT_TITLE, general.title);
    }
    std::string errorLog =
        general.errorLogFile.empty() ? kDefaultErrorLogFile : general.errorLogFile;
    if (errorLog != was.errorLogFile)
        p.HHP_SetOptionsData(OPT_ERROR_LOG_FILE, errorLog);
    if (general.defaultTopic != was.defaultTopic) {
        std::string topic = AbsolutePath(general.defaultTopic);
        p.HHP_SetWindowsData(WIN_DEFAULT_FILE, topic);
        p.HHP_SetOptionsData(OPT_DEFAULT_TOPIC, topic);
    }
    if (general.languageId != was.languageId) {
        p.HHP_SetOptionsData(OPT_LANGUAGE, general.languageId);
        m_project.Settings().config.SetLCID(general.languageId);
    }
}

void CProjectOptionsForm::WriteCompiler() {
    CProjectFile& p = m_project;
    const CompilerOptions& was = m_readCompiler;
    IfChanged(compiler.binaryToc, was.binaryToc, OptionFlag(p, OPT_BINARY_TOC));
    IfChanged(compiler.binaryIndex, was.binaryIndex, OptionFlag(p, OPT_BINARY_INDEX));
    IfChanged(compiler.compileNotes, was.compileNotes, OptionFlag(p, OPT_DISPLAY_COMPILE_NOTES));
    IfChanged(compiler.compileProgress, was.compileProgress,
              OptionFlag(p, OPT_DISPLAY_COMPILE_PROGRESS));
    IfChanged(compiler.flat, was.flat, OptionFlag(p, OPT_FLAT));
    IfChanged(compiler.enhancedDecompilation, was.enhancedDecompilation,
              OptionFlag(p, OPT_ENHANCED_DECOMPILATION));
    IfChanged(compiler.compatibility, was.compatibility, OptionText(p, OPT_COMPATIBILITY));
    IfChanged(compiler.defaultFont, was.defaultFont, OptionText(p, OPT_DEFAULT_FONT));
}

void CProjectOptionsForm::WriteStyles() {
    CProjectFile& p = m_project;
    const StyleOptions& was = m_readStyles;
    IfChanged(styles.onTop, was.onTop, WindowProperty(p, kPropOnTop));
    IfChanged(styles.rightAligned, was.rightAligned, ExtendedStyle(p, kExStyleRight));
    IfChanged(styles.rtlReading, was.rtlReading, ExtendedStyle(p, kExStyleRtlReading));
    IfChanged(styles.leftScrollBar, was.leftScrollBar, ExtendedStyle(p, kExStyleLeftScrollBar));
    IfChanged(styles.position, was.position,
              [&p](const HHRect& rect) { p.HHP_SetWindowsData(WIN_POSITION, rect); });
}

void CProjectOptionsForm::WriteViewer() {
    CProjectFile& p = m_project;
    const ViewerOptions& was = m_readViewer;
    IfChanged(viewer.navigationWidth, was.navigationWidth,
              [&p](int width) { p.HHP_SetWindowsData(WIN_NAVIGATION_WIDTH, width); });
    IfChanged(viewer.autoSync, was.autoSync, WindowProperty(p, kPropAutoSync));
    IfChanged(viewer.searchTab, was.searchTab, WindowProperty(p, kPropSearchTab));
    IfChanged(viewer.favoritesTab, was.favoritesTab, WindowProperty(p, kPropFavoritesTab));
    IfChanged(viewer.advancedSearch, was.advancedSearch, WindowProperty(p, kPropAdvancedSearch));
    IfChanged(viewer.fullTextSearch, was.fullTextSearch, OptionFlag(p, OPT_FULL_TEXT_SEARCH));
    IfChanged(viewer.includeIndexPage, was.includeIndexPage,
              [&p](bool on) { p.HHP_SetIncludeIndexPage(on ? 1 : 0); });
}

void CProjectOptionsForm::WriteButtons() {
    CProjectFile& p = m_project;
    const ButtonOptions& was = m_readButtons;
    for (const ToolbarButton& button : kToolbarButtons)
        if ((buttons.buttons & button.flag) != (was.buttons & button.flag))
            p.HHP_SetButton(button.flag, (buttons.buttons & button.flag) ? 1 : 0);
    IfChanged(buttons.menu, was.menu, WindowProperty(p, kPropMenu));
    auto path = [this, &p](int index) {
        return [this, &p, index](const std::string& typed) {
            p.HHP_SetWindowsData(index, AbsolutePath(typed));
        };
    };
    IfChanged(buttons.home, was.home, path(WIN_HOME_URL));
    IfChanged(buttons.jump1Url, was.jump1Url, path(WIN_JUMP1_URL));
    IfChanged(buttons.jump1Text, was.jump1Text, WindowText(p, WIN_JUMP1_TEXT));
    IfChanged(buttons.jump2Url, was.jump2Url, path(WIN_JUMP2_URL));
    IfChanged(buttons.jump2Text, was.jump2Text, WindowText(p, WIN_JUMP2_TEXT));
}

} // namespace mb
