#pragma once
// A run of the built export tool (VZ_EXPORT_PATH) to its end.
#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

namespace vz::test {

// The tool's exit status; what it wrote to standard error goes to `errors` when given.
inline int runExport(const QStringList& args, QByteArray* errors = nullptr, int timeoutMs = 30000) {
    QProcess tool;
    tool.start(VZ_EXPORT_PATH, args);
    EXPECT_TRUE(tool.waitForFinished(timeoutMs)) << args.join(' ').toStdString();
    if (errors) *errors = tool.readAllStandardError();
    return tool.exitCode();
}

} // namespace vz::test
