#pragma once
// Linking the two input channels' equalisers and setting equalisers flat, as the link,
// link-off and flat dialogs do on OK. Each works on the current record, clears the
// band-off memory of every band it flattens, and sends its edits while a unit is
// connected:
//
//   link on   "011"/"020" + "1001" (channel 1's values taken) or "2001" (channel 2's)
//   link off  "011"/"020" + "0000"
//   GEQ flat  "0121"/"0122", or "0120" once while linked, + "31024" (all bands at 0 dB)
//   PEQ flat  "021" + channel + band, four values a band; the input is silenced around
//             channel 1's bands ("006" mute, "001" generator) and given back after
//   out flat  "045" + output + EQ, four values an EQ

#include "pages/parameter_edit.h"

#include <array>

namespace mqx {

struct ProgramRecord;
struct Session;

enum class EqKind { Geq = 0, Peq = 1 };

// The Caution check: whether any band-off memory holds something that a new program
// would throw away.
bool HasRememberedBands(const Session& session);

// The ticks of the output flat dialog after the operator gives `channel` the state `on`:
// every output linked with it takes the same state.
std::array<bool, 6> TickOutput(const ProgramRecord& record, std::array<bool, 6> ticks, int channel,
                               bool on);

// Links the two input channels' GEQs or PEQs in `record` as the unit does on "011"/"020":
// the other channel takes the levels, gain and on state of channel `source` (0 or 1).
void LinkInputChannels(ProgramRecord& record, EqKind kind, int source);

class EqOperations {
public:
    EqOperations(Session& session, ParameterEditSink& sink);

    bool isLinked(EqKind kind) const;
    // `source` 0 or 1: whose values both channels take.
    void linkOn(EqKind kind, int source);
    void linkOff(EqKind kind);
    void geqFlat(bool channel1, bool channel2);
    void peqFlat(bool channel1, bool channel2);
    void outputFlat(const std::array<bool, 6>& channels);

private:
    void flattenGeq(int channel);
    void flattenPeq(int channel, bool send);

    Session& m_session;
    ParameterEdits m_edits;
};

} // namespace mqx
