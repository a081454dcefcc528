#pragma once
// Records every parameter edit a page or window sends, as "code value" strings.

#include "link/parameter_edit_sink.h"

#include <string>
#include <vector>

namespace mqx::test {

struct RecordingEditSink : ParameterEditSink {
    std::vector<std::string> edits;
    void sendEdit(const QByteArray& code, const QByteArray& value) override {
        edits.push_back(code.toStdString() + " " + value.toStdString());
    }
};

} // namespace mqx::test
