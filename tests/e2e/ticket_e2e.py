#!/usr/bin/python3
"""End-to-end test: the built program as an operator runs it.

It starts the program as a process of its own on a virtual X server, with a
D-Bus session bus and the accessibility bus, on a demo data folder and a
copy of the program's folder (its settings folder), and with a private
print server holding one PDF queue. It drives the program only through the
accessibility bus and the keyboard: a job is searched and checked, its
second part paged to and its quantity changed, the ticket displayed and
printed through the system's print dialog, the document the server
received read back; then the delivery header is edited and saved.

    ticket_e2e.py --bin <build>/bin --artifacts <build>/e2e

On failure the screenshots, the program's windows as the accessibility bus
shows them, and the logs of the program, the X server, the buses and the
print server are left in a folder under --artifacts. The run needs root
(the print server runs its PDF backend as root) and skips without it.
"""

import argparse
import os
import shutil
import signal
import sys
import tempfile
import time
import traceback
from pathlib import Path

# The helpers beside this file, imported without leaving compiled copies in
# the source tree.
sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent))

import screen_reader  # noqa: E402
from desktop import Desktop  # noqa: E402
from operator_steps import MAIN_WINDOW, open_from_file_menu, retype, search_job  # noqa: E402
from order_entry import pick_job  # noqa: E402
from print_server import PrintServer  # noqa: E402
from printed_ticket import TicketGrid, read_words  # noqa: E402
from processes import Processes, become_subreaper  # noqa: E402
from waiting import Failure, wait_for, wait_for_value  # noqa: E402

SKIPPED = 77  # CTest's SKIP_RETURN_CODE
QUEUE = "TicketPDF"
NEW_QUANTITY = "4321"
NEW_FAX = "Fax (419) 555-0199"
TOOLS = ("Xvfb", "dbus-daemon", "cupsd", "lpadmin", "lpstat", "xdotool", "pdftotext",
         "mdb-export")
PROGRAM_FILES = ["vantrell-ticket", "qmdata-reader"] + [f"{n}.bmp" for n in range(1, 10)]


def expect(what, seen, expected):
    if seen != expected:
        raise Failure(f"{what}: expected {expected!r}, saw {seen!r}")


class Run:
    """One run's folder, processes and record of steps."""

    def __init__(self, program_folder: Path):
        self.program_folder = program_folder
        self.folder = Path(tempfile.mkdtemp(prefix="ticket-e2e-"))
        # The print server's filters run as its own user and read the spool.
        self.folder.chmod(0o755)
        self.logs = self.folder / "logs"
        self.shots = self.folder / "screenshots"
        self.logs.mkdir()
        self.shots.mkdir()
        self.processes = Processes(self.logs)
        self.desktop = Desktop(self.folder, self.processes)
        self.server = None
        self.screen = None
        self.program = None
        self.settings = None  # the copy of the program's folder
        self.database = None
        self.steps = []

    def step(self, name):
        self.steps.append(name)
        print(f"{time.monotonic() - START:6.1f} s  {name}", flush=True)
        self.screenshot(f"{len(self.steps):02d}")

    def screenshot(self, name):
        try:
            self.desktop.screenshot(self.shots / f"{name}.png")
        except (OSError, Failure):
            pass  # no screen yet

    def start(self):
        self.desktop.start(limit=15)
        self.server = PrintServer(self.folder / "cups", self.processes, self.desktop.env)
        self.server.start(limit=15)
        self.server.add_pdf_queue(QUEUE)

        settings = self.folder / "program"
        settings.mkdir()
        for name in PROGRAM_FILES:
            shutil.copy2(self.program_folder / name, settings / name)
        data = self.folder / "data" / "qm"
        demo = self.processes.start("make-demo-data",
                                    [str(self.program_folder / "make-demo-data"), str(data),
                                     str(settings)], self.desktop.env)
        if demo.wait(60) != 0:
            raise Failure(f"make-demo-data failed with code {demo.returncode}")
        self.settings = settings
        self.database = data / "qmdata.mdb"

        # The scenario's own process reads the same buses as the program,
        # and no accessibility bus named from outside.
        os.environ.update(self.desktop.env)
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)
        screen_reader.connect()
        env = dict(self.server.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.program = self.processes.start("program", [str(settings / "vantrell-ticket")], env)
        self.screen = screen_reader.Screen(self.desktop.env, "vantrell-ticket", self.program)

    def keep_record(self, artifacts: Path, failure):
        """Copies what tells why the run failed into a folder of its own."""
        self.screenshot("failure")
        record = artifacts / time.strftime(f"%Y%m%d-%H%M%S-{os.getpid()}")
        record.mkdir(parents=True)
        (record / "failure.txt").write_text(
            "steps: " + " > ".join(self.steps) + "\n\n" + failure)
        if self.screen is not None:
            try:
                (record / "windows.txt").write_text(self.screen.describe())
            except Exception as error:  # the program may be gone
                (record / "windows.txt").write_text(f"not readable: {error}\n")
        cups = self.folder / "cups"
        for folder, name in ((self.shots, "screenshots"), (self.logs, "logs"),
                             (cups / "log", "cupsd"), (cups / "cups-pdf" / "log", "cups-pdf")):
            if folder.is_dir():
                shutil.copytree(folder, record / name, dirs_exist_ok=True)
        if self.server is not None and self.server.process is not None:
            (record / "print-jobs.txt").write_text(self.server.job_states())
            for document in self.server.spool.glob("d*"):
                shutil.copy2(document, record / f"printed-{document.name}.pdf")
        return record

    def stop(self):
        if self.server is not None:
            self.server.stop()
        self.processes.stop_all()
        shutil.rmtree(self.folder, ignore_errors=True)


def scenario(run):
    screen, server = run.screen, run.server
    job = pick_job(run.database, least_parts=3)
    parts = len(job.parts)

    run.step("the main window opens")
    main = screen.window(MAIN_WINDOW, limit=30)
    screen.activate(main)

    run.step(f"search job {job.number}")
    search_job(screen, main, job)
    quantity = screen.find(main, "text", "Quantity:")
    expect("the quantity of part 1", screen.text(quantity), job.parts[0].quantity)
    screen.find(main, "label", f"Description: (Part 1 of {parts})")

    run.step("page to part 2")
    screen.focus(screen.find(main, "scroll bar", "Part No."))
    screen.keys("Right")
    screen.find(main, "label", f"Description: (Part 2 of {parts})")
    wait_for_value("the quantity of part 2", lambda: screen.text(quantity),
                   job.parts[1].quantity, limit=5)

    run.step("change the quantity of part 2")
    screen.focus(quantity)
    screen.keys("ctrl+a")
    screen.type(NEW_QUANTITY)
    wait_for_value("the typed quantity", lambda: screen.text(quantity), NEW_QUANTITY, limit=5)

    run.step("display the ticket")
    screen.press(screen.find(main, "push button", "Display Ticket"))
    preview = screen.window("Delivery Ticket", limit=15)
    screen.activate(preview)
    # Two buttons carry the caption; the right-hand one prints.
    print_button = max(screen.find_all(preview, "push button", "Print Ticket"),
                       key=screen.left_edge)
    screen.press(print_button)

    run.step("print through the print dialog")
    dialog = screen.window("Print", limit=15)
    screen.activate(dialog)
    screen.choose(screen.labelled(dialog, "combo box", "Name:"), QUEUE)
    screen.press(screen.find(dialog, "push button", "Print"))
    try:
        jobs = wait_for("the print job to complete",
                        lambda: server.completed_jobs(QUEUE) or None, limit=60)
    except Failure as failure:
        raise Failure(f"{failure}; the server's jobs:\n{server.job_states()}") from None
    expect("the print jobs", len(jobs), 1)
    screen.window_gone("Delivery Ticket", limit=10)

    run.step("read the printed document")
    check_printed_ticket(server.document(jobs[0]), job, owner_name(run.settings))

    run.step("edit the delivery header")
    header_file = run.settings / "DELVHEAD.DAT"
    lines = header_file.read_bytes().split(b"\r\n")[:11]
    lines[6] = NEW_FAX.encode()
    lines[7] = b"    "
    expected_header = b"".join(line + b"\r\n" for line in lines)
    editor = open_from_file_menu(screen, main, "Delivery Head", "h", "Delivery Ticket Headline")
    retype(screen, screen.find(editor, "text", "Fax Number:"), NEW_FAX)
    screen.press(screen.find(editor, "push button", "Save"))
    wait_for_value("DELVHEAD.DAT", header_file.read_bytes, expected_header, limit=10)

    run.step("leave the program")
    screen.press(screen.find(editor, "push button", "Exit"))
    screen.window_gone("Delivery Ticket Headline", limit=10)
    screen.activate(main)
    screen.press(screen.find(main, "push button", "Exit"))
    wait_for("the program to end", lambda: run.program.poll() is not None, limit=10)
    expect("the program's exit code", run.program.returncode, 0)


def owner_name(settings):
    """The owner's name: the first field (25 characters) of OwnsAct.DAT."""
    return (settings / "OwnsAct.DAT").read_bytes()[:25].decode("cp1252").strip()


def check_printed_ticket(document, job, owner):
    """The print's words at their columns and lines, in Courier 12 point:
    every character 7.2 points wide."""
    expect("the handed-over document's kind", document.read_bytes()[:5], b"%PDF-")
    words = read_words(document)
    pitch = 12 * 0.6
    for word in words:
        width = (word.x_max - word.x_min) / len(word.text)
        if abs(width - pitch) > 0.05:
            raise Failure(f'"{word.text}" printed {width:.3f} points a character, '
                          f"expected {pitch} (12 point, fixed pitch)")
    grid = TicketGrid(words, pitch)
    # From the SOLD TO row: five address rows, the P.O. and phone rows, a
    # blank line, the column header between two rules, then one line a part.
    grid.line_height = (grid.word("DESCRIPTION").y_min - grid.origin.y_min) / 10
    expected = [("SHIP", 40, 0), ("P.O.:", 40, 6), ("PHONE:", 1, 7), ("DATE:", 40, 7),
                ("QN", 4, 10), ("DESCRIPTION", 19, 10)]
    expected += [(line.split()[0], 2, row) for row, line in enumerate(job.sold_to[:5], 1)]
    for number, part in enumerate(job.parts, 1):
        printed_quantity = NEW_QUANTITY if number == 2 else part.quantity
        expected += [(printed_quantity, 1, 11 + number), ("0", 10, 11 + number),
                     (part.description.split()[0], 19, 11 + number)]
    from_line = f"FROM: {owner}"
    expected.append(("FROM:", 40 - len(from_line) // 2, 11 + len(job.parts) + 2))
    for text, column, line in expected:
        grid.expect_at(text, column, line)


def stopped_by_signal(number, _frame):
    raise Failure(f"stopped by signal {signal.Signals(number).name}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--bin", type=Path, required=True, help="the built program's folder")
    parser.add_argument("--artifacts", type=Path, required=True,
                        help="where a failed run leaves its record")
    args = parser.parse_args()

    if os.geteuid() != 0:
        print("skipped: the print server's PDF backend runs only as root")
        return SKIPPED
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"missing tools: {' '.join(missing)} (scripts/install-deps.sh installs them)")
        return 1

    become_subreaper()
    # A run stopped from outside still ends what it started.
    for number in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
        signal.signal(number, stopped_by_signal)
    run = Run(args.bin.resolve())
    try:
        run.start()
        scenario(run)
        print(f"passed in {time.monotonic() - START:.1f} s")
        return 0
    except Exception:
        failure = traceback.format_exc()
        print(failure, file=sys.stderr)
        record = run.keep_record(args.artifacts.resolve(), failure)
        print(f"the run's record is in {record}", file=sys.stderr)
        return 1
    finally:
        run.stop()


START = time.monotonic()

if __name__ == "__main__":
    sys.exit(main())
