#include "core/carried_text.h"

#include "core/program_record.h"

#include <algorithm>

namespace mqx {

InfoTextEdit FilterInfoText(const QString& text, int caret, int maximum) {
    InfoTextEdit edit;
    edit.text.reserve(std::min<qsizetype>(text.size(), maximum));
    edit.caret = caret;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 128 && IsCarriableTextChar(static_cast<unsigned char>(c))) {
            edit.text.append(text[i]);
        } else if (i < caret) {
            --edit.caret;
        }
    }
    edit.text.truncate(maximum);
    edit.caret = std::clamp(edit.caret, 0, static_cast<int>(edit.text.size()));
    return edit;
}

} // namespace mqx
