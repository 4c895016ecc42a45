#pragma once
// The main function of a QtTest program whose windows hold web views: the
// help schemes are registered (and Chromium prepared) before the
// application object exists, which QTEST_MAIN cannot do.

#include "helpweb/HelpWeb.h"

#include <QApplication>
#include <QTest>

#define MB_WEB_TEST_MAIN(TestClass)                                                                \
    int main(int argc, char** argv) {                                                              \
        mb::web::PrepareHelpWeb();                                                                 \
        QApplication application(argc, argv);                                                      \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
