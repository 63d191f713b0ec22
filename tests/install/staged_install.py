#!/usr/bin/python3
"""The install tree: `cmake --install` into a staging folder (DESTDIR) holds
exactly what the program needs, the desktop entry and the metainfo pass their
validators, and the staged program works as an installed copy.

    staged_install.py --build <build folder> --source <source folder>

The staged program answers --version and --help and refuses an unknown
option without a display. Then, on a virtual X server with the accessibility
bus, it is started from the staged tree with a home of its own: a first start
opens the data-folder window; with the demo data folder named in that home's
configuration folder it finds its reader (the job list fills) and its part
bitmaps (paging to a part shows its picture), and a header saved in the
editor lands in the configuration folder while nothing in the staged tree
changes. A copy of the program alone, without its reader, says where it
looked and goes on.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "e2e"))

import screen_reader  # noqa: E402
from desktop import Desktop  # noqa: E402
from operator_steps import MAIN_WINDOW, open_from_file_menu, retype, search_job  # noqa: E402
from order_entry import pick_job  # noqa: E402
from processes import Processes, become_subreaper  # noqa: E402
from waiting import Failure, wait_for  # noqa: E402

PREFIX = "usr"
NAME = "vantrell-ticket"
CONFIG = Path(".config") / "Vantrell" / NAME
DATA_FOLDER_WINDOW = "Location of Vantrell OE Folder"
NEW_FAX = "Fax (419) 555-0142"
TOOLS = ("Xvfb", "dbus-daemon", "xdotool", "mdb-export", "desktop-file-validate",
         "appstreamcli")


def expect(what, seen, expected):
    if seen != expected:
        raise Failure(f"{what}: expected {expected!r}, saw {seen!r}")


def expected_files(source: Path):
    share = f"{PREFIX}/share"
    files = {f"{PREFIX}/bin/{NAME}", f"{PREFIX}/libexec/{NAME}/qmdata-reader",
             f"{share}/applications/{NAME}.desktop",
             f"{share}/metainfo/com.vantrell.ticket.metainfo.xml",
             f"{share}/icons/hicolor/48x48/apps/{NAME}.png",
             f"{share}/icons/hicolor/256x256/apps/{NAME}.png",
             f"{share}/icons/hicolor/scalable/apps/{NAME}.svg",
             f"{share}/man/man1/{NAME}.1.gz",
             f"{share}/doc/{NAME}/copyright", f"{share}/doc/{NAME}/changelog.gz",
             f"{share}/doc/{NAME}/user-guide.md"}
    files |= {f"{share}/{NAME}/{part}.bmp" for part in range(1, 10)}
    files |= {f"{share}/doc/{NAME}/images/{png.name}"
              for png in (source / "docs" / "images").glob("*.png")}
    return files


def tree_state(root: Path):
    """Every file under root with its size and modification time."""
    return {str(path.relative_to(root)): (path.stat().st_size, path.stat().st_mtime_ns)
            for path in root.rglob("*") if path.is_file() or path.is_symlink()}


def png_size(path: Path):
    header = path.read_bytes()[:24]
    expect(f"{path.name}'s signature", header[:8], b"\x89PNG\r\n\x1a\n")
    return struct.unpack(">II", header[16:24])


def run(argv, env=None):
    return subprocess.run(argv, capture_output=True, text=True, timeout=60, env=env,
                          stdin=subprocess.DEVNULL)


def check_staged_files(stage: Path, source: Path):
    expect("the staged files", set(tree_state(stage)), expected_files(source))
    for size in (48, 256):
        icon = stage / PREFIX / f"share/icons/hicolor/{size}x{size}/apps/{NAME}.png"
        expect(f"the {size}x{size} icon's size", png_size(icon), (size, size))
    for mode, path in ((0o755, f"bin/{NAME}"), (0o755, f"libexec/{NAME}/qmdata-reader"),
                       (0o644, f"share/{NAME}/1.bmp")):
        expect(f"{path}'s mode", (stage / PREFIX / path).stat().st_mode & 0o777, mode)
    for argv in (["desktop-file-validate",
                  str(stage / PREFIX / f"share/applications/{NAME}.desktop")],
                 ["appstreamcli", "validate", "--no-net",
                  str(stage / PREFIX / "share/metainfo/com.vantrell.ticket.metainfo.xml")]):
        checked = run(argv)
        if checked.returncode != 0 or (argv[0] == "desktop-file-validate" and checked.stdout):
            raise Failure(f"{argv[0]} refused it:\n{checked.stdout}{checked.stderr}")


def check_command_line(program: Path):
    """Without any display at all."""
    env = {"PATH": os.environ.get("PATH", "/usr/bin:/bin"), "LANG": "C.UTF-8"}
    version = run([str(program), "--version"], env)
    expect("--version", (version.returncode, version.stdout, version.stderr),
           (0, "vantrell-ticket 1.2.65\n", ""))
    shown = run([str(program), "--help"], env)
    expect("--help's status", shown.returncode, 0)
    for option in ("--help", "--version", "--settings-folder <DIR>"):
        if option not in shown.stdout:
            raise Failure(f"--help does not name {option}:\n{shown.stdout}")
    for argv, reason in ((["--frobnicate"], "Unknown option 'frobnicate'."),
                         (["--settings-folder"], "Missing value after '--settings-folder'.")):
        refused = run([str(program), *argv], env)
        expect(f"{argv}'s status and output", (refused.returncode, refused.stdout), (2, ""))
        lines = refused.stderr.splitlines()
        expect(f"{argv}'s reason", lines[0], reason)
        expect(f"{argv}'s usage", lines[1], "Usage: vantrell-ticket [options]")


class Session:
    """The staged program on a desktop of its own, with a home of its own."""

    def __init__(self, folder: Path, program: Path, processes):
        self.folder = folder
        self.program = program
        self.processes = processes
        self.desktop = Desktop(folder, processes)
        self.home = folder / "home"
        self.process = None
        self.screen = None

    def start_desktop(self):
        self.desktop.start(limit=15)
        screen_reader.connect_to(self.desktop.env)

    def start_program(self, name):
        env = dict(self.desktop.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.process = self.processes.start(name, [str(self.program)], env)
        self.screen = screen_reader.Screen(env, NAME, self.process)
        return self.screen

    def end_program(self):
        self.processes.stop(self.process)


def part_picture_shown(screen, main):
    """True once the part picture holds a bitmap: a label with a picture is
    announced as an image, an empty one as a label."""
    def walk(node):
        if node is None:
            return None
        if node.name == "Part No. picture":
            return node
        for index in range(node.childCount):
            found = walk(node.getChildAtIndex(index))
            if found is not None:
                return found
        return None

    picture = walk(main)
    if picture is None:
        raise Failure("no part picture in the main window")
    return picture.getRole() == screen_reader.role("image")


def installed_copy_scenario(session, stage: Path, build: Path):
    staged_tree = tree_state(stage)
    config = session.home / CONFIG

    # First start: no data-folder file anywhere, so the data-folder window.
    screen = session.start_program("first-start")
    screen.window(DATA_FOLDER_WINDOW, limit=30)
    session.end_program()
    if not config.is_dir():
        raise Failure(f"the first start did not make the configuration folder {config}")

    # The demo data, its data-folder file and settings in that home's
    # configuration folder.
    data = session.folder / "data" / "qm"
    demo = run([str(build / "bin" / "make-demo-data"), str(data), str(config)])
    if demo.returncode != 0:
        raise Failure(f"make-demo-data failed: {demo.stderr}")
    job = pick_job(data / "qmdata.mdb", least_parts=2)

    screen = session.start_program("program")
    main = screen.window(MAIN_WINDOW, limit=30)
    screen.activate(main)
    # The reader found: the job's customer comes from the database.
    search_job(screen, main, job)
    # The bitmaps found: paging to part 2 shows the installed 2.bmp, as the
    # configuration folder has none.
    screen.focus(screen.find(main, "scroll bar", "Part No."))
    screen.keys("Right")
    screen.find(main, "label", f"Description: (Part 2 of {len(job.parts)})")
    wait_for("the part picture", lambda: part_picture_shown(screen, main), limit=10)

    header_file = config / "DELVHEAD.DAT"
    before = header_file.read_bytes()
    editor = open_from_file_menu(screen, main, "Delivery Head", "h", "Delivery Ticket Headline")
    retype(screen, screen.find(editor, "text", "Fax Number:"), NEW_FAX)
    screen.press(screen.find(editor, "push button", "Save"))
    wait_for("DELVHEAD.DAT in the configuration folder to change",
             lambda: header_file.read_bytes() != before, limit=10)
    if NEW_FAX.encode() not in header_file.read_bytes():
        raise Failure(f"the saved header lacks the fax number: {header_file.read_bytes()!r}")
    session.end_program()

    expect("the staged tree after the runs", tree_state(stage), staged_tree)


def missing_reader_scenario(session, stage: Path):
    """A copy of the program with no reader in either place says so, naming
    both places, and goes on."""
    lonely = session.folder / "lonely" / "bin"
    lonely.mkdir(parents=True)
    shutil.copy2(stage / PREFIX / "bin" / NAME, lonely / NAME)
    session.program = lonely / NAME
    screen = session.start_program("missing-reader")
    box = screen.window("Vantrell Delivery Ticket", limit=30)
    places = (str(lonely), str(lonely.parent / "libexec" / NAME))

    def message():
        return next((label.name for label in screen.find_all(box, "label")
                     if all(place in label.name for place in places)), None)

    shown = wait_for("a message naming both places of the reader", message, limit=10)
    if "qmdata-reader" not in shown:
        raise Failure(f"the message does not name the reader: {shown!r}")
    screen.activate(box)
    screen.press(screen.find(box, "push button", "OK"))
    # It goes on: this copy keeps its settings in its own folder and has no
    # data folder on record yet.
    screen.window(DATA_FOLDER_WINDOW, limit=30)
    session.end_program()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", type=Path, required=True)
    parser.add_argument("--source", type=Path, required=True)
    args = parser.parse_args()
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"missing tools: {' '.join(missing)} (scripts/install-deps.sh installs them)")
        return 1

    become_subreaper()
    folder = Path(tempfile.mkdtemp(prefix="ticket-install-"))
    stage = folder / "stage"
    processes = Processes(folder / "logs")
    (folder / "logs").mkdir()
    try:
        installed = run(["cmake", "--install", str(args.build), "--prefix", f"/{PREFIX}"],
                        dict(os.environ, DESTDIR=str(stage)))
        if installed.returncode != 0:
            raise Failure(f"cmake --install failed:\n{installed.stdout}{installed.stderr}")
        check_staged_files(stage, args.source)
        program = stage / PREFIX / "bin" / NAME
        check_command_line(program)
        session = Session(folder, program, processes)
        session.start_desktop()
        installed_copy_scenario(session, stage, args.build)
        missing_reader_scenario(session, stage)
        print("passed")
        return 0
    except Exception:
        traceback.print_exc()
        for log in sorted((folder / "logs").glob("*")):
            print(f"--- {log.name}\n{log.read_text(errors='replace')[-3000:]}", file=sys.stderr)
        return 1
    finally:
        processes.stop_all()
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
