#pragma once
// The level fader, its box, the on/off button and the link box that every equaliser page
// has for its channel, wired to the page's editor the same way on each: the fader and the
// box step the level, the box takes typed text when left, the button switches the channel
// and the link box shows the link (not the click) and asks for the link dialogs.

#include "pages/entry_box.h"
#include "pages/fader.h"

#include <QCheckBox>
#include <QPushButton>

#include <functional>

namespace mqx {

template <typename Page, typename Editor>
void WireChannelControls(Page* page, Editor& editor, Fader* fader, EntryBox* levelBox,
                         QPushButton* on, QCheckBox* link, const std::function<void()>& linkRequest,
                         void (Page::*refresh)(), void (Page::*commitLevel)()) {
    const auto stepLevel = [page, &editor, refresh](int steps) {
        editor.stepLevel(steps);
        (page->*refresh)();
    };
    QObject::connect(fader, &Fader::stepped, page, stepLevel);
    QObject::connect(levelBox, &EntryBox::stepped, page, stepLevel);
    QObject::connect(levelBox, &EntryBox::commitRequested, page, commitLevel);
    QObject::connect(on, &QPushButton::clicked, page, [page, &editor, refresh](bool checked) {
        editor.setOn(checked);
        (page->*refresh)();
    });
    QObject::connect(link, &QCheckBox::clicked, page, [page, &editor, link, &linkRequest, refresh] {
        link->setChecked(editor.isLinked());
        if (editor.checkMode() && linkRequest)
            linkRequest();
        (page->*refresh)();
    });
}

} // namespace mqx
