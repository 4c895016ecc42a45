#pragma once
// The toolbar of the compiled help window's settings: which buttons the help
// window shows and how its contents tab looks. The toggles set options of
// the project, so the toolbar says whose buttons they are (a caption and a
// tool tip per toggle) and is shown only while a project is open.

class QToolBar;

namespace mb::gui {

class HelpWindowToolbar {
public:
    // Describes the toggles already on `toolbar`.
    explicit HelpWindowToolbar(QToolBar& toolbar);

    // Hides the toolbar while no project is open and shows it when one
    // was opened; while it stays open, hiding or showing it is left to the
    // user.
    void FollowProject(bool open);

private:
    QToolBar& m_toolbar;
    bool m_projectOpen = false;
};

} // namespace mb::gui
