#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace vek {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

// Adds a Qt Test class to its folder's executable under the name of its source file.
bool RegisterTestClass(const char *sourceFile, TestFactory factory);

} // namespace vek

// Put after a test class: VEK_TEST(TestEvaluator)
#define VEK_TEST(Class)                                                                  \
    static const bool vek_registered_##Class = vek::RegisterTestClass(                  \
        __FILE__, [] { return std::unique_ptr<QObject>(new Class); });
