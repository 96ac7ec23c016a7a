#pragma once
// The whole quorvane-batch command, given its arguments; needs a running QGuiApplication (the
// fonts). Writes its report to the given streams and returns the exit status.
#include <QStringList>

#include <cstdio>

namespace qv::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitWriteFailed = 1;
inline constexpr int kExitBadInput = 2;

int run_tool(const QStringList& args, std::FILE* out, std::FILE* err);

}  // namespace qv::cli
