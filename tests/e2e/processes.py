"""The processes an end-to-end run starts, and how each is ended again.

Every process is started through Processes and ended by its own process id.
Daemons that the session bus starts on demand (the accessibility bus and its
registry) are not our children; the run makes itself their subreaper, so that
they are handed to it when their parent goes, and ends them by id as well.
"""

import ctypes
import os
import signal
import subprocess
import sys
import time
from pathlib import Path

PR_SET_CHILD_SUBREAPER = 36


def become_subreaper():
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0:
        raise OSError(ctypes.get_errno(), "prctl(PR_SET_CHILD_SUBREAPER) failed")


def adopted_children():
    """Process ids whose parent is this process: the ones it started and
    the orphans of their children that it has adopted."""
    own = os.getpid()
    children = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            stat = (entry / "stat").read_text()
        except OSError:
            continue
        # The command name in parentheses may hold blanks; the parent id is
        # the second field after it.
        fields = stat[stat.rindex(")") + 2:].split()
        if int(fields[1]) == own:
            children.append(int(entry.name))
    return children


class Processes:
    """Starts named processes with their output in a log file each; stop_all()
    ends them, newest first, then every adopted orphan."""

    def __init__(self, log_folder: Path):
        self.log_folder = log_folder
        self.started = []  # (name, Popen)

    def start(self, name, argv, env, **popen_args):
        log = open(self.log_folder / f"{name}.log", "wb")
        popen_args.setdefault("stdout", log)
        popen_args.setdefault("stderr", log)
        process = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL, **popen_args)
        log.close()
        self.started.append((name, process))
        return process

    def running(self, process):
        return process.poll() is None

    def stop(self, process, limit=5.0):
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(limit)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(limit)

    def stop_all(self, limit=5.0):
        for _name, process in reversed(self.started):
            self.stop(process, limit)
        self.started.clear()
        self._end_orphans(limit)

    def _end_orphans(self, limit):
        """Asks each adopted orphan to end, kills what is left after `limit`
        and reaps them all; gives up (and says so) after twice the limit."""
        start = time.monotonic()
        signalled = set()
        while True:
            pids = [pid for pid in adopted_children() if not self._reaped(pid)]
            if not pids:
                return
            waited = time.monotonic() - start
            if waited > 2 * limit:
                print(f"processes that would not end: {pids}", file=sys.stderr)
                return
            for pid in pids:
                if pid not in signalled:
                    self._signal(pid, signal.SIGTERM)
                    signalled.add(pid)
                elif waited > limit:
                    self._signal(pid, signal.SIGKILL)
            time.sleep(0.05)

    @staticmethod
    def _signal(pid, sig):
        try:
            os.kill(pid, sig)
        except ProcessLookupError:
            pass

    @staticmethod
    def _reaped(pid):
        """Collects the process's exit if it has ended; true then."""
        try:
            return os.waitpid(pid, os.WNOHANG)[0] == pid
        except ChildProcessError:
            return True
