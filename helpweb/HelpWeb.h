#pragma once
// The web engine as the program's previews use it: the schemes of compiled
// help addresses, the Chromium flags, and one private (off-the-record)
// profile whose scheme handler serves every view.

class QWebEngineProfile;
class QWebEnginePage;
class QObject;

namespace mb::web {

class CItsSchemeHandler;

// Registers "ms-its", "mk" and the program's own "mb-page" scheme. Must be
// called before the QApplication is created.
void RegisterHelpSchemes();
// Chromium's sandbox cannot run for the super-user: only then is
// "--no-sandbox" added to QTWEBENGINE_CHROMIUM_FLAGS. Call before the
// QApplication is created.
void PrepareWebEngineEnvironment();
// Both of the above.
void PrepareHelpWeb();

// The profile of every preview (created on first use, owned by the
// application object).
QWebEngineProfile* HelpProfile();
// The handler installed in it.
CItsSchemeHandler* SchemeHandler();
// A page on the help profile, owned by `parent`.
QWebEnginePage* NewHelpPage(QObject* parent);

} // namespace mb::web
