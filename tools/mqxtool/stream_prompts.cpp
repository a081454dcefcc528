#include "stream_prompts.h"

namespace mqx::tool {

void StreamPrompts::message(const QString&, const QString& text, PromptIcon icon) {
    if (icon == PromptIcon::Information)
        return;
    ++m_failures;
    m_err << "mqxtool: " << text << Qt::endl;
}

bool StreamPrompts::confirm(const QString&, const QString&, PromptIcon) {
    return false;
}

} // namespace mqx::tool
