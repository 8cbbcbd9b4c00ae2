// Record browsers and printing, run under the program's own application
// object, so that errors reach the general error report as in the program.

#include "shell/Application.h"

#include <QTest>

#include <memory>

QObject* makeBrowserTest();
QObject* makePrintingTest();

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    int failed = 0;
    for (auto make : {&makePrintingTest, &makeBrowserTest}) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
