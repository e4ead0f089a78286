// The main() of a test group: runs the one suite its first argument names.
#include "suiteregistry.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace cifantest {
namespace {

std::map<std::string, SuiteMain> &suites()
{
    static std::map<std::string, SuiteMain> all;
    return all;
}

// "…/tests/tst_lexicon.cpp" → "tst_lexicon"
std::string baseName(const char *path)
{
    std::string name(path);
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos)
        name.erase(0, slash + 1);
    const auto dot = name.find('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return name;
}

} // namespace

bool addSuite(const char *sourceFile, SuiteMain main)
{
    suites()[baseName(sourceFile)] = main;
    return true;
}

} // namespace cifantest

int main(int argc, char *argv[])
{
    const auto &all = cifantest::suites();
    const auto found = argc > 1 ? all.find(argv[1]) : all.end();
    if (found == all.end()) {
        std::fprintf(stderr, "usage: %s <suite> [QtTest options]\nsuites:", argv[0]);
        for (const auto &suite : all)
            std::fprintf(stderr, " %s", suite.first.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    // The suite sees the program name and the options after its own name.
    std::vector<char *> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    args.push_back(nullptr);
    return found->second(argc - 1, args.data());
}
