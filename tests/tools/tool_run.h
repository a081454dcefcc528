#pragma once

#include "tool_verbs.h"

#include <QStringList>
#include <QTextStream>

namespace mqx::test {

struct ToolRun {
    int code = 0;
    QString out, err;
};

inline QStringList args(std::initializer_list<const char*> words) {
    QStringList list;
    for (const char* w : words)
        list << QString::fromLatin1(w);
    return list;
}

inline ToolRun mqxtool(const QStringList& args) {
    ToolRun r;
    QTextStream out(&r.out), err(&r.err);
    r.code = tool::run(QStringList{QStringLiteral("mqxtool")} + args, out, err);
    out.flush();
    err.flush();
    return r;
}

} // namespace mqx::test
