#include "program/flag_chooser.h"

namespace mqx {

FlagChooser::FlagChooser(FlagKind kind, std::uint8_t value)
    : m_kind(kind), m_setAtOpening(kind == FlagKind::Protection ? value == 0 : value != 0),
      m_set(m_setAtOpening) {}

std::uint8_t FlagChooser::value() const {
    if (m_kind == FlagKind::Protection)
        return m_set ? 0 : 255;
    return m_set ? 255 : 0;
}

} // namespace mqx
