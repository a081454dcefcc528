#pragma once
// What an editing page needs of the link: send one parameter edit ("paredt") to the
// connected unit. The link engine stands behind it in the program; tests record edits.

#include <QByteArray>

namespace mqx {

class ParameterEditSink {
public:
    virtual ~ParameterEditSink() = default;
    // `code` is the three-digit parameter code with its qualifiers ("0532"), `value` the
    // value text ("000"). Called only while a unit is connected.
    virtual void sendEdit(const QByteArray& code, const QByteArray& value) = 0;
};

} // namespace mqx
