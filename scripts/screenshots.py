#!/usr/bin/python3
"""Takes the user guide's screenshots from the real program on the demo data.

    screenshots.py --bin <build>/bin --out docs/images

Like the end-to-end test (tests/e2e, whose helpers this uses), it runs the
program as its own process on a virtual X server with the accessibility bus,
on a demo data folder and a copy of the program's folder, and drives it only
through the accessibility bus and the keyboard. Each picture is the window's
own rectangle cut from the screen.
"""

import argparse
import shutil
import struct
import sys
import tempfile
import time
from pathlib import Path

sys.dont_write_bytecode = True
sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests" / "e2e"))

import screen_reader  # noqa: E402
from desktop import Desktop, xwd_to_png  # noqa: E402
from operator_steps import MAIN_WINDOW, open_from_file_menu, search_job  # noqa: E402
from order_entry import pick_job  # noqa: E402
from processes import Processes, become_subreaper  # noqa: E402

DEMO_DATA = Path(tempfile.gettempdir()) / "vantrell-demo-data"
PROGRAM_FILES = ["vantrell-ticket", "qmdata-reader"] + [f"{n}.bmp" for n in range(1, 10)]


def window_picture(desktop, window, png: Path):
    """The window's rectangle of the screen as a PNG file."""
    extents = window.queryComponent().getExtents(screen_reader.pyatspi.DESKTOP_COORDS)
    xwd = (desktop.framebuffer / "Xvfb_screen0").read_bytes()
    header = list(struct.unpack(">25I", xwd[:100]))
    header_size, width, height, bytes_per_line = header[0], header[4], header[5], header[12]
    pixels = xwd[header_size + 12 * header[19]:]
    left, top = max(extents.x, 0), max(extents.y, 0)
    right, bottom = min(extents.x + extents.width, width), min(extents.y + extents.height, height)
    rows = b"".join(pixels[y * bytes_per_line + 4 * left:y * bytes_per_line + 4 * right]
                    for y in range(top, bottom))
    header[4], header[5], header[12] = right - left, bottom - top, 4 * (right - left)
    cut = struct.pack(">25I", *header) + xwd[100:header_size + 12 * header[19]] + rows
    png.write_bytes(xwd_to_png(cut))
    print(f"wrote {png} ({right - left}x{bottom - top})", flush=True)


def settle():
    """Lets the X server draw what the program just painted."""
    time.sleep(0.5)


def take(desktop, out: Path, program_folder: Path, folder: Path, processes):
    env = dict(desktop.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    settings = folder / "program"
    settings.mkdir()
    for name in PROGRAM_FILES:
        shutil.copy2(program_folder / name, settings / name)
    # A fixed path, as the data-folder window shows it: the pictures change
    # only when a window does.
    data = DEMO_DATA / "qm"
    shutil.rmtree(DEMO_DATA, ignore_errors=True)
    demo = processes.start("make-demo-data", [str(program_folder / "make-demo-data"), str(data),
                                              str(settings)], env)
    if demo.wait(60) != 0:
        raise RuntimeError(f"make-demo-data failed with code {demo.returncode}")
    job = pick_job(data / "qmdata.mdb", least_parts=3)

    program = processes.start("program", [str(settings / "vantrell-ticket")], env)
    screen = screen_reader.Screen(desktop.env, "vantrell-ticket", program)
    main = screen.window(MAIN_WINDOW, limit=30)
    # The pointer out of every picture: into the screen's far corner.
    screen._xdotool("mousemove", "4000", "4000")
    screen.activate(main)
    search = search_job(screen, main, job)
    # Paging shows the part's picture: to part 2 and back.
    screen.focus(screen.find(main, "scroll bar", "Part No."))
    screen.keys("Right")
    screen.find(main, "label", f"Description: (Part 2 of {len(job.parts)})")
    screen.keys("Left")
    screen.find(main, "label", f"Description: (Part 1 of {len(job.parts)})")
    screen.focus(search)
    settle()
    window_picture(desktop, main, out / "main-window.png")

    screen.press(screen.find(main, "push button", "Display Ticket"))
    preview = screen.window("Delivery Ticket", limit=15)
    screen.activate(preview)
    settle()
    window_picture(desktop, preview, out / "preview.png")

    for entry, key, title, picture in (("Delivery Head", "h", "Delivery Ticket Headline",
                                        "header-editor.png"),
                                       ("Data Path", "d", "Location of Vantrell OE Folder",
                                        "data-folder-window.png")):
        window = open_from_file_menu(screen, main, entry, key, title)
        settle()
        window_picture(desktop, window, out / picture)
    processes.stop(program)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--bin", type=Path, required=True, help="the built program's folder")
    parser.add_argument("--out", type=Path, required=True, help="where the pictures go")
    args = parser.parse_args()
    args.out.mkdir(parents=True, exist_ok=True)

    become_subreaper()
    folder = Path(tempfile.mkdtemp(prefix="ticket-screenshots-"))
    (folder / "logs").mkdir()
    processes = Processes(folder / "logs")
    desktop = Desktop(folder, processes)
    try:
        desktop.start(limit=15)
        screen_reader.connect_to(desktop.env)
        take(desktop, args.out.resolve(), args.bin.resolve(), folder, processes)
        return 0
    finally:
        processes.stop_all()
        shutil.rmtree(folder, ignore_errors=True)
        shutil.rmtree(DEMO_DATA, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
