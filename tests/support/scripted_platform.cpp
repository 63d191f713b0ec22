#include "support/scripted_platform.h"

#include <QPrinter>

ScriptedPlatform::ScriptedPlatform()
{
    setPlatform(this);
}

ScriptedPlatform::~ScriptedPlatform()
{
    setPlatform(nullptr);
}

Platform::Answer ScriptedPlatform::messageBox(const QString& text, Buttons buttons, Icon icon,
                                              const QString& title)
{
    messages.push_back({text, buttons, icon, messageBoxTitle(title)});
    if (m_answers.empty())
        return Answer::Ok;
    const Answer answer = m_answers.front();
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
    if (cancelPrintDialog)
        return false;
    if (!printToFile.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printToFile);
    }
    return true;
}
