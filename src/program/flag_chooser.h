#pragma once
// The Program Protection and Recall Lock choosers: two radio buttons, "Set ..." and
// "Clear ...", over a header byte. OK is offered only once the choice differs from the
// slot's state, so an OK always changes something.
//
//   protection:  write_enable 0 = protected     Set -> 0,   Clear -> 255
//   recall lock: recall_lock non-zero = locked  Set -> 255, Clear -> 0

#include <cstdint>

namespace mqx {

enum class FlagKind { Protection, RecallLock };

class FlagChooser {
public:
    FlagChooser(FlagKind kind, std::uint8_t value);

    FlagKind kind() const { return m_kind; }
    bool setSelected() const { return m_set; }
    void select(bool set) { m_set = set; }
    bool okEnabled() const { return m_set != m_setAtOpening; }
    // The byte the chosen button stands for.
    std::uint8_t value() const;

private:
    FlagKind m_kind;
    bool m_setAtOpening = false;
    bool m_set = false;
};

} // namespace mqx
