#include "helpweb/HelpWeb.h"

#include "helpweb/ItsSchemeHandler.h"

#include <QCoreApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineUrlScheme>

#include <unistd.h>

namespace mb::web {

namespace {

QWebEngineProfile* g_profile = nullptr;
CItsSchemeHandler* g_handler = nullptr;

void Register(const char* name, QWebEngineUrlScheme::Flags flags) {
    QWebEngineUrlScheme scheme(name);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
    scheme.setFlags(flags);
    QWebEngineUrlScheme::registerScheme(scheme);
}

} // namespace

void RegisterHelpSchemes() {
    if (QWebEngineUrlScheme::schemeByName(kSchemeMsIts).name() == kSchemeMsIts)
        return;
    Register(kSchemeMsIts, QWebEngineUrlScheme::SecureScheme);
    Register(kSchemeMk, QWebEngineUrlScheme::SecureScheme);
    // Generated pages show the project's own files (a page being edited
    // with its pictures), so they may load local files.
    Register(kSchemePage,
             QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalAccessAllowed);
}

void PrepareWebEngineEnvironment() {
    if (geteuid() != 0)
        return;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains("--no-sandbox"))
        return;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
}

void PrepareHelpWeb() {
    // The web engine shares OpenGL contexts with the widgets.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    PrepareWebEngineEnvironment();
    RegisterHelpSchemes();
}

QWebEngineProfile* HelpProfile() {
    if (!g_profile) {
        g_profile = new QWebEngineProfile(QCoreApplication::instance()); // no name: off the record
        g_handler = new CItsSchemeHandler(g_profile);
        for (const char* scheme : {kSchemeMsIts, kSchemeMk, kSchemePage})
            g_profile->installUrlSchemeHandler(scheme, g_handler);
        QObject::connect(g_profile, &QObject::destroyed, [] {
            g_profile = nullptr;
            g_handler = nullptr;
        });
    }
    return g_profile;
}

CItsSchemeHandler* SchemeHandler() {
    HelpProfile();
    return g_handler;
}

QWebEnginePage* NewHelpPage(QObject* parent) {
    return new QWebEnginePage(HelpProfile(), parent);
}

} // namespace mb::web
