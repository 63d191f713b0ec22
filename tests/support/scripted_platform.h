#pragma once

#include "common/ui/platform.h"

#include <deque>
#include <vector>

// A platform for tests, installed for its lifetime: records every message
// box and answers them from a queue, counts beeps, reports a screen of the
// test's choosing, and ends the program by throwing ProgramEnded.
class ScriptedPlatform : public Platform
{
public:
    struct ShownMessage
    {
        QString text;
        Buttons buttons;
        Icon icon;
        QString title; // as shown: ApplicationTitle when none was given
    };

    ScriptedPlatform() { setPlatform(this); }
    ~ScriptedPlatform() override { setPlatform(nullptr); }
    Q_DISABLE_COPY(ScriptedPlatform)

    // The answer to the next message box not yet answered; boxes beyond the
    // queue are answered Ok.
    void answerNext(Answer answer) { m_answers.push_back(answer); }

    Answer messageBox(const QString& text, Buttons buttons = Buttons::Ok, Icon icon = Icon::None,
                      const QString& title = {}) override;
    void beep() override { ++beeps; }
    [[noreturn]] void endProgram() override;
    QSizeF screenSizeTwips() const override { return screen; }
    double twipsPerPixel() const override { return twips; }
    // Counts the dialogs; unless told to cancel, prints to printToFile (a
    // PDF) when one is named.
    bool printDialog(QPrinter& printer) override;

    std::vector<ShownMessage> messages;
    int beeps = 0, printDialogs = 0;
    bool ended = false, cancelPrintDialog = false;
    QSizeF screen{19200, 14400}; // 1280 x 960 pixels at 96 dpi
    double twips = 15;
    QString printToFile;

private:
    std::deque<Answer> m_answers;
};
