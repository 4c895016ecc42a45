#pragma once
// The favourite external editors by file type: an XML list with the root
// "external", one "FILE" child per type (attribute "type": an extension
// without dot or a wildcard pattern), holding "EDITOR" children whose "name"
// is the menu text and whose value is the program's path. The program
// mb::kDefaultTextEditor stands for the desktop's default text editor.

#include "baseutil/Desktop.h"
#include "baseutil/Xml.h"

#include <string>

class CFavoriteEditorManager {
public:
    CFavoriteEditorManager();

    // Rebuilds the list for a comma-separated list of extensions ("\," keeps
    // a comma in an extension): each gets the desktop's default program for
    // its type unless that is a web browser, and the text editor when there
    // is none; "htm" and "html" also get the text editor (listed once).
    void CheckDefaultEditor(mb::IDesktop& desktop, const std::string& types);

    // Appends an editor to the "FILE" element of `type`, appending that
    // element when there is none. Returns the new "EDITOR" element.
    CXML* AddNewEditor(const std::string& type, const std::string& name,
                       const std::string& program);

    // The "FILE" element that serves the real extension of `path`, or null.
    // `state`: 0 empty path, 1 no element or no editor in it, 2 one editor,
    // 3 more.
    CXML* GetFavoriteEditor(const std::string& path, int& state);

    // The first "FILE" element whose type serves `extension`, or null.
    CXML* FindFileElement(const std::string& extension) const;

    // True for the text editor (and the "notepad.exe" of lists written on
    // Windows) without looking, otherwise when the program file exists.
    static bool IsEditorExist(const std::string& program);

    // The "external" root, for the configuration to save.
    CXML* GetData() { return &m_root; }
    // Replaces the list by copies of the children of `source` (the
    // configuration's saved list).
    void SetData(const CXML& source);

    // Menu text of the desktop's default text editor.
    static constexpr const char* kTextEditorName = "Text Editor";

private:
    CXML m_root{"external"};
};
