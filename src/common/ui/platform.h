#pragma once

#include <QSizeF>
#include <QString>

class QPrinter;

// The program's one application title: every message box that names no title
// of its own carries it.
inline constexpr char ApplicationTitle[] = "Vantrell Delivery Ticket";

// Thrown by a platform whose endProgram() cannot end the process (the tests'
// platform). Window code that catches failures lets it pass.
struct ProgramEnded
{
};

// Everything the windows ask of the system beyond their own controls: message
// boxes, the beep, ending the program, the screen's size and the printer
// dialog. The windows go
// through platform() so that tests can answer message boxes and watch the
// program end without a real desktop.
class Platform
{
public:
    enum class Buttons { Ok, OkCancel };
    enum class Icon { None, Critical, Exclamation, Information };
    enum class Answer { Ok, Cancel };

    virtual ~Platform() = default;

    // Shows a modal message box and returns the button pressed. An empty
    // title means ApplicationTitle. Closing a box without pressing a button
    // answers Cancel when it has one, else Ok.
    virtual Answer messageBox(const QString& text, Buttons buttons = Buttons::Ok,
                              Icon icon = Icon::None, const QString& title = {}) = 0;

    virtual void beep() = 0;

    // Ends the program at once: the rest of the running handler does not run.
    [[noreturn]] virtual void endProgram() = 0;

    // The primary screen's available size in twips (1440 per inch, from the
    // screen's logical resolution).
    virtual QSizeF screenSizeTwips() const = 0;
    virtual double twipsPerPixel() const = 0;

    // The system's printer dialog: the operator chooses the printer and its
    // settings into `printer`. False when the dialog was cancelled.
    virtual bool printDialog(QPrinter& printer) = 0;
};

// The title a message box shows for the given title.
QString messageBoxTitle(const QString& title);

// The installed platform; a Qt one is made on first use when none is installed.
Platform& platform();

// Installs the platform the windows use from now on (not owned); nullptr
// restores the Qt one.
void setPlatform(Platform* installed);
