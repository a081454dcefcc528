#pragma once
// Gathers the unit's unsolicited level frames out of whatever the port delivers:
// "(" + ID + "M" + 48 digits, 52 characters, which may arrive split over several reads.
// Anything that neither begins nor continues a frame (an edit's echo, an error reply, a
// torn frame) is dropped; the meters then keep their last values.

#include "core/meter_levels.h"

#include <QByteArray>
#include <QByteArrayView>

namespace mqx {

inline constexpr int kLevelFrameLength = 52;
inline constexpr int kLevelDigitCount = 48;

class LevelReader {
public:
    // Takes one read. Returns true when it completed a frame, whose digits are then in
    // levelDigits(). Characters after the first complete frame go with the buffer.
    bool take(QByteArrayView read);
    // Forgets a partly gathered frame.
    void clear() { m_gathering.clear(); }

    const QByteArray& levelDigits() const { return m_levelDigits; }
    qsizetype gatheredLength() const { return m_gathering.size(); }

private:
    QByteArray m_gathering;
    QByteArray m_levelDigits;
};

// Decodes the 48 digits of a level frame into `levels`. Returns false, leaving `levels`
// untouched, when the text is not 48 decimal digits.
bool DecodeMeterLevels(QByteArrayView digits, MeterLevels& levels);

} // namespace mqx
