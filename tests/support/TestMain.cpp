#include "tests/support/TestRegistry.h"

#include <QApplication>
#include <QFileInfo>
#include <QTest>

#include <cstdio>
#include <map>

namespace vek {
namespace {

std::map<QString, TestFactory> &registry()
{
    static std::map<QString, TestFactory> tests;
    return tests;
}

} // namespace

bool RegisterTestClass(const char *sourceFile, TestFactory factory)
{
    registry().emplace(QFileInfo(QString::fromUtf8(sourceFile)).completeBaseName(), std::move(factory));
    return true;
}

} // namespace vek

// Usage: <executable> [test-file-stem [Qt Test arguments]]; with no stem every class runs.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const auto &tests = vek::registry();
    if (argc > 1 && argv[1][0] != '-') {
        auto found = tests.find(QString::fromLocal8Bit(argv[1]));
        if (found == tests.end()) {
            std::fprintf(stderr, "no test class from %s in this executable\n", argv[1]);
            return 2;
        }
        auto test = found->second();
        argv[1] = argv[0];
        return QTest::qExec(test.get(), argc - 1, argv + 1);
    }
    int failures = 0;
    for (const auto &[name, factory] : tests) {
        auto test = factory();
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
