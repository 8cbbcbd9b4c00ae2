// The card file, the help screen and the information screens, run under the
// program's own application object, so that errors reach the general error
// report as in the program.

#include "shell/Application.h"

#include <QTest>

#include <memory>

QObject* makeCardFileTest();
QObject* makeInfoScreensTest();

int main(int argc, char** argv)
{
    yb::Application app(argc, argv);
    int failed = 0;
    for (auto make : {&makeCardFileTest, &makeInfoScreensTest}) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv);
    }
    return failed;
}
