"""A private print server: cupsd with its configuration, spool, state and
logs in a folder of the run's own, listening only on a socket there, with
one queue that prints through the cups-pdf backend.

The server keeps every document handed to it (PreserveJobFiles), so that a
test can read the PDF the program sent; the backend's own output is of no
use for that (it rewrites the text). The backend reads its settings from
/etc/cups only; the queue gets a settings file of its own there, which
points every folder of the backend into the run's folder and is removed
again by stop().
"""

import os
import subprocess
from pathlib import Path

from waiting import Failure, wait_for

CUPS_PDF_MODEL = Path("/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd")
CUPS_PDF_SETTINGS_FOLDER = Path("/etc/cups")


class PrintServer:
    def __init__(self, folder: Path, processes, env):
        self.folder = folder
        self.processes = processes
        self.socket = folder / "cups.sock"
        self.spool = folder / "spool"
        self.logs = folder / "log"
        self.env = dict(env, CUPS_SERVER=str(self.socket))
        self.backend_settings = None
        self.process = None

    def start(self, limit):
        etc = self.folder / "etc"
        for sub in (etc, self.logs, self.folder / "state", self.folder / "cache",
                    self.spool / "tmp"):
            sub.mkdir(parents=True)
        # The filters run as the server's own user, who must reach the spool.
        self.folder.chmod(0o755)
        (etc / "cups-files.conf").write_text(
            f"ServerRoot {etc}\n"
            f"RequestRoot {self.spool}\n"
            f"TempDir {self.spool}/tmp\n"
            f"StateDir {self.folder}/state\n"
            f"CacheDir {self.folder}/cache\n"
            f"ErrorLog {self.logs}/error_log\n"
            f"AccessLog {self.logs}/access_log\n"
            f"PageLog {self.logs}/page_log\n"
            f"Printcap {self.folder}/printcap\n"
            "ServerBin /usr/lib/cups\n"
            "DataDir /usr/share/cups\n"
            "SystemGroup root\n"
            "FileDevice No\n"
        )
        (etc / "cupsd.conf").write_text(
            f"Listen {self.socket}\n"
            "LogLevel debug\n"
            "MaxLogSize 0\n"
            "Browsing No\n"
            "WebInterface No\n"
            "PreserveJobFiles Yes\n"
            "PreserveJobHistory Yes\n"
            "DefaultAuthType None\n"
            "<Location />\n  Order Deny,Allow\n</Location>\n"
            "<Policy default>\n  <Limit All>\n    Order Deny,Allow\n  </Limit>\n</Policy>\n"
        )
        self.process = self.processes.start(
            "cupsd",
            ["cupsd", "-f", "-c", str(etc / "cupsd.conf"), "-s", str(etc / "cups-files.conf")],
            self.env,
        )

        def answering():
            if not self.processes.running(self.process):
                raise Failure(f"cupsd ended with {self.process.returncode}; see its error_log")
            return "is running" in self.run(["lpstat", "-r"], check=False).stdout

        wait_for("the print server to answer on its socket", answering, limit)

    def add_pdf_queue(self, name):
        """Adds the queue `name`, printing through cups-pdf into the run's
        folder, and makes it ready."""
        instance = f"ticket-e2e-{os.getpid()}"
        output = self.folder / "cups-pdf"
        self.backend_settings = CUPS_PDF_SETTINGS_FOLDER / f"cups-pdf-{instance}.conf"
        self.backend_settings.write_text(
            f"Out {output}/out\n"
            f"AnonDirName {output}/anonymous\n"
            f"Spool {output}/spool\n"
            f"Log {output}/log\n"
            "LogType 3\n"
        )
        self.run(["lpadmin", "-p", name, "-v", f"cups-pdf:/{instance}", "-P",
                  str(CUPS_PDF_MODEL), "-E"])
        self.run(["cupsenable", name])
        self.run(["cupsaccept", name])

    def completed_jobs(self, queue):
        """The ids of the queue's completed jobs."""
        listing = self.run(["lpstat", "-W", "completed", "-o", queue]).stdout
        return [int(line.split()[0].rsplit("-", 1)[1]) for line in listing.splitlines()
                if line.strip()]

    def job_states(self):
        """Every job the server knows, as lpstat lists them (for messages)."""
        return self.run(["lpstat", "-W", "all", "-l", "-o"], check=False).stdout

    def document(self, job):
        """The file the program handed over for `job` (its first document)."""
        return self.spool / f"d{job:05d}-001"

    def run(self, argv, check=True):
        result = subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(argv)} failed ({result.returncode}): {result.stderr.strip()}")
        return result

    def stop(self):
        if self.process is not None:
            self.processes.stop(self.process)
        if self.backend_settings is not None:
            self.backend_settings.unlink(missing_ok=True)
