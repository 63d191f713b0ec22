"""A desktop of the run's own: a virtual X server on a free display, a D-Bus
session bus on a socket in the run's folder (the accessibility bus is started
from it on demand), and screenshots of the screen."""

import os
import select
import struct
import subprocess
import zlib
from pathlib import Path

from waiting import Failure, wait_for

SCREEN = (1280, 1024)


class Desktop:
    def __init__(self, folder: Path, processes):
        self.folder = folder
        self.processes = processes
        self.framebuffer = folder / "framebuffer"
        self.env = None

    def start(self, limit):
        """Starts the X server and the session bus; self.env is then the
        environment in which programs find both."""
        self.framebuffer.mkdir()
        runtime = self.folder / "runtime"
        home = self.folder / "home"
        runtime.mkdir(mode=0o700)
        home.mkdir()
        display = self._start_x_server(limit)
        env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": str(home),
            "XDG_RUNTIME_DIR": str(runtime),
            "XDG_CONFIG_HOME": str(home / ".config"),
            "XDG_CACHE_HOME": str(home / ".cache"),
            "DISPLAY": f":{display}",
            "LANG": "C.UTF-8",
        }
        bus = self.folder / "session-bus"
        daemon = self.processes.start(
            "dbus-daemon",
            ["dbus-daemon", "--session", f"--address=unix:path={bus}", "--nofork",
             "--print-address=1"],
            env, stdout=subprocess.PIPE)
        self._read_line(daemon.stdout, "the session bus's address", limit)
        env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={bus}"
        self.env = env

    def _start_x_server(self, limit):
        # The server picks a free display itself and writes its number to
        # the pipe once it takes connections.
        reading, writing = os.pipe()
        with os.fdopen(reading, "rb") as pipe:
            try:
                self.processes.start(
                    "Xvfb",
                    ["Xvfb", "-displayfd", str(writing), "-screen", "0",
                     f"{SCREEN[0]}x{SCREEN[1]}x24", "-fbdir", str(self.framebuffer),
                     "-nolisten", "tcp", "-noreset"],
                    dict(os.environ), pass_fds=(writing,))
            finally:
                os.close(writing)
            return int(self._read_line(pipe, "the X server's display number", limit))

    @staticmethod
    def _read_line(stream, what, limit):
        line = b""

        def probe():
            nonlocal line
            if select.select([stream], [], [], 0.05)[0]:
                chunk = os.read(stream.fileno(), 256)
                if not chunk:
                    raise Failure(f"no {what}: the process closed its output")
                line += chunk
            return b"\n" in line

        wait_for(what, probe, limit, interval=0)
        return line.split(b"\n", 1)[0].decode().strip()

    def screenshot(self, png: Path):
        """Writes the screen as it is now to `png`."""
        xwd = (self.framebuffer / "Xvfb_screen0").read_bytes()
        png.write_bytes(xwd_to_png(xwd))


def xwd_to_png(xwd: bytes) -> bytes:
    """The X server's frame buffer file (XWD, 24-bit colour in 32-bit
    pixels) as a PNG picture."""
    header = struct.unpack(">25I", xwd[:100])
    header_size, _version, _format, _depth, width, height = header[:6]
    byte_order, bits_per_pixel, bytes_per_line = header[7], header[11], header[12]
    colormap_entries = header[19]
    if bits_per_pixel != 32:
        raise Failure(f"cannot convert a {bits_per_pixel}-bit screen")
    pixels = xwd[header_size + 12 * colormap_entries:]
    rows = bytearray()
    for y in range(height):
        line = pixels[y * bytes_per_line:y * bytes_per_line + 4 * width]
        rgb = bytearray(3 * width)
        # Blue, green, red (and a pad byte) in memory when least significant
        # first; the other way round otherwise.
        order = (2, 1, 0) if byte_order == 0 else (1, 2, 3)
        for channel, offset in enumerate(order):
            rgb[channel::3] = line[offset::4]
        rows += b"\0" + rgb

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(rows), 6))
            + chunk(b"IEND", b""))
