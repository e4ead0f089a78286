#pragma once

// Several QtTest suites share one test executable: every test source of a group is built into
// it, and the executable runs the suite named by its first argument
// (`tests_windows tst_querywindow -v2`). Each suite keeps its ordinary QTEST_MAIN,
// QTEST_GUILESS_MAIN or QTEST_APPLESS_MAIN line; this header, included before the test source
// (tests/CMakeLists.txt makes it part of the group's precompiled header), turns that line into
// a registration under the source's base name instead of a main() of its own.
#include <QtTest>

namespace cifantest {

using SuiteMain = int (*)(int argc, char *argv[]);

// Registers the suite built from sourceFile (its __FILE__); returns true.
bool addSuite(const char *sourceFile, SuiteMain main);

} // namespace cifantest

// Qt's own wrapper body, as a function registered under the source's name.
#undef QTEST_MAIN_WRAPPER
#define QTEST_MAIN_WRAPPER(TestObject, ...)                                                                  \
    static int cifanSuiteMain(int argc, char *argv[])                                                        \
    {                                                                                                        \
        TESTLIB_SELFCOVERAGE_START(#TestObject)                                                              \
        QT_PREPEND_NAMESPACE(QTest::Internal::callInitMain)<TestObject>();                                   \
        __VA_ARGS__                                                                                          \
        TestObject tc;                                                                                       \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&tc, argc, argv);                                                                \
    }                                                                                                        \
    [[maybe_unused]] static const bool cifanSuiteAdded = cifantest::addSuite(__FILE__, cifanSuiteMain);
