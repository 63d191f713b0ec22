"""Steps an operator takes in the program's windows, shared by the scenarios
that drive it (the end-to-end test, the staged install's test and the
screenshots): each acts through the keyboard and waits until the program
shows the result."""

from waiting import wait_for, wait_for_value

MAIN_WINDOW = "Quillmark's Vantrell Series"


def search_job(screen, main, job):
    """Searches the job by its number and waits for its sold-to block."""
    search = screen.find(main, "text", "Enter Job Number to Search:")
    screen.focus(search)
    screen.type(job.number.lstrip("0"))
    screen.keys("Return")
    sold_to = screen.find(main, "text", "Sold To address")
    wait_for_value("the sold-to block", lambda: screen.text(sold_to),
                   "\n".join(job.sold_to) + "\n", limit=20)
    return search


def open_from_file_menu(screen, main, entry, key, title):
    """Opens the main window's File menu entry `entry` by its access key and
    returns the window titled `title` it shows, made active."""
    screen.activate(main)
    screen.keys("alt+f")
    menu_entry = screen.find(main, "menu item", entry)
    wait_for("the File menu to open", lambda: screen.shown(menu_entry), limit=5)
    screen.keys(key)
    window = screen.window(title, limit=10)
    screen.activate(window)
    return window


def retype(screen, control, text):
    """Replaces the text of a text box by typing."""
    screen.focus(control)
    screen.keys("ctrl+a")
    screen.type(text)
    wait_for_value(f'the text typed into "{control.name}"', lambda: screen.text(control), text,
                   limit=5)
