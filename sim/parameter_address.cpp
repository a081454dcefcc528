#include "parameter_address.h"

namespace mqx::sim {
namespace {

using C = ChannelQualifier;
using B = BandQualifier;

std::vector<CodeLayout> buildLayouts() {
    std::vector<CodeLayout> l;
    for (int code = 1; code <= 7; ++code) // input block and signal generator
        l.push_back({code, C::None, B::None, 3});
    l.push_back({10, C::None, B::None, 3}); // EQ mode
    l.push_back({11, C::None, B::None, 4}); // GEQ link with the chosen source channel
    l.push_back({12, C::LinkableInput, B::Geq, 3});
    l.push_back({13, C::LinkableInput, B::None, 3});
    l.push_back({14, C::LinkableInput, B::None, 3});
    l.push_back({20, C::None, B::None, 4}); // PEQ link
    l.push_back({21, C::LinkableInput, B::Peq, 12});
    for (int code = 22; code <= 24; ++code)
        l.push_back({code, C::LinkableInput, B::Peq, 3});
    l.push_back({25, C::LinkableInput, B::None, 3});
    l.push_back({26, C::LinkableInput, B::None, 3});
    l.push_back({27, C::Input, B::None, 3});
    l.push_back({28, C::Input, B::None, 12}); // whole side-chain band
    for (int code = 29; code <= 36; ++code)
        l.push_back({code, C::Input, B::None, 3});
    l.push_back({37, C::None, B::None, 3});  // compressor link mode
    l.push_back({38, C::Input, B::None, 6}); // master delay
    for (int code = 40; code <= 44; ++code)
        l.push_back({code, C::Output, B::None, 3});
    l.push_back({45, C::Output, B::OutputEq, 12});
    for (int code = 46; code <= 48; ++code)
        l.push_back({code, C::Output, B::OutputEq, 3});
    l.push_back({49, C::Output, B::None, 3});
    l.push_back({50, C::Output, B::None, 3});
    l.push_back({51, C::Output, B::None, 6});
    l.push_back({52, C::Output, B::None, 3});
    l.push_back({53, C::Output, B::None, 3});
    l.push_back({54, C::None, B::None, 15}); // link masks of outputs A..E
    return l;
}

bool allDigits(QByteArrayView text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
}

int decimal(QByteArrayView digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

bool channelFits(ChannelQualifier q, int channel) {
    switch (q) {
    case C::None:
        return true;
    case C::LinkableInput:
        return channel >= 0 && channel <= 2;
    case C::Input:
        return channel == 1 || channel == 2;
    case C::Output:
        return channel >= 0 && channel <= 5;
    }
    return false;
}

bool bandFits(BandQualifier q, int band) {
    switch (q) {
    case B::None:
        return true;
    case B::Geq:
        return band >= 0 && band <= kAllGeqBands;
    case B::Peq:
        return band >= 0 && band <= 10;
    case B::OutputEq:
        return band >= 0 && band <= 2;
    }
    return false;
}

} // namespace

const std::vector<CodeLayout>& CodeLayouts() {
    static const std::vector<CodeLayout> layouts = buildLayouts();
    return layouts;
}

int ParseAddress(QByteArrayView body, ParameterAddress& address, qsizetype& consumed) {
    consumed = 0;
    if (body.size() < 3 || !allDigits(body.first(3)))
        return 20;
    const int code = decimal(body.first(3));
    const CodeLayout* layout = nullptr;
    for (const CodeLayout& candidate : CodeLayouts())
        if (candidate.code == code)
            layout = &candidate;
    if (!layout)
        return 20;
    qsizetype pos = 3;
    int channel = -1;
    if (layout->channel != C::None) {
        if (body.size() < pos + 1 || !allDigits(body.sliced(pos, 1)))
            return 20;
        channel = decimal(body.sliced(pos, 1));
        pos += 1;
        if (!channelFits(layout->channel, channel))
            return 20;
    }
    int band = -1;
    if (layout->band != B::None) {
        if (body.size() < pos + 2 || !allDigits(body.sliced(pos, 2)))
            return 20;
        band = decimal(body.sliced(pos, 2));
        pos += 2;
        if (!bandFits(layout->band, band))
            return 20;
    }
    address.layout = *layout;
    address.channel = channel;
    address.band = band;
    address.qualifiedCode = body.first(pos).toByteArray();
    consumed = pos;
    return 0;
}

ParsedEdit ParseEdit(QByteArrayView body) {
    ParsedEdit edit;
    qsizetype pos = 0;
    edit.error = ParseAddress(body, edit.address, pos);
    if (edit.error != 0)
        return edit;
    const QByteArrayView value = body.sliced(pos);
    const int digits = edit.address.layout.valueDigits;
    if (value.size() != digits || !allDigits(value)) {
        edit.error = 21;
        return edit;
    }
    if (digits == 12 || digits == 15) {
        for (qsizetype i = 0; i < digits; i += 3)
            edit.values.push_back(decimal(value.sliced(i, 3)));
    } else {
        edit.values.push_back(decimal(value));
    }
    return edit;
}

} // namespace mqx::sim
