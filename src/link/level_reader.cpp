#include "link/level_reader.h"

#include <algorithm>

namespace mqx {

bool LevelReader::take(QByteArrayView read) {
    if (read.isEmpty())
        return false;
    if (read.size() > 3 && read[3] == 'e')
        m_gathering.clear(); // an error reply breaks whatever frame was under way

    if (read[0] == '(' && read.size() > 3 && read[3] == 'M') {
        m_gathering = read.toByteArray();
    } else if (!m_gathering.isEmpty()) {
        if (m_gathering[0] != '(')
            m_gathering.clear();
        else
            m_gathering += read;
    }

    if (m_gathering.size() >= kLevelFrameLength && m_gathering[0] == '(') {
        m_levelDigits = m_gathering.mid(4, kLevelDigitCount);
        m_gathering.clear();
        return true;
    }
    return false;
}

bool DecodeMeterLevels(QByteArrayView digits, MeterLevels& levels) {
    if (digits.size() != kLevelDigitCount ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;

    qsizetype pos = 0;
    auto next = [&](int width) {
        int value = 0;
        for (int i = 0; i < width; ++i)
            value = value * 10 + (digits[pos++] - '0');
        // Three digits can say more than a byte holds; a meter pinned at full scale is
        // truer than one that wraps round to silence.
        return static_cast<std::uint8_t>(std::min(value, 255));
    };
    MeterLevels decoded;
    for (auto& v : decoded.inputMeter)
        v = next(3);
    for (auto& v : decoded.outputMeter)
        v = next(3);
    for (auto& v : decoded.peqMeter)
        v = next(3);
    for (auto& v : decoded.compReduction)
        v = next(3);
    for (auto& v : decoded.geqMeter)
        v = next(3);
    for (auto& v : decoded.outputState)
        v = next(1);
    levels = decoded;
    return true;
}

} // namespace mqx
