#pragma once
// Parameter edits of the pages, sent through the link engine as "paredt" (index 5).

#include "link/link_engine.h"
#include "link/parameter_edit_sink.h"

namespace mqx {

class EngineEditSink : public ParameterEditSink {
public:
    explicit EngineEditSink(LinkEngine& engine) : m_engine(engine) {}
    void sendEdit(const QByteArray& code, const QByteArray& value) override {
        m_engine.arguments().ArgCode = code;
        m_engine.arguments().ArgValue = value;
        m_engine.IssueCommand(CmdParedt);
    }

private:
    LinkEngine& m_engine;
};

} // namespace mqx
