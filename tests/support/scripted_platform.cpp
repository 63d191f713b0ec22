#include "support/scripted_platform.h"

#include <QPrinter>

Platform::Answer ScriptedPlatform::messageBox(const QString& text, Buttons buttons, Icon icon,
                                              const QString& title)
{
    messages.push_back({text, buttons, icon, messageBoxTitle(title)});
    const Answer answer = m_answers.empty() ? Answer::Ok : m_answers.front();
    if (!m_answers.empty())
        m_answers.pop_front();
    return answer;
}

void ScriptedPlatform::endProgram()
{
    ended = true;
    throw ProgramEnded{};
}

bool ScriptedPlatform::printDialog(QPrinter& printer)
{
    ++printDialogs;
    if (!cancelPrintDialog && !printToFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
    }
    return !cancelPrintDialog;
}
