#pragma once
// Runs an mqxtool verb in-process and keeps its exit code and both output streams.

#include "tool_verbs.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

#include <initializer_list>

namespace mqx::test {

struct ToolRun {
    int code = 0;
    QString out;
    QString err;
};

inline QStringList args(std::initializer_list<const char*> words) {
    QStringList list;
    for (const char* w : words)
        list << QString::fromLatin1(w);
    return list;
}

inline ToolRun mqxtool(QStringList args) {
    ToolRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    args.prepend(QStringLiteral("mqxtool"));
    r.code = tool::run(args, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace mqx::test
