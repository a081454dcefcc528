#pragma once
// The unit's reading of a parameter-edit body (what follows "$"): a three-digit code,
// the qualifiers that code takes (a channel character, a band number) and the value
// digits. Code and value run together on the line, so each code's layout fixes where
// the value begins and how long it is.

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

namespace mqx::sim {

// What follows the code before the value.
enum class ChannelQualifier {
    None,
    LinkableInput, // "0" both input channels, "1" or "2" one of them
    Input,         // "1" or "2"
    Output,        // "0".."5" for outputs A..F
};

enum class BandQualifier {
    None,
    Geq,      // "00".."30", and "31" for every band at once
    Peq,      // "00".."10"
    OutputEq, // "00".."02"
};

struct CodeLayout {
    int code = 0;
    ChannelQualifier channel = ChannelQualifier::None;
    BandQualifier band = BandQualifier::None;
    int valueDigits = 3; // 3, 4 (link with source), 6 (delay), 12 (whole band), 15 (output masks)
};

inline constexpr int kAllGeqBands = 31;

struct ParameterAddress {
    CodeLayout layout;
    int channel = -1; // as sent: 0 both / 1 / 2 for inputs, 0..5 for outputs, -1 none
    int band = -1;
    QByteArray qualifiedCode; // code and qualifiers as sent ("012205")
};

struct ParsedEdit {
    int error = 0; // 0, 20 (no such parameter) or 21 (the value does not fit)
    ParameterAddress address;
    std::vector<int> values; // see ParseEdit
};

// Every code the unit knows, in code order.
const std::vector<CodeLayout>& CodeLayouts();

// Reads code and qualifiers from the start of `body`; error 20 when they do not name a
// parameter. `consumed` receives their length.
int ParseAddress(QByteArrayView body, ParameterAddress& address, qsizetype& consumed);

// Reads a whole edit body. The value is split into three-digit groups for the 12- and
// 15-digit layouts; 3-, 4- and 6-digit values give one number.
ParsedEdit ParseEdit(QByteArrayView body);

} // namespace mqx::sim
