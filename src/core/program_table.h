#pragma once
// The 51 records the controller holds: record 0 is the current program that every page
// edits; records 1..50 mirror the headers of the connected unit's stored programs.

#include "core/program_record.h"

#include <array>

namespace mqx {

class ProgramTable {
public:
    static constexpr int kSize = 51;

    // n = 0..50; anything else is a programming error and throws std::out_of_range.
    ProgramRecord& Record(int n) { return m_records.at(static_cast<std::size_t>(n)); }
    const ProgramRecord& Record(int n) const { return m_records.at(static_cast<std::size_t>(n)); }

    ProgramRecord& CurrentRecord() { return Record(m_currentIndex); }
    const ProgramRecord& CurrentRecord() const { return Record(m_currentIndex); }

    int currentIndex() const { return m_currentIndex; }
    void resetCurrentIndex() { m_currentIndex = 0; }

private:
    std::array<ProgramRecord, kSize> m_records{};
    int m_currentIndex = 0;
};

} // namespace mqx
