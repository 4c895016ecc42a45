#pragma once
// The project options sheet as data: five pages (general, compiler, window
// styles, viewer, buttons) over the options and the main window type of the
// project's HTML Help settings. A page reads the project when it is first
// shown; OK writes the values of the pages that were shown and changed, so a
// page the user never opened writes nothing, and Cancel writes nothing at
// all.

#include "projectmodel/HHPRecords.h"

#include <array>
#include <string>

class CProjectFile;

namespace mb {

// What the error log file option becomes when its field is left empty.
inline constexpr const char* kDefaultErrorLogFile = "compilelog.txt";

// Window-type properties and extended styles the pages offer, as the HTML
// Help window definition numbers them.
inline constexpr unsigned long kPropOnTop = 0x2;
inline constexpr unsigned long kPropAutoSync = 0x100;
inline constexpr unsigned long kPropSearchTab = 0x400;
inline constexpr unsigned long kPropFavoritesTab = 0x1000;
inline constexpr unsigned long kPropMenu = 0x10000;
inline constexpr unsigned long kPropAdvancedSearch = 0x20000;
inline constexpr unsigned long kExStyleRight = 0x1000;
inline constexpr unsigned long kExStyleRtlReading = 0x2000;
inline constexpr unsigned long kExStyleLeftScrollBar = 0x4000;

// The toolbar buttons of the viewer window, as the HTML Help window
// definition flags them.
inline constexpr unsigned long kButtonHide = 0x2;
inline constexpr unsigned long kButtonLocate = 0x800;
inline constexpr unsigned long kButtonBack = 0x4;
inline constexpr unsigned long kButtonForward = 0x8;
inline constexpr unsigned long kButtonStop = 0x10;
inline constexpr unsigned long kButtonRefresh = 0x20;
inline constexpr unsigned long kButtonPrev = 0x400000;
inline constexpr unsigned long kButtonNext = 0x200000;
inline constexpr unsigned long kButtonPrint = 0x2000;
inline constexpr unsigned long kButtonFont = 0x100000;
inline constexpr unsigned long kButtonOption = 0x1000;
inline constexpr unsigned long kButtonHome = 0x40;
inline constexpr unsigned long kButtonJump1 = 0x40000;
inline constexpr unsigned long kButtonJump2 = 0x80000;

// The toolbar buttons with their flags, in the order the buttons page lists
// them.
struct ToolbarButton {
    const char* name;
    unsigned long flag;
};
inline constexpr std::array<ToolbarButton, 14> kToolbarButtons{{{"Hide", kButtonHide},
                                                                {"Locate", kButtonLocate},
                                                                {"Back", kButtonBack},
                                                                {"Forward", kButtonForward},
                                                                {"Stop", kButtonStop},
                                                                {"Refresh", kButtonRefresh},
                                                                {"Prev", kButtonPrev},
                                                                {"Next", kButtonNext},
                                                                {"Print", kButtonPrint},
                                                                {"Font", kButtonFont},
                                                                {"Option", kButtonOption},
                                                                {"Home", kButtonHome},
                                                                {"Jump1", kButtonJump1},
                                                                {"Jump2", kButtonJump2}}};

struct GeneralOptions {
    std::string title;
    std::string errorLogFile;
    // Shown relative to the project folder when it lies inside it.
    std::string defaultTopic;
    int languageId = 0x409;
    bool operator==(const GeneralOptions&) const = default;
};

struct CompilerOptions {
    bool binaryToc = false;
    bool binaryIndex = true;
    bool compileNotes = false;
    bool compileProgress = false;
    bool flat = false;
    bool enhancedDecompilation = false;
    std::string compatibility;
    std::string defaultFont;
    bool operator==(const CompilerOptions&) const = default;
};

struct StyleOptions {
    bool onTop = false;
    bool rightAligned = false;
    bool rtlReading = false;
    bool leftScrollBar = false;
    HHRect position;
    bool operator==(const StyleOptions&) const = default;
};

struct ViewerOptions {
    int navigationWidth = 200;
    bool autoSync = false;
    bool searchTab = false;
    bool favoritesTab = false;
    bool advancedSearch = false;
    bool fullTextSearch = true;
    bool includeIndexPage = true;
    bool operator==(const ViewerOptions&) const = default;
};

struct ButtonOptions {
    unsigned long buttons = 0; // the flags of kToolbarButtons that are on
    bool menu = false;
    std::string home;
    std::string jump1Url;
    std::string jump1Text;
    std::string jump2Url;
    std::string jump2Text;
    bool operator==(const ButtonOptions&) const = default;
};

class CProjectOptionsForm {
public:
    enum Page { General = 0, Compiler, Styles, Viewer, Buttons, PageCount };

    explicit CProjectOptionsForm(CProjectFile& project) : m_project(project) {}

    // Reads the page from the project the first time it is shown.
    void Show(Page page);
    bool WasShown(Page page) const { return m_shown[page]; }

    // The values the pages show and the user edits.
    GeneralOptions general;
    CompilerOptions compiler;
    StyleOptions styles;
    ViewerOptions viewer;
    ButtonOptions buttons;

    // Writes every shown page whose values differ from what it read; the
    // language chosen becomes the configured language.
    void OnOK();

private:
    void Read(Page page);
    void WriteGeneral();
    void WriteCompiler();
    void WriteStyles();
    void WriteViewer();
    void WriteButtons();
    // A path as the user typed it, made absolute (relative ones lie below
    // the project folder); empty stays empty.
    std::string AbsolutePath(const std::string& typed);
    std::string ShownPath(const std::string& absolute) const;

    CProjectFile& m_project;
    std::array<bool, PageCount> m_shown{};
    GeneralOptions m_readGeneral;
    CompilerOptions m_readCompiler;
    StyleOptions m_readStyles;
    ViewerOptions m_readViewer;
    ButtonOptions m_readButtons;
};

} // namespace mb
